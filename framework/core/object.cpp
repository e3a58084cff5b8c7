#include "framework/core/object.h"

namespace {
bool EqualsIgnoringCase(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}
}  // namespace

const PropertyInfo* ClassInfo::FindProperty(const String& name) const {
    for (const ClassInfo* c = this; c; c = c->base)
        for (const PropertyInfo& p : c->properties)
            if (EqualsIgnoringCase(p.name, name)) return &p;
    return nullptr;
}

bool ClassInfo::IsA(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->base)
        if (c == &other) return true;
    return false;
}

const ClassInfo& Object::StaticClass() {
    static const ClassInfo info{"Object", nullptr, {}};
    return info;
}
