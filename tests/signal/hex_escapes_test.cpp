#include <gtest/gtest.h>

#include <vector>

#include "signal/generator.h"

namespace {

struct Case {
    String text, open, close, expected;
};

void ExpectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\" tags \"" + c.open + "\" \"" + c.close + "\"");
        EXPECT_EQ(Module1::HexStringConv(c.text, c.open, c.close), c.expected);
    }
}

TEST(HexEscapes, RoundBrackets) {
    ExpectAll({
        {"Hello!", "(", ")", "Hello!"},
        {"(A)(A)", "(", ")", "\n\n"},
        {"x(41)y", "(", ")", "xAy"},
        {"(41)(42)", "(", ")", "AB"},
        {"(41))", "(", ")", "A)"},
        {"a)b", "(", ")", "a)b"},
        {"\xC3\xA9(41)", "(", ")",
         "\xC3\xA9"
         "A"},
        {"(FF)", "(", ")", "\xFF"},
        {"(ff)(0)", "(", ")", String("\xFF\0", 2)},
        {"", "(", ")", ""},
    });
}

TEST(HexEscapes, ContentIsReadAsHexWhateverItHolds) {
    ExpectAll({
        // Escapes do not nest: the inner open tag is content, and no digits follow "&h".
        {"((41)", "(", ")", String(1, '\0')},
        {"()", "(", ")", String(1, '\0')},
        {"(4G)", "(", ")", "\x04"},
        // Wraps to -1, which no character has.
        {"a(FFFFFFFF)b", "(", ")", "ab"},
        // Above 255: the code point in UTF-8.
        {"(100)", "(", ")", "\xC4\x80"},
        {"(1F600)", "(", ")", "\xF0\x9F\x98\x80"},
        {"(110000)", "(", ")", ""},
        {"(100000041)", "(", ")", "A"},
    });
}

TEST(HexEscapes, OnlyThePairPassedInCounts) {
    ExpectAll({
        {"(41)[42]", "[", "]", "(41)B"},
        {"(41)", "[", "]", "(41)"},
        {"<41><42>", "<", ">", "AB"},
        {"[41]", "(", ")", "[41]"},
    });
}

TEST(HexEscapes, AnOpenTagThatIsNotOneCharacterNeverMatches) {
    ExpectAll({
        {"((41)", "((", ")", "((41)"},
        {"(41)", "(4", ")", "(41)"},
        {"(41)", "", ")", "(41)"},
        // One byte of a two-byte character is not a character of the text.
        {"\xC3\xA9"
         "41)",
         "\xC3", ")",
         "\xC3\xA9"
         "41)"},
    });
}

TEST(HexEscapes, CharactersAreWalkedWhole) {
    ExpectAll({
        {"\xC3\xA9"
         "41\xC3\xBC",
         "\xC3\xA9", "\xC3\xBC", "A"},
        {"\xE3\x81\x82(3042)\xE3\x81\x82", "(", ")", "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82"},
        // Bytes that are not UTF-8 are characters of their own.
        {"\xFF(41)\x80", "(", ")",
         "\xFF"
         "A\x80"},
        {"\xFF"
         "41)",
         "\xFF", ")", "A"},
    });
}

TEST(HexEscapes, AnUnterminatedEscapeIsKeptAsText) {
    ExpectAll({
        {"(41", "(", ")", "(41"},
        {"(", "(", ")", "("},
        {"x(41)y(42", "(", ")", "xAy(42"},
        {"((41", "(", ")", "((41"},
        {"a(\xC3\xA9", "(", ")", "a(\xC3\xA9"},
        // A close tag of two characters is never one character of the text.
        {"x(41))y", "(", "))", "x(41))y"},
    });
}

TEST(HexEscapes, AnEmptyCloseTagEndsTheEscapeAtTheEndOfTheText) {
    ExpectAll({
        {"x(41", "(", "", "xA"},
        {"x(41)y", "(", "", "xA"},
        {"x(", "(", "", String("x\0", 2)},
    });
}

}  // namespace
