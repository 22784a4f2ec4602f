#pragma once
#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

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
    // the smallest DCT scale that still covers the size. The last result is kept, so
    // repeated draws at one size decode once. A picture that can no longer be decoded (the
    // file vanished or is damaged past its header) gives a null image.
    QImage scaled(QSize size) const;
    // Whether the picture is decoded at `size` already, so that scaled() costs nothing.
    bool decodedAt(QSize size) const;
    // The whole picture at its own (upright) size; null when it is too large to decode within
    // kMaxDecodePixels or cannot be decoded. For small pictures and tests.
    QImage full() const;

    // Largest number of pixels one decode may allocate, and largest side a header may claim.
    static constexpr std::int64_t kMaxDecodePixels = 64LL * 1024 * 1024;
    static constexpr int kMaxSide = 32767;
    static constexpr std::int64_t kMaxPixels = 400LL * 1000 * 1000;

    PictureData(std::string source, bool resource, PictureFormat format, int w, int h,
                int orientation);

  private:
    QImage decode(QSize size) const;

    std::string source_;
    bool resource_;
    PictureFormat format_;
    int width_, height_;
    int orientation_; // EXIF orientation 1..8 (JPEG), 1 otherwise

    mutable std::mutex mutex_;
    mutable QImage cache_;
    mutable QSize cacheSize_;
    mutable bool cached_ = false;
};

using Picture = std::shared_ptr<const PictureData>;

} // namespace forms
