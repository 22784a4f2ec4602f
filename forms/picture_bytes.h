#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace forms {

// The bytes of one picture as they were when it was opened: a file read through pread(2) no
// further than the size it had then (a file that grows meanwhile is not followed), or a block
// already in memory.
class PictureBytes {
  public:
    virtual ~PictureBytes() = default;
    std::int64_t size() const { return size_; }
    // Copies up to `n` bytes from `offset`; the count copied, 0 at the end or on an error.
    virtual std::size_t readAt(std::int64_t offset, void* out, std::size_t n) = 0;
    // The read error that ended the data early, 0 when it was the end of the data.
    int error() const { return error_; }

  protected:
    explicit PictureBytes(std::int64_t size) : size_(size) {}
    std::int64_t size_;
    int error_ = 0;
};

class FileBytes : public PictureBytes {
  public:
    // `size` is the file's size when it was opened.
    FileBytes(int fd, std::int64_t size) : PictureBytes(size), fd_(fd) {}
    std::size_t readAt(std::int64_t offset, void* out, std::size_t n) override;

  private:
    int fd_;
};

class MemoryBytes : public PictureBytes {
  public:
    MemoryBytes(const void* data, std::int64_t size) : PictureBytes(size), data_(data) {}
    std::size_t readAt(std::int64_t offset, void* out, std::size_t n) override;

  private:
    const void* data_;
};

// Reads picture bytes through a buffer, at positions or in sequence, never past `limit`, so
// that what one header walk or one decode may read is bounded however the file is made. A
// byte costs no call when it is in the buffer.
class ByteReader {
  public:
    ByteReader(PictureBytes& bytes, std::int64_t limit);
    std::int64_t pos() const { return bufferAt_ + static_cast<std::int64_t>(at_); }
    std::int64_t limit() const { return limit_; }
    // The read error that ended the data early, 0 when it ended where it should.
    int error() const { return bytes_.error(); }

    void seek(std::int64_t pos);
    void skip(std::int64_t n) { seek(pos() + n); }
    bool byte(unsigned& v) {
        if (at_ == length_ && !refill())
            return false;
        v = buffer_[at_++];
        return true;
    }
    // Exactly `n` bytes, or false when fewer are left before the limit.
    bool read(void* out, std::size_t n);
    // Up to `n` bytes; the count read.
    std::size_t readSome(void* out, std::size_t n);

  private:
    bool refill();

    PictureBytes& bytes_;
    std::int64_t limit_;
    std::vector<unsigned char> buffer_;
    std::int64_t bufferAt_ = 0; // file offset of buffer_[0]
    std::size_t at_ = 0, length_ = 0;
};

} // namespace forms
