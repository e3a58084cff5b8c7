// Shortcut texts as the menus are given them, turned into Qt key sequence texts.
#include "framework/ui/menu.h"

String NativeShortcutText(const String& shortcut) {
    if (shortcut.empty()) return "";
    String out;
    size_t start = 0;
    while (start <= shortcut.size()) {
        size_t plus = shortcut.find('+', start);
        // A trailing "+" is the key itself ("Cmd++").
        if (plus == start && plus + 1 == shortcut.size()) plus = String::npos;
        String part = shortcut.substr(start, plus == String::npos ? String::npos : plus - start);
        // Qt's "Ctrl" is Control here, the key the Mac's Command stands for.
        if (Lowercase(part) == "cmd") part = "Ctrl";
        if (!out.empty()) out += "+";
        out += part;
        if (plus == String::npos) break;
        start = plus + 1;
    }
    return out;
}
