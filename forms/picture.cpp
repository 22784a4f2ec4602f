#include "forms/picture.h"

#include "forms/jpeg_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QTransform>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace forms {

namespace {

// Largest file the decoder reads into memory: a 32-bit BMP at the decode bound, with room.
constexpr std::int64_t kMaxFileBytes = PictureData::kMaxDecodePixels * 4 + 16 * 1024 * 1024;

Failure fail(const char* reason) {
    return Failure{reason};
}

Failure failErrno(const char* what, int err) {
    return Failure{std::string(what) + ": " + std::strerror(err)};
}

// Bytes of a picture read at given offsets: a file through pread(2) with a small window, so
// that skipping a long segment costs one read, or a block already in memory.
class Source {
  public:
    virtual ~Source() = default;
    virtual std::int64_t size() const = 0;
    // Copies `n` bytes from `offset`; false when the source ends before (or cannot be read).
    virtual bool read(std::int64_t offset, void* out, std::size_t n) = 0;
    // The read error that made read() fail, 0 when it was the end of the data.
    virtual int error() const { return 0; }

    bool u8(std::int64_t offset, unsigned& v) {
        unsigned char b;
        if (!read(offset, &b, 1))
            return false;
        v = b;
        return true;
    }
};

class MemorySource : public Source {
  public:
    explicit MemorySource(const QByteArray& bytes) : bytes_(bytes) {}
    std::int64_t size() const override { return bytes_.size(); }
    bool read(std::int64_t offset, void* out, std::size_t n) override {
        if (offset < 0 || offset > size() || static_cast<std::int64_t>(n) > size() - offset)
            return false;
        std::memcpy(out, bytes_.constData() + offset, n);
        return true;
    }

  private:
    const QByteArray& bytes_;
};

class FileSource : public Source {
  public:
    FileSource(int fd, std::int64_t size) : fd_(fd), size_(size), window_(64 * 1024) {}
    std::int64_t size() const override { return size_; }
    int error() const override { return error_; }

    bool read(std::int64_t offset, void* out, std::size_t n) override {
        if (offset < 0 || offset > size_ || static_cast<std::int64_t>(n) > size_ - offset)
            return false;
        auto* dst = static_cast<unsigned char*>(out);
        while (n > 0) {
            if (offset < windowStart_ || offset >= windowStart_ + windowLength_) {
                if (!fill(offset))
                    return false;
            }
            const std::int64_t at = offset - windowStart_;
            const std::size_t take =
                std::min<std::size_t>(n, static_cast<std::size_t>(windowLength_ - at));
            std::memcpy(dst, window_.data() + at, take);
            dst += take;
            offset += static_cast<std::int64_t>(take);
            n -= take;
        }
        return true;
    }

  private:
    bool fill(std::int64_t offset) {
        windowStart_ = offset;
        windowLength_ = 0;
        for (;;) {
            const ssize_t got = ::pread(fd_, window_.data(), window_.size(), offset);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error_ = errno;
            if (got <= 0)
                return false; // shorter than its size said: it changed while being read
            windowLength_ = got;
            return true;
        }
    }

    int fd_;
    std::int64_t size_;
    int error_ = 0;
    std::int64_t windowStart_ = 0, windowLength_ = 0;
    std::vector<unsigned char> window_;
};

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Opens a regular file for reading. A FIFO or a device is refused before it is opened, and
// again after (the name may have been replaced in between); O_NONBLOCK keeps the open itself
// from waiting on a FIFO's writer.
Result<int> openRegular(const std::string& path, std::int64_t& size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return failErrno("cannot open", errno);
    if (!S_ISREG(st.st_mode))
        return fail("not a regular file");
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failErrno("cannot open", errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail("not a regular file");
    }
    size = st.st_size;
    return fd;
}

// What a picture's header tells: its format, its size as stored and its EXIF orientation.
struct Header {
    PictureFormat format;
    int width, height;
    int orientation;
};

bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Reads an unsigned little- or big-endian number of `n` bytes from a buffer.
std::uint32_t le(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
std::uint32_t be(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

Failure endOfHeader(const Source& src) {
    if (src.error() != 0)
        return failErrno("cannot read", src.error());
    return fail("truncated header");
}

Result<Header> checkedSize(Header h) {
    if (h.width <= 0 || h.height <= 0)
        return fail("bad header");
    if (h.width > PictureData::kMaxSide || h.height > PictureData::kMaxSide ||
        static_cast<std::int64_t>(h.width) * h.height > PictureData::kMaxPixels)
        return fail("too large");
    return h;
}

Result<Header> readBmp(Source& src) {
    unsigned char file[18];
    if (!src.read(0, file, sizeof file))
        return endOfHeader(src);
    const std::uint32_t dataOffset = le(file + 10, 4);
    const std::uint32_t infoSize = le(file + 14, 4);
    // Core (12), info (40), info with masks (52, 56), version 4 (108) and 5 (124) headers.
    static constexpr std::uint32_t known[] = {12, 40, 52, 56, 108, 124};
    if (std::find(std::begin(known), std::end(known), infoSize) == std::end(known))
        return fail("bad header");
    if (dataOffset < 14 + infoSize)
        return fail("bad header");
    unsigned char info[40];
    const std::size_t need = std::min<std::size_t>(infoSize, sizeof info);
    if (!src.read(14, info, need))
        return endOfHeader(src);
    std::int64_t w, h;
    unsigned planes, bpp, compression = 0;
    if (infoSize == 12) {
        w = le(info + 4, 2);
        h = le(info + 6, 2);
        planes = le(info + 8, 2);
        bpp = le(info + 10, 2);
    } else {
        w = static_cast<std::int32_t>(le(info + 4, 4));
        h = static_cast<std::int32_t>(le(info + 8, 4));
        planes = le(info + 12, 2);
        bpp = le(info + 14, 2);
        compression = le(info + 16, 4);
    }
    if (h < 0)
        h = -h; // stored top-down
    const bool depthKnown = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    // Plain, RLE8, RLE4 and bit fields; the rest (embedded JPEG or PNG) is not read.
    if (planes != 1 || !depthKnown || compression > 3 || w <= 0 || h <= 0)
        return fail("bad header");
    if (w > PictureData::kMaxSide || h > PictureData::kMaxSide)
        return fail("too large");
    return checkedSize({PictureFormat::Bmp, static_cast<int>(w), static_cast<int>(h), 1});
}

// The logical screen's size, or the first image's when the screen claims none. The header is
// read up to the first image descriptor, so a file cut before it is refused.
Result<Header> readGif(Source& src) {
    unsigned char screen[13];
    if (!src.read(0, screen, sizeof screen))
        return endOfHeader(src);
    int w = static_cast<int>(le(screen + 6, 2));
    int h = static_cast<int>(le(screen + 8, 2));
    std::int64_t pos = 13;
    if (screen[10] & 0x80)
        pos += 3LL << ((screen[10] & 7) + 1);
    for (;;) {
        unsigned block;
        if (!src.u8(pos, block))
            return endOfHeader(src);
        if (block == 0x2C) {
            unsigned char image[9];
            if (!src.read(pos + 1, image, sizeof image))
                return endOfHeader(src);
            if (w == 0 || h == 0) {
                w = static_cast<int>(le(image + 4, 2));
                h = static_cast<int>(le(image + 6, 2));
            }
            return checkedSize({PictureFormat::Gif, w, h, 1});
        }
        if (block != 0x21)
            return fail("bad header"); // a trailer or garbage before any image
        pos += 2;                      // introducer and label, then sub-blocks up to an empty one
        for (;;) {
            unsigned length;
            if (!src.u8(pos, length))
                return endOfHeader(src);
            pos += 1 + length;
            if (length == 0)
                break;
        }
    }
}

// The orientation tag (0x0112) of IFD0 in an APP1 "Exif" segment's payload; 1 if absent.
int exifOrientation(const unsigned char* p, std::size_t n) {
    if (n < 14 || std::memcmp(p, "Exif\0\0", 6) != 0)
        return 1;
    const unsigned char* tiff = p + 6;
    const std::size_t size = n - 6;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M'))
        return 1;
    auto num = [&](std::size_t at, int bytes) {
        return little ? le(tiff + at, bytes) : be(tiff + at, bytes);
    };
    if (num(2, 2) != 42)
        return 1;
    const std::size_t ifd = num(4, 4);
    if (ifd > size || size - ifd < 2)
        return 1;
    const std::size_t count = num(ifd, 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (entry + 12 > size)
            break;
        if (num(entry, 2) != 0x0112)
            continue;
        const std::uint32_t type = num(entry + 2, 2);
        const std::uint32_t value = type == 3 ? num(entry + 8, 2) : num(entry + 8, 4);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

// Walks the markers from SOI to the first frame header, skipping each segment by its length,
// so a frame header behind large APPn segments costs a few reads, not the whole file.
Result<Header> readJpeg(Source& src) {
    std::int64_t pos = 2;
    int orientation = 0;
    for (;;) {
        unsigned byte;
        // Bytes between segments are garbage a decoder skips; so do we, up to a marker, but
        // not through a whole file of it.
        const std::int64_t garbageFrom = pos;
        do {
            if (!src.u8(pos++, byte))
                return endOfHeader(src);
            if (pos - garbageFrom > 4096)
                return fail("bad header");
        } while (byte != 0xFF);
        do {
            if (!src.u8(pos++, byte))
                return endOfHeader(src);
        } while (byte == 0xFF);
        const unsigned marker = byte;
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 ||
            (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length follows
        if (marker == 0xD9 || marker == 0xDA)
            return fail("bad header"); // image data or its end before any frame header
        unsigned char len[2];
        if (!src.read(pos, len, 2))
            return endOfHeader(src);
        const std::uint32_t length = be(len, 2);
        if (length < 2)
            return fail("bad header");
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char sof[6];
            if (length < 8)
                return fail("bad header");
            if (!src.read(pos + 2, sof, sizeof sof))
                return endOfHeader(src);
            const int h = static_cast<int>(be(sof + 1, 2));
            const int w = static_cast<int>(be(sof + 3, 2));
            return checkedSize({PictureFormat::Jpeg, w, h, orientation == 0 ? 1 : orientation});
        }
        if (marker == 0xE1 && orientation == 0 && length >= 8) {
            std::vector<unsigned char> payload(length - 2);
            if (!src.read(pos + 2, payload.data(), payload.size()))
                return endOfHeader(src);
            if (std::memcmp(payload.data(), "Exif\0\0", 6) == 0)
                orientation = exifOrientation(payload.data(), payload.size());
        }
        pos += length;
    }
}

Result<Header> readHeader(Source& src) {
    if (src.size() == 0)
        return fail("empty file");
    unsigned char magic[6] = {};
    const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(src.size(), 6));
    if (!src.read(0, magic, n))
        return endOfHeader(src);
    if (n >= 2 && magic[0] == 'B' && magic[1] == 'M')
        return readBmp(src);
    if (n >= 2 && magic[0] == 0xFF && magic[1] == 0xD8)
        return readJpeg(src);
    if (n == 6 && (std::memcmp(magic, "GIF87a", 6) == 0 || std::memcmp(magic, "GIF89a", 6) == 0))
        return readGif(src);
    return fail("not a picture");
}

Result<Picture> make(const std::string& source, bool resource, const Result<Header>& header) {
    if (!header)
        return Failure{header.reason()};
    const Header& h = header.value();
    const bool swap = swapsSides(h.orientation);
    return Picture(std::make_shared<PictureData>(source, resource, h.format,
                                                 swap ? h.height : h.width,
                                                 swap ? h.width : h.height, h.orientation));
}

// A resource's bytes; resources are small and compiled in, so they are read whole.
std::optional<QByteArray> readResource(const std::string& path, std::string& reason) {
    if (path.empty() || path[0] != ':') {
        reason = "not a resource path";
        return std::nullopt;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        reason = "cannot open: " + file.errorString().toStdString();
        return std::nullopt;
    }
    if (file.size() > kMaxFileBytes) {
        reason = "too large";
        return std::nullopt;
    }
    return file.readAll();
}

// A whole file through read(2), fresh from disk, refused past kMaxFileBytes.
std::optional<QByteArray> readWholeFile(const std::string& path) {
    std::int64_t size = 0;
    const Result<int> opened = openRegular(path, size);
    if (!opened)
        return std::nullopt;
    const Fd fd(opened.value());
    if (size > kMaxFileBytes)
        return std::nullopt;
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(size));
    std::int64_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            // It may have grown since fstat; keep reading in blocks until its end.
            if (bytes.size() >= kMaxFileBytes)
                return std::nullopt;
            bytes.resize(std::min<qsizetype>(bytes.size() + 64 * 1024, kMaxFileBytes));
        }
        const ssize_t got =
            ::read(fd.get(), bytes.data() + have, static_cast<std::size_t>(bytes.size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        have += got;
    }
    bytes.truncate(static_cast<qsizetype>(have));
    return bytes;
}

const char* qtFormat(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return "bmp";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Gif:
        return "gif";
    }
    return "";
}

// Turns an image as stored into the upright picture its EXIF orientation describes.
QImage upright(QImage image, int orientation) {
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.transformed(QTransform().rotate(180));
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.mirrored(false, true).transformed(QTransform().rotate(90));
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.mirrored(true, false).transformed(QTransform().rotate(90));
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

std::int64_t pixels(QSize s) {
    return static_cast<std::int64_t>(s.width()) * s.height();
}

} // namespace

PictureData::PictureData(std::string source, bool resource, PictureFormat format, int w, int h,
                         int orientation)
    : source_(std::move(source)), resource_(resource), format_(format), width_(w), height_(h),
      orientation_(orientation) {}

Result<Picture> PictureData::fromFile(const std::string& hostPath) {
    std::int64_t size = 0;
    const Result<int> opened = openRegular(hostPath, size);
    if (!opened)
        return Failure{opened.reason()};
    const Fd fd(opened.value());
    FileSource src(fd.get(), size);
    return make(hostPath, false, readHeader(src));
}

Result<Picture> PictureData::fromResource(const std::string& path) {
    std::string reason;
    const std::optional<QByteArray> bytes = readResource(path, reason);
    if (!bytes)
        return Failure{reason};
    MemorySource src(*bytes);
    return make(path, true, readHeader(src));
}

namespace {

std::atomic<std::uint64_t> decodes{0};

} // namespace

std::uint64_t PictureData::decodeCount() {
    return decodes.load();
}

bool PictureData::decodedAt(QSize size) const {
    const std::lock_guard lock(mutex_);
    return std::any_of(decoded_.begin(), decoded_.end(),
                       [&](const Decoded& d) { return d.ready && d.size == size; });
}

bool PictureData::requestedAt(QSize size) const {
    const std::lock_guard lock(mutex_);
    return std::any_of(decoded_.begin(), decoded_.end(),
                       [&](const Decoded& d) { return d.size == size; });
}

std::int64_t PictureData::decodedBytes() const {
    const std::lock_guard lock(mutex_);
    std::int64_t bytes = 0;
    for (const Decoded& d : decoded_)
        bytes += d.image.sizeInBytes();
    return bytes;
}

QImage PictureData::scaled(QSize size) const {
    if (size.isEmpty())
        return {};
    std::unique_lock lock(mutex_);
    const auto at = [&] {
        return std::find_if(decoded_.begin(), decoded_.end(),
                            [&](const Decoded& d) { return d.size == size; });
    };
    for (auto it = at(); it != decoded_.end(); it = at()) {
        if (it->ready) {
            // Used now: it moves to the back, last in line to be forgotten.
            std::rotate(it, it + 1, decoded_.end());
            return decoded_.back().image;
        }
        decodeDone_.wait(lock);
    }
    decoded_.push_back(Decoded{size, {}, false});
    // Forget the least recently used sizes beyond the kept ones; a decode under way stays.
    for (auto it = decoded_.begin(); decoded_.size() > kKeptSizes && it != decoded_.end();)
        it = it->ready ? decoded_.erase(it) : it + 1;
    lock.unlock();

    // Decoded without the lock, so a draw on one thread does not wait for another's decode.
    decodes.fetch_add(1);
    QImage image = decode(size);

    lock.lock();
    const auto it = at();
    it->image = image;
    it->ready = true;
    decodeDone_.notify_all();
    return image;
}

QImage PictureData::full() const {
    return scaled(QSize(width_, height_));
}

QImage PictureData::decode(QSize size) const {
    if (size.isEmpty() || pixels(size) > kMaxDecodePixels)
        return {};
    if (!resource_) {
        // A JPEG file decodes straight at the scale drawn, streamed from the file; anything
        // else, and a JPEG libjpeg cannot decode that way, takes the general way below.
        std::int64_t fileSize = 0;
        const Result<int> opened = openRegular(source_, fileSize);
        if (!opened)
            return {};
        const Fd fd(opened.value());
        FileSource src(fd.get(), fileSize);
        const Result<Header> header = readHeader(src);
        if (!header)
            return {};
        const Header& h = header.value();
        if (h.format == PictureFormat::Jpeg) {
            const QSize wanted = swapsSides(h.orientation) ? size.transposed() : size;
            QImage image = decodeJpegScaled(fd.get(), wanted, kMaxDecodePixels);
            if (!image.isNull())
                return upright(std::move(image), h.orientation);
        }
    }
    std::string reason;
    std::optional<QByteArray> bytes =
        resource_ ? readResource(source_, reason) : readWholeFile(source_);
    if (!bytes)
        return {};
    // The file is read afresh and may have changed since it was loaded: its header now counts.
    MemorySource src(*bytes);
    const Result<Header> header = readHeader(src);
    if (!header)
        return {};
    const Header& h = header.value();
    const QSize stored(h.width, h.height);
    const QSize wanted = swapsSides(h.orientation) ? size.transposed() : size;

    // JPEG: the smallest of libjpeg's 1/8, 1/4, 1/2 scales that still covers the size. The
    // reader's scaled size is rounded down, so Qt asks libjpeg for exactly that scale.
    QSize decodeAt = stored;
    QSize produced = stored; // what the decoder allocates (libjpeg rounds its scales up)
    if (h.format == PictureFormat::Jpeg) {
        for (const int s : {8, 4, 2}) {
            const QSize at(h.width / s, h.height / s);
            if (at.width() >= wanted.width() && at.height() >= wanted.height()) {
                decodeAt = at;
                produced = QSize((h.width + s - 1) / s, (h.height + s - 1) / s);
                break;
            }
        }
    }
    if (pixels(produced) > kMaxDecodePixels)
        return {};

    QBuffer buffer(&*bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, qtFormat(h.format));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(static_cast<int>(kMaxDecodePixels * 4 / (1024 * 1024)));
    if (decodeAt != stored)
        reader.setScaledSize(decodeAt);
    QImage image = reader.read(); // a GIF's first frame
    if (image.isNull())
        return {};
    image = upright(std::move(image), h.orientation);
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace forms
