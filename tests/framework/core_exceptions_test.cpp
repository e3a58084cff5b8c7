#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/core/exceptions.h"

namespace {
// The report of unhandled exceptions catches RuntimeException and names the class.
TEST(Exceptions, AllAreRuntimeExceptionsThatNameTheirClass) {
    struct Case {
        std::function<void()> raise;
        const char* name;
    };
    const Case cases[] = {
        {[] { throw RuntimeException("m", 1); }, "RuntimeException"},
        {[] { throw NilObjectException("m", 1); }, "NilObjectException"},
        {[] { throw IOException("m", 1); }, "IOException"},
        {[] { throw OutOfBoundsException("m", 1); }, "OutOfBoundsException"},
        {[] { throw TypeMismatchException("m", 1); }, "TypeMismatchException"},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE();
        } catch (const RuntimeException& e) {
            EXPECT_STREQ(e.ClassName(), c.name);
            EXPECT_EQ(e.Message, "m");
            EXPECT_STREQ(e.what(), "m");
            EXPECT_EQ(e.ErrorNumber, 1);
        }
    }
}

TEST(Exceptions, DerefOfNilRaisesNamingTheObject) {
    std::shared_ptr<int> nil, one = std::make_shared<int>(1);
    int two = 2;
    EXPECT_EQ(&Deref(one, "one"), one.get());
    EXPECT_EQ(&Deref(&two, "two"), &two);
    const std::function<void()> nils[] = {
        [&] { Deref(nil, "the folder"); },
        [] { Deref(static_cast<int*>(nullptr), std::string("the ") + "folder"); },
    };
    for (const auto& raise : nils) {
        try {
            raise();
            ADD_FAILURE();
        } catch (const NilObjectException& e) {
            EXPECT_EQ(e.Message, "the folder is Nil");
        }
    }
}
}  // namespace
