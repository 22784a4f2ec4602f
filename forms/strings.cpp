#include "forms/strings.h"

#include <QChar>

namespace forms::str {

namespace {

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length in bytes of the well-formed UTF-8 sequence starting at s[i], or 0 when the bytes
// there do not form one (stray continuation byte, overlong form, surrogate, beyond U+10FFFF,
// truncated sequence). `cp` receives the code point of a well-formed sequence.
std::size_t decode(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t n;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < n)
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (!continuation(b))
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// Bytes of the character at s[i]: a well-formed sequence, or a single byte that is not part
// of one (such a byte counts as a character of its own, so nothing is ever cut in half).
std::size_t charBytes(std::string_view s, std::size_t i) {
    char32_t cp;
    const std::size_t n = decode(s, i, cp);
    return n ? n : 1;
}

// Byte offset of the character numbered `index` (0-based), or s.size() past the end.
std::size_t byteOffset(std::string_view s, long index) {
    std::size_t i = 0;
    for (long k = 0; k < index && i < s.size(); ++k)
        i += charBytes(s, i);
    return i;
}

void encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string mid(std::string_view s, long start, long length) {
    if (start < 1)
        start = 1;
    const std::size_t from = byteOffset(s, start - 1);
    if (length < 0)
        return std::string(s.substr(from));
    const std::size_t to = from + byteOffset(s.substr(from), length);
    return std::string(s.substr(from, to - from));
}

std::string left(std::string_view s, long n) {
    if (n <= 0)
        return {};
    return std::string(s.substr(0, byteOffset(s, n)));
}

long len(std::string_view s) {
    long n = 0;
    for (std::size_t i = 0; i < s.size(); i += charBytes(s, i))
        ++n;
    return n;
}

std::string ucase(std::string_view s) {
    // One character for one, as the original runtime maps case: simple upper-case mapping of
    // each code point (so "ß" stays, lengths and positions do not move). Bytes that are not
    // well-formed UTF-8 are kept as they are.
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp;
        const std::size_t n = decode(s, i, cp);
        if (n == 0) {
            out += s[i];
            ++i;
            continue;
        }
        if (cp < 0x80)
            out += static_cast<char>(cp >= 'a' && cp <= 'z' ? cp - 'a' + 'A' : cp);
        else
            encode(QChar::toUpper(cp), out);
        i += n;
    }
    return out;
}

long instr(std::string_view s, std::string_view needle, long start) {
    if (start < 1)
        start = 1;
    if (s.empty() || start > len(s))
        return 0;
    if (needle.empty())
        return start;
    const std::size_t from = byteOffset(s, start - 1);
    const std::size_t at = s.find(needle, from);
    if (at == std::string_view::npos)
        return 0;
    // Count the characters before the match.
    long index = start;
    for (std::size_t i = from; i < at; i += charBytes(s, i))
        ++index;
    return index;
}

std::string fromCodePoint(char32_t cp) {
    std::string out;
    encode(cp, out);
    return out;
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp;
        const std::size_t n = decode(s, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

} // namespace forms::str
