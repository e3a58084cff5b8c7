#pragma once
// Text and number functions. A String holds bytes: UTF-8 text, or raw bytes an escape made.
// The character functions (Len, Mid, Right, InStr, NthField) count characters: a valid
// UTF-8 sequence is one character, and a byte that is not part of one is a character of its own.
// The B functions (LenB, MidB) count bytes. Positions are 1-based.
#include <cstdint>
#include <string>

using String = std::string;

int64_t Len(const String& s);
int64_t LenB(const String& s);
// Up to `length` characters from character `start` (1-based); a negative length means "to the end".
// Empty when start lies past the end; a start below 1 counts from the first character.
String Mid(const String& s, int64_t start, int64_t length = -1);
String MidB(const String& s, int64_t start, int64_t length = -1);
// Bytes in the character that starts at byte offset `byteIndex` (0-based), by the rule Len and Mid
// use: 1 to 4, 1 for a byte that does not start a valid sequence; 0 outside the text. Lets a walk
// step from character to character without counting from the start.
int64_t CharLenB(const String& s, int64_t byteIndex);
String Right(const String& s, int64_t count);
// Character position (1-based) of `find` in `s`, searching from character `start` (0 or 1: from
// the first). 0 when not found, and for an empty `find`. A match starts and ends on characters:
// a lone byte never matches the inside of a multi-byte character.
int64_t InStr(int64_t start, const String& s, const String& find);
int64_t InStr(const String& s, const String& find);
// Field n (1-based) of `s` split at `separator`; empty when there is no such field. An empty
// separator makes the whole text field 1.
String NthField(const String& s, const String& separator, int64_t n);
// Every non-overlapping occurrence of `find`, left to right, replaced; an empty `find` changes
// nothing.
String ReplaceAll(const String& s, const String& find, const String& replacement);
String Lowercase(const String& s);  // ASCII letters only

// Code of the first character (its code point, or the byte of a lone byte); 0 for "".
int32_t Asc(const String& s);
// 0..255: that one byte. 256..0x10FFFF: the code point in UTF-8. Negative or beyond, and the
// surrogates D800..DFFF (which have no UTF-8 form): "".
String Chr(int64_t code);

// Leading blanks (space, tab) skipped, then the longest numeric prefix: optional sign, digits, an
// optional fraction, and an exponent only when e/E, an optional sign and a digit follow (so "2e"
// reads 2). "&h" (any case) reads any number of hexadecimal digits, accumulated as a Double; a
// sign before "&h" is not read. No number gives 0; a decimal beyond
// the Double range gives an infinity. Independent of the C locale.
double Val(const String& s);

// Plain decimal, no format: digits, a '-' for negatives, no separators.
String Str(int32_t v);
String Str(uint32_t v);
String Str(int64_t v);
String Str(uint64_t v);
// Whole values within the Int64 range in plain decimal (-0 as "0"); others with up to 7
// significant digits, exponent form where shorter ("0.3333333", "1e+20"); "nan", "inf", "-inf".
String Str(double v);

// Equality as the framework compares strings: byte for byte.
inline bool StrEquals(const String& a, const String& b) {
    return a == b;
}
