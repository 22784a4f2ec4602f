#include "forms/row_scaler.h"

#include <algorithm>

namespace forms {

RowScaler::RowScaler(QSize in, QSize out, Orientation orientation, bool alpha)
    : in_(in), out_(out), orientation_(orientation), direct_(in == out) {
    if (in.isEmpty() || out.isEmpty())
        return;
    image_ = QImage(liesOnItsSide(orientation_) ? out.transposed() : out,
                    alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image_.isNull())
        return;
    const std::ptrdiff_t stride = image_.bytesPerLine() / 4;
    switch (orientation_) {
    case Orientation::Upright:
    case Orientation::MirroredUpsideDown:
        step_ = 1;
        break;
    case Orientation::Mirrored:
    case Orientation::UpsideDown:
        step_ = -1;
        break;
    case Orientation::Transposed:
    case Orientation::TurnedRight:
        step_ = stride;
        break;
    case Orientation::Transversed:
    case Orientation::TurnedLeft:
        step_ = -stride;
        break;
    }
    if (direct_)
        return;
    auto spans = [](int from, int to) {
        std::vector<Span> s(static_cast<std::size_t>(to));
        const double ratio = static_cast<double>(from) / to;
        for (int i = 0; i < to; ++i) {
            const double a = i * ratio, b = (i + 1) * ratio;
            Span& span = s[static_cast<std::size_t>(i)];
            span.first = std::min(from - 1, static_cast<int>(a));
            span.last = std::max(span.first, std::min(from - 1, static_cast<int>(b - 1e-9)));
            span.firstWeight = static_cast<float>(std::min(b, span.first + 1.0) - a);
            span.lastWeight = span.last > span.first ? static_cast<float>(b - span.last) : 0.0f;
        }
        return s;
    };
    across_ = spans(in.width(), out.width());
    down_ = spans(in.height(), out.height());
    line_.resize(static_cast<std::size_t>(out.width()) * 4);
    averaged_.resize(static_cast<std::size_t>(out.width()));
    sum_.assign(static_cast<std::size_t>(out.width()) * 4, 0.0f);
    area_ = static_cast<float>(in.width()) / out.width() * in.height() / out.height();
}

// Where output row `outRow` (as stored) starts in the upright result.
QRgb* RowScaler::start(int outRow) const {
    const int w = out_.width(), h = out_.height();
    int u = 0, v = 0; // upright column and row of the row's first pixel
    switch (orientation_) {
    case Orientation::Upright:
        v = outRow;
        break;
    case Orientation::Mirrored:
        u = w - 1, v = outRow;
        break;
    case Orientation::UpsideDown:
        u = w - 1, v = h - 1 - outRow;
        break;
    case Orientation::MirroredUpsideDown:
        v = h - 1 - outRow;
        break;
    case Orientation::Transposed:
        u = outRow;
        break;
    case Orientation::TurnedRight:
        u = h - 1 - outRow;
        break;
    case Orientation::Transversed:
        u = h - 1 - outRow, v = w - 1;
        break;
    case Orientation::TurnedLeft:
        u = outRow, v = w - 1;
        break;
    }
    return reinterpret_cast<QRgb*>(const_cast<uchar*>(image_.constScanLine(v))) + u;
}

// A row of the result in the stored orientation. Turned a quarter, a row lands on a column
// of the result; rows are then gathered a few at a time and written across, so that the
// writes go along the result's rows instead of one cache line a pixel.
void RowScaler::writeRow(int index, const QRgb* row) {
    if (step_ == 1 || step_ == -1) {
        QRgb* out = start(index);
        if (step_ == 1)
            std::copy(row, row + out_.width(), out);
        else
            std::reverse_copy(row, row + out_.width(), out - (out_.width() - 1));
        return;
    }
    if (pendingRows_ == 0)
        pendingFirst_ = index;
    pending_.insert(pending_.end(), row, row + out_.width());
    if (++pendingRows_ == kGathered)
        flush();
}

void RowScaler::flush() {
    if (pendingRows_ == 0)
        return;
    const int w = out_.width();
    QRgb* const first = start(pendingFirst_);
    const std::ptrdiff_t along =
        orientation_ == Orientation::Transposed || orientation_ == Orientation::TurnedLeft ? 1 : -1;
    for (int x = 0; x < w; ++x) {
        QRgb* out = first + x * step_;
        const QRgb* in = pending_.data() + x;
        for (int k = 0; k < pendingRows_; ++k, in += w)
            out[k * along] = *in;
    }
    pendingRows_ = 0;
    pending_.clear();
}

void RowScaler::writeSums(const float* sums) {
    const float scale = 1.0f / area_;
    auto channel = [scale](float v) { return std::min(255, static_cast<int>(v * scale + 0.5f)); };
    for (int x = 0; x < out_.width(); ++x) {
        const float* c = sums + static_cast<std::size_t>(x) * 4;
        averaged_[static_cast<std::size_t>(x)] =
            qRgba(channel(c[0]), channel(c[1]), channel(c[2]), channel(c[3]));
    }
    writeRow(outRow_++, averaged_.data());
}

void RowScaler::add(const QRgb* row) {
    if (!ok() || y_ >= in_.height())
        return;
    if (direct_) {
        ++y_;
        writeRow(outRow_++, row);
        return;
    }
    // The row averaged across into output columns.
    for (int x = 0; x < out_.width(); ++x) {
        const Span& s = across_[static_cast<std::size_t>(x)];
        float acc[4] = {0, 0, 0, 0};
        for (int k = s.first; k <= s.last; ++k) {
            const float wt = k == s.first ? s.firstWeight : k == s.last ? s.lastWeight : 1.0f;
            const QRgb p = row[k];
            acc[0] += wt * static_cast<float>(qRed(p));
            acc[1] += wt * static_cast<float>(qGreen(p));
            acc[2] += wt * static_cast<float>(qBlue(p));
            acc[3] += wt * static_cast<float>(qAlpha(p));
        }
        std::copy(acc, acc + 4, &line_[static_cast<std::size_t>(x) * 4]);
    }
    accumulate();
}

// The averaged row's share of the output rows it falls into; a row on a boundary feeds two.
void RowScaler::accumulate() {
    const int y = y_++;
    while (outRow_ < out_.height()) {
        const Span& s = down_[static_cast<std::size_t>(outRow_)];
        const float wt = y == s.first ? s.firstWeight : y == s.last ? s.lastWeight : 1.0f;
        for (std::size_t i = 0; i < sum_.size(); ++i)
            sum_[i] += wt * line_[i];
        if (y < s.last)
            break;
        writeSums(sum_.data());
        std::fill(sum_.begin(), sum_.end(), 0.0f);
        if (outRow_ >= out_.height() || down_[static_cast<std::size_t>(outRow_)].first != y)
            break;
    }
}

// A row of one colour costs no averaging across: each output column takes the colour times
// the width it covers.
void RowScaler::addFill(QRgb colour, int n) {
    if (!ok())
        return;
    n = std::min(n, rowsLeft());
    if (n <= 0)
        return;
    if (direct_) {
        const std::vector<QRgb> row(static_cast<std::size_t>(in_.width()), colour);
        for (int i = 0; i < n; ++i, ++y_)
            writeRow(outRow_++, row.data());
        return;
    }
    const float c[4] = {static_cast<float>(qRed(colour)), static_cast<float>(qGreen(colour)),
                        static_cast<float>(qBlue(colour)), static_cast<float>(qAlpha(colour))};
    for (int x = 0; x < out_.width(); ++x) {
        const Span& s = across_[static_cast<std::size_t>(x)];
        const float width =
            s.firstWeight + s.lastWeight + static_cast<float>(std::max(0, s.last - s.first - 1));
        for (int i = 0; i < 4; ++i)
            line_[static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(i)] = c[i] * width;
    }
    for (int i = 0; i < n; ++i)
        accumulate();
}

QImage RowScaler::finish(QRgb fill) {
    if (!ok())
        return {};
    addFill(fill, rowsLeft());
    flush();
    return image_;
}

} // namespace forms
