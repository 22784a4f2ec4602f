#pragma once
#include <string>
#include <string_view>

// The string functions the windows use, on UTF-8 text counted in characters from 1.
namespace forms::str {

// Characters from `start` (1-based), `length` of them or to the end; "" past the end.
// A start below 1 is taken as 1.
std::string mid(std::string_view s, long start, long length = -1);
// The first `n` characters.
std::string left(std::string_view s, long n);
// Number of characters.
long len(std::string_view s);
// Upper case, Cyrillic included ("ё" -> "Ё"). Each character maps to exactly one ("ß"
// stays), so the number of characters and their positions do not change.
std::string ucase(std::string_view s);
// 1-based position of `needle` in `s` at or after `start`; 0 when absent. An empty needle
// is found at `start` (when `start` is within `s`). Letter case counts.
long instr(std::string_view s, std::string_view needle, long start = 1);

// A code point as UTF-8.
std::string fromCodePoint(char32_t cp);

// Whether `s` is well-formed UTF-8. The functions above count each byte that is not part of
// a well-formed sequence as one character.
bool validUtf8(std::string_view s);

} // namespace forms::str
