// Start-up: the class table, the one application object with the shared menu bar, the one
// window, and the exception helper.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "app/app.h"
#include "app/menu_bar.h"
#include "framework/core/exceptions.h"
#include "framework/ui/runtime.h"
#include "tests/app/window_fixture.h"

namespace {

std::vector<String> RegisteredNames() {
    std::vector<String> names;
    for (const ClassInfo* info : RuntimeRegisteredClasses()) names.push_back(info->fullName);
    return names;
}

TEST(StartUp, RegistersFrameworkClassesThenTheSystemsInOrder) {
    StartedWindow();
    const std::vector<String> names = RegisteredNames();
    const std::vector<String> own = {"App",
                                     "Window1.Window1",
                                     "Window1.NumGene",
                                     "Window1.Timer1",
                                     "MenuBar1.MenuBar1",
                                     "GeneraterClass"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<String>(names.end() - own.size(), names.end()), own);
    // Every framework class the system builds on comes before the system's first.
    const auto appAt = std::find(names.begin(), names.end(), "App");
    for (const char* framework : {"Application", "Window", "PushButton", "Timer", "MenuBar",
                                  "TextField", "Label", "ComboBox", "PopupMenu", "MoviePlayer"})
        EXPECT_LT(std::find(names.begin(), names.end(), framework), appAt) << framework;
    // Registered once each.
    for (const String& name : own)
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
}

TEST(StartUp, RegisteredClassesKnowTheirBases) {
    StartedWindow();
    const std::pair<const char*, const char*> bases[] = {
        {"App", "Application"},
        {"Window1.Window1", "Window"},
        {"Window1.NumGene", "PushButton"},
        {"Window1.Timer1", "Timer"},
        {"MenuBar1.MenuBar1", "MenuBar"},
    };
    for (const auto& [name, base] : bases) {
        const ClassInfo* info = RuntimeFindClass(name);
        ASSERT_NE(info, nullptr) << name;
        ASSERT_NE(info->base, nullptr) << name;
        EXPECT_EQ(info->base->fullName, base) << name;
    }
    ASSERT_NE(RuntimeFindClass("GeneraterClass"), nullptr);
    EXPECT_EQ(RuntimeFindClass("GeneraterClass")->base, nullptr);
}

TEST(StartUp, AppAndWindowShareTheOneMenuBar) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::shared_ptr<Application> app = RuntimeAppObject();
    ASSERT_NE(app, nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<App>(app), nullptr);
    ASSERT_NE(app->MenuBar(), nullptr);
    EXPECT_EQ(app->MenuBar(), window->MenuBar());
    EXPECT_EQ(app->MenuBar(), MenuBar1Instance());
    EXPECT_EQ(MenuBar1ImplicitInstance(), MenuBar1Instance());
}

TEST(StartUp, SecondCallsCreateNothing) {
    std::shared_ptr<Window1> window = StartedWindow();
    const size_t controls = window->Controls().size();
    std::shared_ptr<MenuBar1> bar = MenuBar1Instance();
    const int32_t menus = bar->Count();

    EXPECT_EQ(Window1Instance(), window);
    EXPECT_EQ(Window1Instance(), window);
    EXPECT_EQ(window->Controls().size(), controls);
    EXPECT_EQ(GetImplicitWindow("Window1.Window1"), window);

    EXPECT_EQ(MenuBar1Instance(), bar);
    EXPECT_EQ(bar->Count(), menus);
    EXPECT_EQ(bar->Child("EditMenu")->Count(), 8);
}

TEST(StartUp, WindowConstructionLeavesContentsUnchanged) {
    EXPECT_FALSE(StartedWindow()->ContentsChanged());
}

void Succeeds(void* argument) {
    *static_cast<int*>(argument) += 1;
}
void RaisesNil(void*) {
    throw NilObjectException("nothing there");
}
void RaisesIO(void*) {
    throw IOException("cannot write", 5);
}
void RaisesOther(void*) {
    throw std::logic_error("not the framework's");
}

TEST(ExceptionHelper, ReturnsNullWhenTheCallReturns) {
    int calls = 0;
    EXPECT_EQ(CallFunctionWithExceptionHandling(&Succeeds, &calls), nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(ExceptionHelper, ReturnsTheRuntimeExceptionThatLeftTheCall) {
    for (auto* function : {&RaisesNil, &RaisesIO}) {
        std::exception_ptr error = CallFunctionWithExceptionHandling(function, nullptr);
        ASSERT_NE(error, nullptr);
        try {
            std::rethrow_exception(error);
        } catch (const RuntimeException& e) {
            const bool io = function == &RaisesIO;
            EXPECT_STREQ(e.ClassName(), io ? "IOException" : "NilObjectException");
            EXPECT_EQ(e.ErrorNumber, io ? 5 : 0);
        }
    }
}

TEST(ExceptionHelper, LetsOtherExceptionsPass) {
    EXPECT_THROW(CallFunctionWithExceptionHandling(&RaisesOther, nullptr), std::logic_error);
}

TEST(ExceptionHelper, ANilFunctionComesBackAsNilObjectException) {
    std::exception_ptr error = CallFunctionWithExceptionHandling(nullptr, nullptr);
    ASSERT_NE(error, nullptr);
    EXPECT_THROW(std::rethrow_exception(error), NilObjectException);
}

}  // namespace
