// The hex-tag switch rewrites the three texts; the preview follows edits one timer period later.
#include "tests/app/handlers_fixture.h"
#include "tests/support/timers_due.h"

using namespace handlers_test;

namespace {

// Counts the preview timer's firings beside the window's own handler.
class TimerCounter : public Object {
  public:
    void Fired(std::shared_ptr<Timer>) { ++count; }
    int count = 0;
};

constexpr int kParens = 0, kBrackets = 1, kAngles = 2;

class TagSwitch : public Window1Test {
  protected:
    struct Texts {
        String head, data, foot;
        friend bool operator==(const Texts&, const Texts&) = default;
    };
    Texts Current() {
        return {window->HeadEF()->Text(), window->DataEF()->Text(), window->FootEF()->Text()};
    }
    void Enter(const Texts& t) {
        Type(window->HeadEF(), t.head);
        Type(window->DataEF(), t.data);
        Type(window->FootEF(), t.foot);
    }
};

TEST_F(TagSwitch, EveryOldTagCharacterBecomesTheNewOne) {
    struct Case {
        const char* what;
        Texts before;
        int row;
        Texts after;
        String open, close;
    };
    const Case cases[] = {
        {"initial texts", {"", "Hello!", "(A)(A)"}, kBrackets, {"", "Hello!", "[A][A]"}, "[", "]"},
        {"lone close", {"", "x)", "(A)(A)"}, kBrackets, {"", "x]", "[A][A]"}, "[", "]"},
        {"new pair already there", {"", "a[b](41)", ""}, kBrackets, {"", "a[b][41]", ""}, "[", "]"},
        {"all three fields", {"(0D)", "(", "))"}, kAngles, {"<0D>", "<", ">>"}, "<", ">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        Enter(c.before);
        ChooseRow(window->TagPM(), c.row);
        const Texts now = Current();
        EXPECT_EQ(now.head, c.after.head);
        EXPECT_EQ(now.data, c.after.data);
        EXPECT_EQ(now.foot, c.after.foot);
        EXPECT_EQ(window->mHexTagA, c.open);
        EXPECT_EQ(window->mHexTagB, c.close);
    }
}

TEST_F(TagSwitch, ChoosingThePairInForceChangesNothing) {
    Enter({"[x]", "a(41)<b>", "(A)(A)"});
    const Texts before = Current();
    ChooseRow(window->TagPM(), kParens);
    EXPECT_TRUE(Current() == before);
    EXPECT_EQ(window->mHexTagA, "(");
    EXPECT_EQ(window->mHexTagB, ")");

    ChooseRow(window->TagPM(), kAngles);
    const Texts angled = Current();
    ChooseRow(window->TagPM(), kAngles);
    EXPECT_TRUE(Current() == angled);
}

TEST_F(TagSwitch, SwitchingBackRestoresTextsWithoutTheOtherPair) {
    ChooseRow(window->TagPM(), kBrackets);
    ChooseRow(window->TagPM(), kParens);
    EXPECT_EQ(window->FootEF()->Text(), "(A)(A)");
    EXPECT_EQ(window->mHexTagA, "(");
}

TEST_F(TagSwitch, GenerationExpandsWithTheSwitchedPair) {
    ChooseRow(window->TagPM(), kBrackets);
    Type(window->DataEF(), "[48]i(41)");
    Click(window->GeneratePB());
    const fs::path file = OutputPath() / "Hi(41)br1225sr29400hi7350lo4900.wav";
    ASSERT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(ReadFile(file), ImageFor("Hi(41)", "", "\n\n", 1225, 29400, 7350, 4900));
    EXPECT_TRUE(reports.empty());
}

class Preview : public Window1Test {
  protected:
    static constexpr int32_t kPeriodMs = 20;
    void SetUp() override {
        Window1Test::SetUp();
        // Short, so that waiting out a few periods costs little; the edits still arm it as usual.
        window->Timer1()->SetPeriod(kPeriodMs);
        counter = std::make_shared<TimerCounter>();
        window->Timer1()->Action.AddHandler(counter, &TimerCounter::Fired, "( Timer )");
    }
    // Generous: the point is that it happens, not how fast.
    bool WaitForFirings(int n) {
        return QTest::qWaitFor([&] { return counter->count >= n; }, 10000);
    }
    String Shown() { return window->DataST()->Text(); }
    std::shared_ptr<TimerCounter> counter;
};

TEST_F(Preview, AnEditShowsOncePeriodLaterAsTyped) {
    struct Case {
        std::shared_ptr<TextField> (Window1::*field)();
        String typed;
        String shown;
    };
    const Case cases[] = {
        {&Window1::DataEF, "a(41)", "a(41)(A)(A)"},
        {&Window1::HeadEF, "<P>", "<P>a(41)(A)(A)"},
        {&Window1::FootEF, "(0D)(0A)", "<P>a(41)(0D)(0A)"},
    };
    int firings = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const String before = Shown();
        Type((window.get()->*c.field)(), c.typed);
        // Armed, and nothing shown until the timer fires through the event loop.
        EXPECT_EQ(window->Timer1()->Mode(), Timer::ModeSingle);
        EXPECT_EQ(Shown(), before);
        ASSERT_TRUE(WaitForFirings(++firings));
        EXPECT_EQ(Shown(), c.shown);
        // Once per edit burst: it stays off afterwards.
        ASSERT_TRUE(RunTimersDueWithin(3 * kPeriodMs));
        EXPECT_EQ(counter->count, firings);
        EXPECT_EQ(window->Timer1()->Mode(), Timer::ModeOff);
    }
}

TEST_F(Preview, NumberFieldsDoNotArmTheTimer) {
    Type(window->HighEF(), "1234");
    Type(window->LowEF(), "567");
    TypeInCombo(window->BaudCB(), "600", true);
    TypeInCombo(window->SampleRateCB(), "8000", true);
    ChooseRow(window->SampleRateCB(), 1);
    EXPECT_EQ(window->Timer1()->Mode(), Timer::ModeOff);
    ASSERT_TRUE(RunTimersDueWithin(3 * kPeriodMs));
    EXPECT_EQ(counter->count, 0);
    EXPECT_EQ(Shown(), "Hello!(A)(A)");
}

TEST_F(Preview, TagSwitchShowsTheNewTagsAfterThePeriod) {
    ChooseRow(window->TagPM(), kBrackets);
    ASSERT_TRUE(WaitForFirings(1));
    EXPECT_EQ(Shown(), "Hello![A][A]");
}

}  // namespace
