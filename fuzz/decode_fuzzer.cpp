// Loads any bytes as a picture file and draws it as the programs do: fitted into a preview,
// at its own size when that is small, scaled up, and at a third of its size. Each draw is a
// picture of exactly the size asked, or nothing.
#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "forms/picture.h"

namespace {

// The input as a regular file that the loader opens by name, without touching the disk.
int inputFile() {
    static const int fd = ::memfd_create("picture", MFD_CLOEXEC);
    return fd;
}

void expectDrawn(const forms::Picture& picture, QSize size) {
    if (size.isEmpty())
        return;
    const QImage image = picture->scaled(size);
    if (!image.isNull() && image.size() != size)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = inputFile();
    if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    const auto loaded = forms::PictureData::fromFile("/proc/self/fd/" + std::to_string(fd));
    if (!loaded)
        return 0;
    const forms::Picture& p = loaded.value();
    const QSize own(p->widthPx(), p->heightPx());
    expectDrawn(p, own.scaled(QSize(97, 61), Qt::KeepAspectRatio));
    if (static_cast<std::int64_t>(own.width()) * own.height() <= (1 << 20)) {
        expectDrawn(p, own);
        expectDrawn(p, own / 3);
    }
    if (own.width() <= 128 && own.height() <= 128)
        expectDrawn(p, own * 2);
    return 0;
}
