#pragma once
#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

// Bad picture files, one for each way a file from elsewhere can be made to hurt the picture
// loading, built byte by byte when the tests run: truncations, lying headers, huge declared
// sizes, JPEG processes and colour spaces, EXIF orientations, BMP rows and runs, GIF screens
// and LZW data, files that are not pictures, and files made to cost time or memory.
namespace picture_corpus {

// What loading and drawing the file must give.
enum class Outcome {
    Refused,    // the header is refused with `reason`
    Drawn,      // every size asked is drawn
    FittedOnly, // too many pixels at its own size; smaller sizes are drawn
    Blank,      // loads, and draws nothing at any size
    Either,     // loads; each draw is a picture of the size asked or nothing
};

struct Entry {
    std::string name; // file name; the extension is not always the format's
    QByteArray bytes;
    Outcome outcome;
    std::string reason = {};    // for Refused
    std::int64_t holeBytes = 0; // a hole of this many bytes after `bytes` (a sparse file)
    std::int64_t size() const { return bytes.size() + holeBytes; }
};

std::vector<Entry> corpus();

// Writes the entry into `dir`; returns its path.
std::string write(const Entry& entry, const std::string& dir);

// The sizes a picture is drawn at by the programs: its own, fitted into a frame window, and
// fitted into the chooser's preview.
QSize fitted(QSize own, QSize box);
inline constexpr QSize kFrameWindow{1024, 768};
inline constexpr QSize kPreview{160, 120};

} // namespace picture_corpus
