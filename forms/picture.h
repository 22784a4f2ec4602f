#pragma once
#include <QImage>
#include <QSize>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "forms/result.h"
#include "forms/units.h"

namespace forms {

enum class PictureFormat { Bmp, Jpeg, Gif };

// A loaded picture: its own (upright) size from the file's header, and its pixels decoded
// lazily at the size they are drawn. Immutable once loaded and shared between the controls
// it is assigned to, so copying a picture from one control to another costs nothing.
class PictureData {
  public:
    // Reads the header of a regular file (never a FIFO or device, never memory-mapped).
    static Result<std::shared_ptr<const PictureData>> fromFile(const std::string& hostPath);
    // A picture embedded in the program (a Qt resource path such as ":/kadroskop/x.bmp").
    static Result<std::shared_ptr<const PictureData>> fromResource(const std::string& path);

    int widthPx() const { return width_; }
    int heightPx() const { return height_; }
    float widthTwips() const { return static_cast<float>(width_) * kTwipsPerPixel; }
    float heightTwips() const { return static_cast<float>(height_) * kTwipsPerPixel; }
    PictureFormat format() const { return format_; }
    const std::string& source() const { return source_; }

    // The picture scaled to exactly `size` device pixels (smooth). JPEG files are decoded at
    // the smallest DCT scale that still covers the size. The pixels of the last
    // kKeptSizes sizes are kept, so repeated draws at one size decode once; a call for a size
    // that another thread is decoding waits for that decode instead of starting its own. A
    // picture that can no longer be decoded (the file vanished or is damaged past its
    // header) gives a null image.
    QImage scaled(QSize size) const;
    // Whether the picture is decoded at `size` already, so that scaled() costs nothing.
    bool decodedAt(QSize size) const;
    // Whether it is decoded at `size` or a decode at that size is under way.
    bool requestedAt(QSize size) const;
    // The bytes its kept pixels take.
    std::int64_t decodedBytes() const;
    // The whole picture at its own (upright) size; null when it is too large to decode within
    // kMaxDecodePixels or cannot be decoded. For small pictures and tests.
    QImage full() const;

    // Largest number of pixels one decode may allocate, and largest side a header may claim.
    static constexpr std::int64_t kMaxDecodePixels = 64LL * 1024 * 1024;
    static constexpr int kMaxSide = 32767;
    static constexpr std::int64_t kMaxPixels = 400LL * 1000 * 1000;
    // How many sizes of one picture keep their pixels: the size a window draws it at and
    // one more (the same picture shown in a second window, or before a new layout).
    static constexpr std::size_t kKeptSizes = 2;

    // How many decodes all pictures of the process have run so far.
    static std::uint64_t decodeCount();

    PictureData(std::string source, bool resource, PictureFormat format, int w, int h);

  private:
    QImage decode(QSize size) const;

    std::string source_;
    bool resource_;
    PictureFormat format_;
    int width_, height_;

    // Pixels at one size; `ready` is false while its decode runs.
    struct Decoded {
        QSize size;
        QImage image;
        bool ready = false;
    };
    mutable std::mutex mutex_;
    mutable std::condition_variable decodeDone_;
    mutable std::vector<Decoded> decoded_; // the most recently used last
};

using Picture = std::shared_ptr<const PictureData>;

} // namespace forms
