#include "forms/jpeg_decode.h"

#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace forms {

namespace {

struct ErrorTrap {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// A damaged file ends the decode here instead of ending the program.
[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// libjpeg's warnings (a truncated file, stray bytes) are not shown: the program keeps no log.
void onMessage(j_common_ptr) {}
void onEmit(j_common_ptr, int) {}

// One source span of an output pixel along an axis: the source pixels [first, last] with
// the fractions of the first and the last that fall inside it.
struct Span {
    int first, last;
    float firstWeight, lastWeight;
};

std::vector<Span> spans(int from, int to) {
    std::vector<Span> out(static_cast<std::size_t>(to));
    const double ratio = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double a = i * ratio, b = (i + 1) * ratio;
        Span s;
        s.first = static_cast<int>(a);
        s.last = std::min(from - 1, static_cast<int>(b - 1e-9));
        s.firstWeight = static_cast<float>(std::min(b, s.first + 1.0) - a);
        s.lastWeight = s.last > s.first ? static_cast<float>(b - s.last) : 0.0f;
        out[static_cast<std::size_t>(i)] = s;
    }
    return out;
}

// Everything that lives across the decode, owned by the caller so that an error, which
// leaves through longjmp, skips no destructor.
struct Work {
    QImage out;
    std::vector<unsigned char> row; // one decoded row, BGRX
    std::vector<float> sum;         // the output row being averaged, three floats a pixel
    std::vector<float> line;        // one decoded row averaged across
    std::vector<Span> across, down;
};

bool decodeInto(jpeg_decompress_struct& info, std::FILE* file, QSize size, long long maxPixels,
                Work& w) {
    jpeg_stdio_src(&info, file);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
        return false; // libjpeg converts these to nothing we draw
    info.out_color_space = JCS_EXT_BGRX;
    info.scale_denom = 8;
    for (unsigned m = 1; m <= 8; ++m) {
        info.scale_num = m;
        jpeg_calc_output_dimensions(&info);
        if (static_cast<int>(info.output_width) >= size.width() &&
            static_cast<int>(info.output_height) >= size.height())
            break;
    }
    const int inW = static_cast<int>(info.output_width);
    const int inH = static_cast<int>(info.output_height);
    if (inW < size.width() || inH < size.height())
        return false; // larger than the picture itself: the general way scales it up
    if (static_cast<long long>(inW) * inH > maxPixels)
        return false;
    w.out = QImage(size, QImage::Format_RGB32);
    if (w.out.isNull())
        return false;
    w.row.resize(static_cast<std::size_t>(inW) * 4);
    w.line.resize(static_cast<std::size_t>(size.width()) * 3);
    w.sum.assign(static_cast<std::size_t>(size.width()) * 3, 0.0f);
    w.across = spans(inW, size.width());
    w.down = spans(inH, size.height());
    const float area = static_cast<float>(inW) / size.width() * inH / size.height();

    jpeg_start_decompress(&info);
    int outRow = 0;
    for (int y = 0; y < inH && outRow < size.height(); ++y) {
        JSAMPROW r = w.row.data();
        jpeg_read_scanlines(&info, &r, 1);
        // The row averaged across into output columns.
        for (int x = 0; x < size.width(); ++x) {
            const Span& s = w.across[static_cast<std::size_t>(x)];
            float acc[3] = {0, 0, 0};
            for (int k = s.first; k <= s.last; ++k) {
                const float wt = k == s.first ? s.firstWeight : k == s.last ? s.lastWeight : 1.0f;
                const unsigned char* p = &w.row[static_cast<std::size_t>(k) * 4];
                acc[0] += wt * p[0];
                acc[1] += wt * p[1];
                acc[2] += wt * p[2];
            }
            std::copy(acc, acc + 3, &w.line[static_cast<std::size_t>(x) * 3]);
        }
        // Its share of the output rows it falls into; a row on a boundary feeds two.
        for (;;) {
            const Span& s = w.down[static_cast<std::size_t>(outRow)];
            const float wt = y == s.first ? s.firstWeight : y == s.last ? s.lastWeight : 1.0f;
            for (std::size_t i = 0; i < w.sum.size(); ++i)
                w.sum[i] += wt * w.line[i];
            if (y < s.last)
                break;
            auto* out = reinterpret_cast<QRgb*>(w.out.scanLine(outRow));
            for (int x = 0; x < size.width(); ++x) {
                const float* c = &w.sum[static_cast<std::size_t>(x) * 3];
                out[x] = qRgb(std::min(255, static_cast<int>(c[2] / area + 0.5f)),
                              std::min(255, static_cast<int>(c[1] / area + 0.5f)),
                              std::min(255, static_cast<int>(c[0] / area + 0.5f)));
            }
            std::fill(w.sum.begin(), w.sum.end(), 0.0f);
            if (++outRow >= size.height())
                break;
            if (w.down[static_cast<std::size_t>(outRow)].first != y)
                break;
        }
    }
    jpeg_abort_decompress(&info); // rows the averaging did not need stay unread
    return outRow == size.height();
}

} // namespace

QImage decodeJpegScaled(int fd, QSize size, long long maxPixels) {
    if (size.isEmpty() || ::lseek(fd, 0, SEEK_SET) != 0)
        return {};
    const int own = ::dup(fd);
    if (own < 0)
        return {};
    std::FILE* file = ::fdopen(own, "rb");
    if (!file) {
        ::close(own);
        return {};
    }
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.base);
    trap.base.error_exit = onError;
    trap.base.output_message = onMessage;
    trap.base.emit_message = onEmit;
    Work work;
    volatile bool ok = false; // read after a longjmp
    // The trap is set before libjpeg is first called, so that every error it raises lands.
    if (setjmp(trap.jump) == 0) {
        jpeg_create_decompress(&info);
        ok = decodeInto(info, file, size, maxPixels, work);
    }
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return ok ? work.out : QImage();
}

} // namespace forms
