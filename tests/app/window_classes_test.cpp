// The window's own classes: the keypad element, the timer that sits among the controls, and the
// accessors' lookups when a control is missing or of another class.
#include <gtest/gtest.h>

#include "framework/ui/runtime.h"
#include "tests/app/window_fixture.h"

namespace {

TEST(KeypadElement, CarriesTheIndexItWasMadeWith) {
    StartedWindow();
    auto bare = std::make_shared<Window1>();
    std::shared_ptr<Window1NumGene> key = bare->New<Window1NumGene>();
    key->Constructor(7);
    EXPECT_EQ(key->Index(), 7);
    EXPECT_NE(key->NativeWidget(), nullptr);
    EXPECT_EQ(key->Class().fullName, "Window1.NumGene");
}

TEST(TimerElement, AnswersForItsWindowAndIndex) {
    auto timer = std::make_shared<Window1Timer1>();
    timer->Constructor();
    PaneChild& child = *timer;
    EXPECT_EQ(child.Index(), 0);
    EXPECT_EQ(child.Window(), nullptr);
    child.SetIndex(5);
    EXPECT_EQ(child.Index(), 5);
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
}

TEST(TimerElement, HoldsOneReferenceToTheLatestWindowOnly) {
    StartedWindow();
    auto a = std::make_shared<Window1>();
    auto b = std::make_shared<Window1>();
    auto timer = std::make_shared<Window1Timer1>();
    timer->SetWindow(a);
    EXPECT_EQ(a.use_count(), 2);
    timer->SetWindow(b);
    EXPECT_EQ(timer->Window(), b);
    EXPECT_EQ(a.use_count(), 1);
    EXPECT_EQ(b.use_count(), 2);
    timer.reset();
    EXPECT_EQ(b.use_count(), 1);
}

TEST(TimerElement, IsToldItsWindowWhenRegistered) {
    std::shared_ptr<Window1> window = StartedWindow();
    auto timer = std::dynamic_pointer_cast<Window1Timer1>(window->Timer1());
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(static_cast<PaneChild&>(*timer).Window(), window);
}

TEST(Accessors, GiveNilForAMissingControlOrOneOfAnotherClass) {
    StartedWindow();
    auto bare = std::make_shared<Window1>();
    EXPECT_EQ(bare->DataEF(), nullptr);
    EXPECT_EQ(bare->NumGene(0), nullptr);
    EXPECT_EQ(bare->Timer1(), nullptr);

    std::shared_ptr<Label> impostor = bare->New<Label>();
    impostor->Constructor();
    bare->AddControl("DataEF", impostor);
    bare->AddControl("Timer1", impostor);
    EXPECT_EQ(bare->DataEF(), nullptr);
    EXPECT_EQ(bare->Timer1(), nullptr);
    EXPECT_EQ(bare->Label1(), nullptr);
}

}  // namespace
