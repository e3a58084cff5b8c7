#include "framework/core/text.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length in bytes of the character that starts at `pos`: a well-formed UTF-8 sequence (no
// overlongs, no surrogates, nothing past U+10FFFF), or 1 for a byte that does not start one.
size_t CharLength(const String& s, size_t pos) {
    const size_t left = s.size() - pos;
    const unsigned char b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return 1;
    auto at = [&](size_t k) { return static_cast<unsigned char>(s[pos + k]); };
    if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && IsContinuation(at(1)) ? 2 : 1;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3) return 1;
        unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        return at(1) >= lo && at(1) <= hi && IsContinuation(at(2)) ? 3 : 1;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4) return 1;
        unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= lo && at(1) <= hi && IsContinuation(at(2)) && IsContinuation(at(3)) ? 4 : 1;
    }
    return 1;
}

// Byte offset of character `index` (0-based) counted from byte `from`; s.size() when past the end.
size_t SkipChars(const String& s, size_t from, int64_t index) {
    size_t pos = from;
    while (index > 0 && pos < s.size()) {
        pos += CharLength(s, pos);
        --index;
    }
    return pos;
}

// First occurrence of `find` at or after byte `from` that starts and ends on character
// boundaries; `from` must be a boundary. npos when there is none. `find` must not be empty.
// `charsBefore` tracks the character index of `from` and comes back as that of the match.
size_t FindChars(const String& s, const String& find, size_t from, int64_t* charsBefore) {
    size_t cursor = from;  // a character boundary, advanced monotonically
    int64_t chars = charsBefore ? *charsBefore : 0;
    size_t hit = s.find(find, from);
    while (hit != String::npos) {
        while (cursor < hit) {
            cursor += CharLength(s, cursor);
            ++chars;
        }
        if (cursor == hit) {
            size_t end = hit;
            while (end < hit + find.size()) end += CharLength(s, end);
            if (end == hit + find.size()) {
                if (charsBefore) *charsBefore = chars;
                return hit;
            }
        }
        hit = s.find(find, cursor == hit ? hit + 1 : cursor);
    }
    return String::npos;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Hexadecimal digits after "&h", accumulated in a double so that any number of digits is defined
// (large values lose precision, as a Double does).
double HexValue(const String& s, size_t pos) {
    double v = 0;
    for (; pos < s.size(); ++pos) {
        int d = DigitValue(s[pos]);
        if (d >= 16) break;
        v = v * 16 + d;
    }
    return v;
}

// strtod in the C locale: the application may have set a locale whose decimal point is ','.
double ParseDecimal(const String& text) {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c ? strtod_l(text.c_str(), nullptr, c) : std::strtod(text.c_str(), nullptr);
}

}  // namespace

int64_t Len(const String& s) {
    int64_t n = 0;
    for (size_t pos = 0; pos < s.size(); pos += CharLength(s, pos)) ++n;
    return n;
}

int64_t LenB(const String& s) {
    return static_cast<int64_t>(s.size());
}

String Mid(const String& s, int64_t start, int64_t length) {
    if (start < 1) start = 1;
    if (length == 0) return {};
    size_t begin = SkipChars(s, 0, start - 1);
    if (begin >= s.size()) return {};
    if (length < 0) return s.substr(begin);
    return s.substr(begin, SkipChars(s, begin, length) - begin);
}

int64_t CharLenB(const String& s, int64_t byteIndex) {
    if (byteIndex < 0 || static_cast<uint64_t>(byteIndex) >= s.size()) return 0;
    return static_cast<int64_t>(CharLength(s, static_cast<size_t>(byteIndex)));
}

String MidB(const String& s, int64_t start, int64_t length) {
    if (start < 1) start = 1;
    if (length == 0 || static_cast<uint64_t>(start) > s.size()) return {};
    size_t begin = static_cast<size_t>(start - 1);
    if (length < 0) return s.substr(begin);
    return s.substr(begin, static_cast<uint64_t>(length));
}

String Right(const String& s, int64_t count) {
    if (count <= 0) return {};
    int64_t n = Len(s);
    if (count >= n) return s;
    return s.substr(SkipChars(s, 0, n - count));
}

int64_t InStr(int64_t start, const String& s, const String& find) {
    if (find.empty()) return 0;
    if (start < 1) start = 1;
    size_t from = SkipChars(s, 0, start - 1);
    if (from >= s.size()) return 0;
    int64_t chars = start - 1;
    size_t hit = FindChars(s, find, from, &chars);
    return hit == String::npos ? 0 : chars + 1;
}

int64_t InStr(const String& s, const String& find) {
    return InStr(1, s, find);
}

String NthField(const String& s, const String& separator, int64_t n) {
    if (n < 1) return {};
    if (separator.empty()) return n == 1 ? s : String();
    size_t begin = 0;
    for (int64_t field = 1; field < n; ++field) {
        size_t hit = FindChars(s, separator, begin, nullptr);
        if (hit == String::npos) return {};
        begin = hit + separator.size();
    }
    size_t end = FindChars(s, separator, begin, nullptr);
    return s.substr(begin, end == String::npos ? String::npos : end - begin);
}

String ReplaceAll(const String& s, const String& find, const String& replacement) {
    if (find.empty()) return s;
    String out;
    out.reserve(s.size());
    size_t begin = 0;
    for (size_t hit = FindChars(s, find, 0, nullptr); hit != String::npos;
         hit = FindChars(s, find, begin, nullptr)) {
        out.append(s, begin, hit - begin);
        out += replacement;
        begin = hit + find.size();
    }
    out.append(s, begin, String::npos);
    return out;
}

String Lowercase(const String& s) {
    String out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

int32_t Asc(const String& s) {
    if (s.empty()) return 0;
    size_t n = CharLength(s, 0);
    auto byte = [&](size_t k) { return static_cast<int32_t>(static_cast<unsigned char>(s[k])); };
    switch (n) {
        case 2:
            return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
        case 3:
            return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        case 4:
            return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                   (byte(3) & 0x3F);
        default:
            return byte(0);
    }
}

String Chr(int64_t code) {
    if (code < 0 || code > 0x10FFFF) return {};
    if (code <= 0xFF) return String(1, static_cast<char>(code));
    if (code >= 0xD800 && code <= 0xDFFF) return {};  // surrogates have no UTF-8 form
    auto c = static_cast<uint32_t>(code);
    String out;
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
    return out;
}

double Val(const String& s) {
    size_t pos = 0;
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    if (pos < s.size() && s[pos] == '&') {
        const bool hex = pos + 1 < s.size() && (s[pos + 1] == 'h' || s[pos + 1] == 'H');
        return hex ? HexValue(s, pos + 2) : 0;
    }
    const size_t begin = pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    size_t digits = 0;
    while (pos < s.size() && IsDigit(s[pos])) ++pos, ++digits;
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        while (pos < s.size() && IsDigit(s[pos])) ++pos, ++digits;
    }
    if (digits == 0) return 0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        size_t e = pos + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        if (e < s.size() && IsDigit(s[e])) {
            while (e < s.size() && IsDigit(s[e])) ++e;
            pos = e;
        }
    }
    return ParseDecimal(s.substr(begin, pos - begin));
}

String Str(int32_t v) {
    return std::to_string(v);
}
String Str(uint32_t v) {
    return std::to_string(v);
}
String Str(int64_t v) {
    return std::to_string(v);
}
String Str(uint64_t v) {
    return std::to_string(v);
}

String Str(double v) {
    if (std::isfinite(v) && v == std::trunc(v) && v >= -9223372036854775808.0 &&
        v < 9223372036854775808.0)
        return std::to_string(static_cast<int64_t>(v));
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
    return String(buf, r.ptr);
}
