#pragma once
#include <QImage>
#include <QRgb>
#include <QSize>

#include <cstddef>
#include <vector>

#include "forms/orientation.h"

namespace forms {

// Scales a picture whose rows arrive one at a time, top to bottom as stored, to a given size
// by averaging the area each output pixel covers, and turns it upright as its orientation
// says while writing: memory stays at the result and a row or two, and no turned
// or intermediate copy is ever held. Rows are premultiplied ARGB. Rows the source never gives
// are drawn in the colour finish() is given, so every pixel of the result is written.
class RowScaler {
  public:
    // `in` is the stored size, `out` the size to scale to, also as stored. `alpha` makes the
    // result premultiplied ARGB, else RGB32 (and the rows must be opaque).
    RowScaler(QSize in, QSize out, Orientation orientation, bool alpha);
    // Whether the result could be allocated.
    bool ok() const { return !image_.isNull(); }
    int width() const { return in_.width(); }
    // Rows still to come.
    int rowsLeft() const { return in_.height() - y_; }
    // The next stored row, width() pixels.
    void add(const QRgb* row);
    // `n` rows of one colour.
    void addFill(QRgb colour, int n);
    // The rows not given yet in `fill`, then the result.
    QImage finish(QRgb fill);

  private:
    void accumulate();
    void writeSums(const float* sums);
    void writeRow(int index, const QRgb* row);
    void flush();
    QRgb* start(int outRow) const;

    QSize in_, out_;
    Orientation orientation_;
    QImage image_;
    std::ptrdiff_t step_ = 1; // from one output pixel of a row to the next, in the result
    bool direct_;             // no scaling: rows are copied
    struct Span {
        int first, last;
        float firstWeight, lastWeight;
    };
    std::vector<Span> across_, down_;
    std::vector<float> line_, sum_;
    std::vector<QRgb> averaged_; // one output row
    static constexpr int kGathered = 32;
    std::vector<QRgb> pending_; // output rows gathered before they are written across
    int pendingFirst_ = 0, pendingRows_ = 0;
    float area_ = 1;
    int y_ = 0, outRow_ = 0;
};

} // namespace forms
