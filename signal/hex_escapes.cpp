// Hex escapes: openTag HEX closeTag stands for the one character of that code.
#include "framework/core/numbers.h"
#include "framework/core/text.h"
#include "signal/generator.h"

namespace {

// The character that starts at byte `pos` ("" at the end), read in place so the walk stays linear
// however long the text is.
String CharAt(const String& text, size_t pos) {
    if (pos >= text.size()) return String();
    return text.substr(pos, size_t(CharLenB(text, int64_t(pos))));
}

}  // namespace

namespace Module1 {

String HexStringConv(const String& text, const String& openTag, const String& closeTag) {
    // A tag is compared with one character at a time: any other open tag never matches.
    if (Len(openTag) != 1 || InStr(0, text, openTag) <= 0) return text;

    String result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const String c = CharAt(text, pos);
        if (c != openTag) {
            result += c;
            pos += c.size();
            continue;
        }
        const size_t escapeStart = pos;
        pos += c.size();
        String content;
        bool closed = false;
        for (;;) {
            // Past the end the character read is "", which an empty close tag matches.
            const String d = CharAt(text, pos);
            pos += d.size();
            if (d == closeTag) {
                closed = true;
                break;
            }
            if (d.empty()) break;
            content += d;
        }
        if (!closed) {
            // No close tag follows, so no later escape can end either: the rest stays as typed.
            result.append(text, escapeStart, String::npos);
            break;
        }
        result += Chr(DoubleToInt32(Val("&h" + content)));
    }
    return result;
}

}  // namespace Module1
