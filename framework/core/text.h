#pragma once
// Text and number functions. A String holds bytes: UTF-8 text, or raw bytes an escape made.
// The character functions (Len, Mid, Left, Right, InStr, NthField...) count characters: a valid
// UTF-8 sequence is one character, and a byte that is not part of one is a character of its own.
// The B functions (LenB, MidB) count bytes. Positions are 1-based.
#include <cstdint>
#include <string>

using String = std::string;

int64_t Len(const String& s);
int64_t LenB(const String& s);
// Up to `length` characters from character `start` (1-based); a negative length means "to the end".
// Empty when start lies past the end.
String Mid(const String& s, int64_t start, int64_t length = -1);
String MidB(const String& s, int64_t start, int64_t length = -1);
String Left(const String& s, int64_t count);
String Right(const String& s, int64_t count);
// Character position (1-based) of `find` in `s`, searching from character `start` (0 or 1: from
// the first). 0 when not found.
int64_t InStr(int64_t start, const String& s, const String& find);
int64_t InStr(const String& s, const String& find);
// Field n (1-based) of `s` split at `separator`; empty when there is no such field.
String NthField(const String& s, const String& separator, int64_t n);
int64_t CountFields(const String& s, const String& separator);
// Every non-overlapping occurrence of `find`, left to right, replaced; an empty `find` changes nothing.
String ReplaceAll(const String& s, const String& find, const String& replacement);
String Uppercase(const String& s);  // ASCII letters only
String Lowercase(const String& s);
String Trim(const String& s);  // ASCII blanks at both ends

// Code of the first character (its code point, or the byte of a lone byte); 0 for "".
int32_t Asc(const String& s);
// 0..255: that one byte. 256..0x10FFFF: the code point in UTF-8. Negative or beyond: "".
String Chr(int64_t code);

// Leading blanks skipped, then the longest numeric prefix: sign, digits, a fraction, an exponent;
// "&h" (any case) reads hexadecimal digits, "&o" octal, "&b" binary. No number gives 0.
double Val(const String& s);

// Plain decimal, no format: digits, a '-' for negatives, no separators.
String Str(int32_t v);
String Str(uint32_t v);
String Str(int64_t v);
String Str(uint64_t v);
// Whole values in plain decimal, others with up to 7 significant digits.
String Str(double v);

// Equality as the framework compares strings: byte for byte.
inline bool StrEquals(const String& a, const String& b) { return a == b; }
