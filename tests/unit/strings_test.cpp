#include "forms/strings.h"

#include <gtest/gtest.h>

namespace {

using namespace forms;

struct MidCase {
    const char* s;
    long start;
    long length;
    const char* expected;
};

TEST(Strings, MidCountsCharactersFromOne) {
    const MidCase cases[] = {
        {"abc", 1, -1, "abc"},
        {"abc", 2, 1, "b"},
        {"abc", 3, 5, "c"},
        {"abc", 4, -1, ""},  // just past the end
        {"abc", 100, 2, ""}, // far past the end
        {"abc", 0, 2, "ab"}, // a start below 1 is 1
        {"abc", -5, -1, "abc"},
        {"abc", 2, 0, ""},
        {"", 1, -1, ""},
        {"Привет", 2, 3, "рив"}, // two bytes a character
        {"Привет", 6, -1, "т"},
        {"Привет", 7, -1, ""},
        {"日本語", 2, 1, "本"}, // three bytes a character
        {"a😀b", 2, 1, "😀"},     // four bytes a character
        {"a\xff"
         "b",
         2, 1, "\xff"}, // a stray byte is a character of its own
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.s << "\" " << c.start << ' ' << c.length);
        EXPECT_EQ(str::mid(c.s, c.start, c.length), c.expected);
    }
}

TEST(Strings, LeftAndLenCountCharacters) {
    EXPECT_EQ(str::left("Привет", 3), "При");
    EXPECT_EQ(str::left("abc", 0), "");
    EXPECT_EQ(str::left("abc", -1), "");
    EXPECT_EQ(str::left("abc", 10), "abc");
    EXPECT_EQ(str::len("Привет"), 6);
    EXPECT_EQ(str::len(""), 0);
    EXPECT_EQ(str::len("a😀b"), 3);
    EXPECT_EQ(str::len("a\xff\xfe"), 3);
    // A sequence cut short at the end is not swallowed with what follows.
    EXPECT_EQ(str::len("\xd0"), 1);
    EXPECT_EQ(str::len("\xe6\x97z"), 3);
}

TEST(Strings, UpperCaseCoversCyrillic) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc xyz", "ABC XYZ"},
        {"привет, мир", "ПРИВЕТ, МИР"},
        {"ёжик", "ЁЖИК"},
        {"Ёё", "ЁЁ"},
        {"щука-ъ-ь-э-ю-я", "ЩУКА-Ъ-Ь-Э-Ю-Я"},
        {"ПРИВЕТ 123", "ПРИВЕТ 123"},
        {"über", "ÜBER"},
        {"straße", "STRAßE"}, // one character for one: lengths and positions hold
        {"a\xff"
         "b",
         "A\xff"
         "B"},
    };
    for (const auto& [in, expected] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(str::ucase(in), expected);
        EXPECT_EQ(str::len(str::ucase(in)), str::len(in));
    }
}

struct InstrCase {
    const char* s;
    const char* needle;
    long start;
    long expected;
};

TEST(Strings, InstrFindsFromOne) {
    const InstrCase cases[] = {
        {"abc", "b", 1, 2},
        {"abc", "a", 1, 1},
        {"abc", "d", 1, 0},
        {"abc", "abcd", 1, 0},
        {"abcabc", "bc", 3, 5},
        {"abc", "c", 4, 0},
        {"abc", "a", 0, 1}, // a start below 1 is 1
        {"abc", "", 1, 1},  // an empty needle is found where the search starts
        {"abc", "", 3, 3},
        {"abc", "", 4, 0},
        {"", "", 1, 0},
        {"", "a", 1, 0},
        {"abc", "B", 1, 0}, // letter case counts
        {"ПриветПривет", "вет", 1, 4},
        {"ПриветПривет", "вет", 5, 10},
        {"фото.jpg", ".", 1, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.s << "\" \"" << c.needle << "\" " << c.start);
        EXPECT_EQ(str::instr(c.s, c.needle, c.start), c.expected);
    }
}

TEST(Strings, ValidUtf8) {
    EXPECT_TRUE(str::validUtf8("Привет 😀"));
    EXPECT_TRUE(str::validUtf8(""));
    EXPECT_FALSE(str::validUtf8("a\xff"));
    EXPECT_FALSE(str::validUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(str::validUtf8("\xed\xa0\x80"));     // a surrogate
    EXPECT_FALSE(str::validUtf8("\xf4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(str::validUtf8("\xd0"));
}

} // namespace
