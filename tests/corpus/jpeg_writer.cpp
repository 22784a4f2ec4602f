#include "tests/corpus/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace picture_corpus {

namespace {

struct Trap {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<Trap*>(info->err)->jump, 1);
}

} // namespace

QByteArray writeJpeg(const QImage& source, const JpegOptions& o) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct info{};
    Trap trap{};
    info.err = jpeg_std_error(&trap.base);
    trap.base.error_exit = onError;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width()) * 4);
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_compress(&info);
        std::free(out);
        throw std::runtime_error("libjpeg cannot write this JPEG");
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = o.cmyk ? 4 : 3;
    info.in_color_space = o.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, o.quality, TRUE);
    if (o.fullChroma)
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    if (o.progressive)
        jpeg_simple_progression(&info);
    info.arith_code = o.arithmetic ? TRUE : FALSE;
    if (o.restarts)
        info.restart_in_rows = 1;
    jpeg_start_compress(&info, TRUE);
    const std::size_t n = o.cmyk ? 4 : 3;
    for (int y = 0; y < image.height(); ++y) {
        const auto* px = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // CMYK is stored inverted, as Adobe's encoders do: no ink is 255.
            JSAMPLE* s = &row[static_cast<std::size_t>(x) * n];
            s[0] = static_cast<JSAMPLE>(qRed(px[x]));
            s[1] = static_cast<JSAMPLE>(qGreen(px[x]));
            s[2] = static_cast<JSAMPLE>(qBlue(px[x]));
            if (o.cmyk)
                s[3] = 255;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

} // namespace picture_corpus
