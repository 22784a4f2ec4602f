#include "forms/picture_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace forms {

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
}

std::size_t FileBytes::readAt(std::int64_t offset, void* out, std::size_t n) {
    if (offset < 0 || offset >= size_)
        return 0;
    n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(n), size_ - offset));
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, static_cast<unsigned char*>(out) + done, n - done,
                                    offset + static_cast<std::int64_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error_ = errno;
        if (got <= 0)
            break; // shorter than it was: cut while being read
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t MemoryBytes::readAt(std::int64_t offset, void* out, std::size_t n) {
    if (offset < 0 || offset >= size_)
        return 0;
    n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(n), size_ - offset));
    std::memcpy(out, static_cast<const unsigned char*>(data_) + offset, n);
    return n;
}

ByteReader::ByteReader(PictureBytes& bytes, std::int64_t limit)
    : bytes_(bytes), limit_(std::clamp<std::int64_t>(limit, 0, bytes.size())),
      buffer_(kBufferBytes) {}

void ByteReader::seek(std::int64_t pos) {
    pos = std::clamp<std::int64_t>(pos, 0, limit_);
    if (pos >= bufferAt_ && pos <= bufferAt_ + static_cast<std::int64_t>(length_)) {
        at_ = static_cast<std::size_t>(pos - bufferAt_);
        return;
    }
    bufferAt_ = pos;
    at_ = length_ = 0;
}

bool ByteReader::refill() {
    bufferAt_ += static_cast<std::int64_t>(length_);
    at_ = length_ = 0;
    if (bufferAt_ >= limit_)
        return false;
    const auto want = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(buffer_.size()), limit_ - bufferAt_));
    length_ = bytes_.readAt(bufferAt_, buffer_.data(), want);
    return length_ > 0;
}

std::size_t ByteReader::readSome(void* out, std::size_t n) {
    auto* dst = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < n) {
        if (at_ == length_ && !refill())
            break;
        const std::size_t take = std::min(n - done, length_ - at_);
        std::memcpy(dst + done, buffer_.data() + at_, take);
        at_ += take;
        done += take;
    }
    return done;
}

bool ByteReader::read(void* out, std::size_t n) {
    return readSome(out, n) == n;
}

} // namespace forms
