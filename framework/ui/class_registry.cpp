// The class registry.
#include "framework/ui/class_registry.h"

namespace {

std::vector<const ClassInfo*>& Classes() {
    static std::vector<const ClassInfo*> classes;
    return classes;
}

}  // namespace

void RuntimeRegisterClass(const ClassInfo& info) {
    for (const ClassInfo* c : Classes())
        if (c == &info) return;
    Classes().push_back(&info);
}

const std::vector<const ClassInfo*>& RuntimeRegisteredClasses() {
    return Classes();
}

const ClassInfo* RuntimeFindClass(const String& fullName) {
    for (const ClassInfo* c : Classes())
        if (StrEquals(c->fullName, fullName)) return c;
    return nullptr;
}

void RuntimeForgetClasses() {
    Classes().clear();
}
