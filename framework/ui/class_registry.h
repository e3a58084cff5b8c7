#pragma once
// The classes the program registers with the runtime, by full name, in registration order.
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"

// Registers a class by its full name once; registration order is kept.
void RuntimeRegisterClass(const ClassInfo& info);
const std::vector<const ClassInfo*>& RuntimeRegisteredClasses();
// Nil when no class of that full name is registered.
const ClassInfo* RuntimeFindClass(const String& fullName);
// Forgets every registered class: the type maps are module objects.
void RuntimeForgetClasses();
