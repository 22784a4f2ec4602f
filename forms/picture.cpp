#include "forms/picture.h"

#include "forms/bmp_decode.h"
#include "forms/gif_decode.h"
#include "forms/jpeg_decode.h"
#include "forms/picture_bytes.h"
#include "forms/picture_header.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace forms {

namespace {

// Largest resource read into memory: a 32-bit BMP at the decode bound, with room.
constexpr std::int64_t kMaxFileBytes = PictureData::kMaxDecodePixels * 4 + 16 * 1024 * 1024;

Failure fail(const char* reason) {
    return Failure{reason};
}

Failure failErrno(const char* what, int err) {
    return Failure{std::string(what) + ": " + std::strerror(err)};
}

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

Result<Picture> make(const std::string& source, bool resource,
                     const Result<PictureHeader>& header) {
    if (!header)
        return Failure{header.reason()};
    const PictureHeader& h = header.value();
    const bool swap = liesOnItsSide(h.orientation);
    return Picture(std::make_shared<PictureData>(
        source, resource, h.format, swap ? h.height : h.width, swap ? h.width : h.height));
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

std::int64_t pixels(QSize s) {
    return static_cast<std::int64_t>(s.width()) * s.height();
}

} // namespace

PictureData::PictureData(std::string source, bool resource, PictureFormat format, int w, int h)
    : source_(std::move(source)), resource_(resource), format_(format), width_(w), height_(h) {}

Result<Picture> PictureData::fromFile(const std::string& hostPath) {
    std::int64_t size = 0;
    const Result<int> opened = openRegular(hostPath, size);
    if (!opened)
        return Failure{opened.reason()};
    const Fd fd(opened.value());
    FileBytes bytes(fd.get(), size);
    return make(hostPath, false, readPictureHeader(bytes));
}

Result<Picture> PictureData::fromResource(const std::string& path) {
    std::string reason;
    const std::optional<QByteArray> bytes = readResource(path, reason);
    if (!bytes)
        return Failure{reason};
    MemoryBytes src(bytes->constData(), bytes->size());
    return make(path, true, readPictureHeader(src));
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

// The file is read afresh and may have changed since it was loaded: its header now counts.
// Each format is decoded as its rows arrive, at the size drawn (never above its own, which a
// smooth scaling then reaches), reading no further than the header says the picture needs.
QImage PictureData::decode(QSize size) const {
    if (size.isEmpty() || pixels(size) > kMaxDecodePixels)
        return {};
    std::optional<QByteArray> resourceBytes;
    std::optional<Fd> fd;
    std::unique_ptr<PictureBytes> bytes;
    if (resource_) {
        std::string reason;
        resourceBytes = readResource(source_, reason);
        if (!resourceBytes)
            return {};
        bytes = std::make_unique<MemoryBytes>(resourceBytes->constData(), resourceBytes->size());
    } else {
        std::int64_t fileSize = 0;
        const Result<int> opened = openRegular(source_, fileSize);
        if (!opened)
            return {};
        fd.emplace(opened.value());
        bytes = std::make_unique<FileBytes>(fd->get(), fileSize);
    }
    const Result<PictureHeader> header = readPictureHeader(*bytes);
    if (!header)
        return {};
    const PictureHeader& h = header.value();
    const bool swap = liesOnItsSide(h.orientation);
    const QSize own = swap ? QSize(h.height, h.width) : QSize(h.width, h.height);
    const QSize at = size.boundedTo(own);
    QImage image;
    switch (h.format) {
    case PictureFormat::Jpeg:
        image = decodeJpeg(*bytes, h.readLimit, swap ? at.transposed() : at, h.orientation,
                           kMaxDecodePixels);
        break;
    // Without scaled decoding, every stored pixel passes through the scaling: bounded here.
    case PictureFormat::Bmp:
        if (pixels(own) <= kMaxDecodePixels)
            image = decodeBmp(*bytes, h.readLimit, at);
        break;
    case PictureFormat::Gif:
        if (pixels(own) <= kMaxDecodePixels)
            image = decodeGif(*bytes, h.readLimit, at);
        break;
    }
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace forms
