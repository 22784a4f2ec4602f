#include "forms/jpeg_decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "forms/row_scaler.h"

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

// A file with more scans than any encoder writes is refused while it is read: each scan costs
// a pass over the whole picture.
void onProgress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        info->err->msg_code = JERR_NOTIMPL; // any code: the message is not shown
        info->err->error_exit(info);
    }
}

// libjpeg reads the picture's bytes from here, up to the limit; past it, the data ends as a
// cut file does (libjpeg then ends the picture as if its end marker came).
struct BoundedSource {
    jpeg_source_mgr base;
    PictureBytes* bytes;
    std::int64_t pos, limit;
    JOCTET buffer[64 * 1024];
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr info) {
    auto* src = reinterpret_cast<BoundedSource*>(info->src);
    std::size_t got = 0;
    if (src->pos < src->limit) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(sizeof src->buffer, src->limit - src->pos));
        got = src->bytes->readAt(src->pos, src->buffer, want);
    }
    if (got == 0) {
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        got = 2;
        src->pos = src->limit;
    } else {
        src->pos += static_cast<std::int64_t>(got);
    }
    src->base.next_input_byte = src->buffer;
    src->base.bytes_in_buffer = got;
    return TRUE;
}

void skipInput(j_decompress_ptr info, long n) {
    auto* src = reinterpret_cast<BoundedSource*>(info->src);
    if (n <= 0)
        return;
    if (static_cast<std::size_t>(n) <= src->base.bytes_in_buffer) {
        src->base.next_input_byte += n;
        src->base.bytes_in_buffer -= static_cast<std::size_t>(n);
        return;
    }
    src->pos = std::min(src->limit, src->pos + (n - static_cast<long>(src->base.bytes_in_buffer)));
    src->base.bytes_in_buffer = 0;
}

// Everything that lives across the decode, owned by the caller so that an error, which
// leaves through longjmp, skips no destructor.
struct Work {
    BoundedSource source;
    jpeg_progress_mgr progress;
    std::optional<RowScaler> scaler;
    std::vector<QRgb> row; // one decoded row
};

bool decodeInto(jpeg_decompress_struct& info, QSize size, Orientation orientation,
                std::int64_t maxPixels, Work& w) {
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    // CMYK is made RGB here: libjpeg gives it as it is stored.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    // Decoded straight into pixels: QRgb's bytes in memory are B, G, R, A on this host order.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
#else
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_ARGB;
#endif
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
    if (inW < size.width() || inH < size.height() ||
        static_cast<std::int64_t>(inW) * inH > maxPixels)
        return false;
    w.scaler.emplace(QSize(inW, inH), size, orientation, false);
    if (!w.scaler->ok())
        return false;
    w.row.resize(static_cast<std::size_t>(inW));

    jpeg_start_decompress(&info);
    while (w.scaler->rowsLeft() > 0 && info.output_scanline < info.output_height) {
        JSAMPROW r = reinterpret_cast<JSAMPROW>(w.row.data());
        if (jpeg_read_scanlines(&info, &r, 1) != 1)
            break;
        if (cmyk) {
            // Inverted, as the common encoders write it: no ink is 255.
            const JSAMPLE* s = r;
            for (int x = 0; x < inW; ++x, s += 4) {
                const unsigned k = s[3];
                w.row[static_cast<std::size_t>(x)] =
                    qRgb(static_cast<int>(s[0] * k / 255), static_cast<int>(s[1] * k / 255),
                         static_cast<int>(s[2] * k / 255));
            }
        }
        w.scaler->add(w.row.data());
    }
    jpeg_abort_decompress(&info); // rows the averaging did not need stay unread
    return w.scaler->rowsLeft() == 0;
}

} // namespace

QImage decodeJpeg(PictureBytes& bytes, std::int64_t readLimit, QSize size, Orientation orientation,
                  std::int64_t maxPixels) {
    if (size.isEmpty())
        return {};
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.base);
    trap.base.error_exit = onError;
    trap.base.output_message = onMessage;
    trap.base.emit_message = onEmit;
    auto work = std::make_unique<Work>();
    BoundedSource& src = work->source;
    src.base.init_source = initSource;
    src.base.fill_input_buffer = fillInput;
    src.base.skip_input_data = skipInput;
    src.base.resync_to_restart = jpeg_resync_to_restart;
    src.base.term_source = termSource;
    src.bytes = &bytes;
    src.pos = 0;
    src.limit = std::min(readLimit, bytes.size());
    work->progress.progress_monitor = onProgress;
    volatile bool ok = false; // read after a longjmp
    // The trap is set before libjpeg is first called, so that every error it raises lands.
    if (setjmp(trap.jump) == 0) {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMaxJpegMemory;
        info.src = &src.base;
        info.progress = &work->progress;
        ok = decodeInto(info, size, orientation, maxPixels, *work);
    }
    jpeg_destroy_decompress(&info);
    return ok ? work->scaler->finish(0) : QImage();
}

} // namespace forms
