#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/core/numbers.h"
#include "framework/core/text.h"

namespace {
using std::string_literals::operator""s;

// Byte strings used below: é is two bytes, 日本語 three each, the emoji four.
const String kE = "\xC3\xA9";
const String kNihongo = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const String kEmoji = "\xF0\x9F\x98\x80";

TEST(Text, LenCountsCharactersAndStrayBytes) {
    struct Case {
        String s;
        int64_t chars;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {kE, 1},
        {kNihongo, 3},
        {kEmoji, 1},
        {"a" + kE + "b", 3},
        {"\xFF", 1},
        {"\x80", 1},              // lone continuation byte
        {"\xC3", 1},              // truncated at the end
        {"\xE6\x97", 2},          // truncated three-byte sequence
        {"\xC3x", 2},             // lead byte followed by a non-continuation
        {"\xC0\x80", 2},          // overlong NUL
        {"\xE0\x80\x80", 3},      // overlong
        {"\xED\xA0\x80", 3},      // surrogate
        {"\xF4\x90\x80\x80", 4},  // beyond U+10FFFF
        {"\xF4\x8F\xBF\xBF", 1},  // U+10FFFF itself
        {"(FF)\xFF" + kE, 6},
        {"a\0b"s, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Len(c.s), c.chars) << testing::PrintToString(c.s);
        EXPECT_EQ(LenB(c.s), int64_t(c.s.size()));
    }
}

TEST(Text, MidRightCutAtCharacters) {
    struct Case {
        String s;
        int64_t start, length;
        String expected;
    };
    const String mixed = "\xFF" + kE + "x";
    const Case cases[] = {
        {"a" + kE + "b", 2, 1, kE},
        {"a" + kE + "b", 2, -1, kE + "b"},
        {"abc", 2, 100, "bc"},
        {"abc", 3, 1, "c"},
        {"abc", 4, 1, ""},
        {"abc", 1000, -1, ""},
        {"abc", 1, 0, ""},
        {"abc", 0, 2, "ab"},  // a start below 1 reads from the first character
        {"", 1, 1, ""},
        {mixed, 1, 1, "\xFF"},
        {mixed, 2, 1, kE},
        {mixed, 3, 1, "x"},
        {kNihongo, 2, 2, kNihongo.substr(3)},
        {"\xE6\x97", 2, 1, "\x97"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Mid(c.s, c.start, c.length), c.expected)
            << testing::PrintToString(c.s) << " " << c.start << " " << c.length;

    EXPECT_EQ(MidB("a" + kE, 2, 1), "\xC3");
    EXPECT_EQ(MidB("abc", 2), "bc");
    EXPECT_EQ(MidB("abc", 4, 1), "");
    EXPECT_EQ(MidB("abc", 2, std::numeric_limits<int64_t>::max()), "bc");

    EXPECT_EQ(Right(kNihongo, 2), kNihongo.substr(3));
    EXPECT_EQ(Right("ab", 5), "ab");
    EXPECT_EQ(Right("ab", -1), "");
    EXPECT_EQ(Right("a\xFF" + kE, 2), "\xFF" + kE);
}

TEST(Text, CharLenBStepsByTheCharactersMidCuts) {
    struct Case {
        String s;
        int64_t byteIndex, bytes;
    };
    const String mixed = "a" + kE + kNihongo + kEmoji + "\xFF";
    const Case cases[] = {
        {mixed, 0, 1},
        {mixed, 1, 2},
        {mixed, 3, 3},
        {mixed, 12, 4},
        {mixed, 16, 1},
        {mixed, 17, 0},  // the end
        {mixed, 100, 0},
        {mixed, -1, 0},
        {"", 0, 0},
        {"\xE6\x97", 0, 1},          // truncated sequence: a stray byte
        {"\xE0\x80\x80", 0, 1},      // overlong
        {"\xF4\x8F\xBF\xBF", 0, 4},  // U+10FFFF
        {"a\0b"s, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharLenB(c.s, c.byteIndex), c.bytes)
            << testing::PrintToString(c.s) << " " << c.byteIndex;

    // Stepping by CharLenB visits the same characters as Mid, one by one.
    for (const String& s : {mixed, "(FF)\xFF" + kE + "\xC3x\xED\xA0\x80"s}) {
        int64_t pos = 0, n = 0;
        while (const int64_t step = CharLenB(s, pos)) {
            ++n;
            EXPECT_EQ(s.substr(size_t(pos), size_t(step)), Mid(s, n, 1))
                << testing::PrintToString(s);
            pos += step;
        }
        EXPECT_EQ(pos, LenB(s));
        EXPECT_EQ(n, Len(s));
    }
}

TEST(Text, InStrFindsWholeCharacters) {
    struct Case {
        int64_t start;
        String s, find;
        int64_t expected;
    };
    const Case cases[] = {
        {0, "Hello", "l", 3},
        {1, "Hello", "l", 3},
        {4, "Hello", "l", 4},
        {5, "Hello", "l", 0},
        {10, "abc", "a", 0},
        {0, "abc", "d", 0},
        {0, "abc", "", 0},  // an empty text is never found
        {0, "", "a", 0},
        {0, "Hello", "lo", 4},
        {0, kNihongo, kNihongo.substr(6), 3},
        {2, kE + "x" + kE, kE, 3},
        {0, "\xFF(41)", "(", 2},
        {0, "a" + kE, "\xA9", 0},  // a byte inside a character is not a character
        {0, kE, "\xC3", 0},        // nor is the first byte of one
        {0,
         "\xC3"
         "x\xC3",
         "\xC3", 1},
        {0, kE + "\xA9", "\xA9", 2},
        {0, "aaab", "aab", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InStr(c.start, c.s, c.find), c.expected)
            << c.start << " " << testing::PrintToString(c.s) << " "
            << testing::PrintToString(c.find);
    EXPECT_EQ(InStr("Hello", "o"), 5);
}

TEST(Text, FieldsAndReplacing) {
    const String s = "a,b,,c";
    const String fields[] = {"", "a", "b", "", "c", ""};
    for (int64_t n = 0; n <= 5; ++n) EXPECT_EQ(NthField(s, ",", n), fields[n]) << n;
    EXPECT_EQ(NthField("x" + kE + "y" + kE + "z", kE, 2), "y");
    EXPECT_EQ(NthField("a::b", "::", 2), "b");
    EXPECT_EQ(NthField(kE, "\xA9", 1), kE);  // no split inside a character

    struct Case {
        String s, find, replacement, expected;
    };
    const Case cases[] = {
        {"aaa", "aa", "b", "ba"}, {"(41)(42)", "(", "[", "[41)[42)"},
        {"abc", "", "x", "abc"},  {kE + kE, kE, "e", "ee"},
        {kE, "\xC3", "x", kE},    {"abab", "ab", "abab", "abababab"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.s, c.find, c.replacement), c.expected)
            << testing::PrintToString(c.s);

    EXPECT_EQ(Lowercase("AB" + kE + "z"), "ab" + kE + "z");
}

TEST(Text, ChrAndAsc) {
    struct Case {
        int64_t code;
        String bytes;
    };
    const Case cases[] = {
        {0, "\0"s},
        {10, "\n"},
        {65, "A"},
        {128, "\x80"},
        {255, "\xFF"},
        {256, "\xC4\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0xD800, ""},  // surrogates have no UTF-8 form
        {0xDFFF, ""},
        {-1, ""},
        {0x110000, ""},
        {std::numeric_limits<int64_t>::min(), ""},
        {std::numeric_limits<int64_t>::max(), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Chr(c.code), c.bytes) << c.code;
        if (!c.bytes.empty()) {
            EXPECT_EQ(Asc(c.bytes + "tail"), c.code) << c.code;
        }
    }
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Asc("\xC3"), 0xC3);
    EXPECT_EQ(Asc("\xC3x"), 0xC3);
    EXPECT_EQ(Asc(kE), 0xE9);
    EXPECT_EQ(Asc(kEmoji), 0x1F600);
}

TEST(Text, ValReadsTheLongestNumericPrefix) {
    struct Case {
        String s;
        double expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  42", 42},
        {"\t-3.5x", -3.5},
        {"+7", 7},
        {"-0", 0},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"- 5", 0},
        {"1,5", 1},
        {"12abc", 12},
        {"1e20", 1e20},
        {"1E+3", 1000},
        {"1.5e-2", 0.015},
        {"2e", 2},
        {"2e+", 2},
        {"2ex", 2},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e-400", 0},
        {"\n5", 0},  // only spaces and tabs are skipped
        {"&hFF", 255},
        {"&HfF", 255},
        {"&h41", 65},
        {"&hA", 10},
        {"&hFFFFFFFF", 4294967295.0},
        {"&hFFFFFFFFFFFFFFFF", 18446744073709551615.0},
        {"&h1" + String(40, '0'), std::pow(16.0, 40)},
        {"&h", 0},
        {"&hG", 0},
        {"&h1G", 1},
        {"&h 1", 0},
        {" &h10", 16},
        {"&o17", 0},  // only "&h" introduces digits of another base
        {"&b101", 0},
        {"&", 0},
        {"&x1", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Val(c.s), c.expected) << testing::PrintToString(c.s);
    // Digits beyond a Double's range become infinity, not undefined behaviour.
    EXPECT_EQ(Val("&h" + String(300, 'F')), inf);
    EXPECT_EQ(Val(String(400, '9')), inf);
}

TEST(Text, StrIsPlainDecimal) {
    EXPECT_EQ(Str(int32_t(-5)), "-5");
    EXPECT_EQ(Str(uint32_t(0)), "0");
    EXPECT_EQ(Str(uint32_t(4294967295u)), "4294967295");
    EXPECT_EQ(Str(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(Str(std::numeric_limits<uint64_t>::max()), "18446744073709551615");

    struct Case {
        double v;
        String expected;
    };
    const Case cases[] = {
        {3.0, "3"},
        {-0.0, "0"},
        {-12.0, "-12"},
        {1e15, "1000000000000000"},
        {0.5, "0.5"},
        {-2.25, "-2.25"},
        {1.0 / 3, "0.3333333"},
        {1e20, "1e+20"},
        {9223372036854775808.0, "9.223372e+18"},
        {-9223372036854775808.0, "-9223372036854775808"},
    };
    for (const Case& c : cases) EXPECT_EQ(Str(c.v), c.expected) << c.v;
}

TEST(Numbers, DoubleConversionsAreDefinedEverywhere) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        int32_t asInt32;
        uint32_t asUInt32;
    };
    const Case cases[] = {
        {nan, 0, 0},
        {inf, 0, 4294967295u},
        {-inf, 0, 0},
        {0, 0, 0},
        {-1, -1, 0},
        {0.9, 0, 0},
        {-0.9, 0, 0},
        {65, 65, 65},
        {2147483647, 2147483647, 2147483647u},
        {2147483648.0, std::numeric_limits<int32_t>::min(), 2147483648u},
        {4294967294.7, -2, 4294967294u},
        {4294967295.0, -1, 4294967295u},
        {4294967296.0, 0, 4294967295u},
        {4294967297.0, 1, 4294967295u},
        {-4294967297.0, -1, 0},
        {1e300, 0, 4294967295u},
        {-1e300, 0, 0},
        {18446744073709551615.0, 0, 4294967295u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DoubleToInt32(c.v), c.asInt32) << c.v;
        EXPECT_EQ(DoubleToUInt32(c.v), c.asUInt32) << c.v;
    }
}

TEST(Numbers, Helpers) {
    EXPECT_EQ(Ceil(2.1), 3);
    EXPECT_EQ(Sin(0), 0);
    EXPECT_EQ(Min(3, 2), 2);
    EXPECT_EQ(Max(3u, 2u), 3u);
    EXPECT_EQ(Bitwise::ShiftLeft(1, 64), 0u);
    EXPECT_EQ(Bitwise::ShiftRight(0x8000000000000000u, 63), 1u);
    EXPECT_EQ(BitwiseAnd(0xF0F0, 0xFF00), 0xF000u);
    EXPECT_EQ(BitwiseOr(0xF0, 0x0F), 0xFFu);
}
}  // namespace
