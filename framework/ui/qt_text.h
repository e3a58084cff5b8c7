#pragma once
// UTF-8 bytes to and from Qt text, inside framework/ui only.
#include <QString>

#include "framework/core/text.h"

inline QString ToQString(const String& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
inline String FromQString(const QString& s) {
    QByteArray bytes = s.toUtf8();
    return String(bytes.constData(), size_t(bytes.size()));
}
