// The event bindings the window makes while it creates its controls: which events are bound, to
// one method each, with the method's signature text.
#include <gtest/gtest.h>

#include "tests/app/window_fixture.h"

namespace {

template <class E>
void ExpectBound(const E& event, const char* signature, const std::string& what) {
    ASSERT_EQ(event.Handlers().size(), 1u) << what;
    EXPECT_EQ(event.Handlers()[0].Signature(), signature) << what;
    EXPECT_TRUE(event.Handlers()[0].TargetAlive()) << what;
}

constexpr const char* kButton = "( PushButton )";

TEST(Bindings, EveryHandledEventIsBoundOnceWithItsSignature) {
    std::shared_ptr<Window1> w = StartedWindow();
    ExpectBound(w->DataEF()->TextChange, "( TextField )", "DataEF.TextChange");
    ExpectBound(w->GeneratePB()->Action, kButton, "GeneratePB.Action");
    ExpectBound(w->GeneratePB()->MouseExit, kButton, "GeneratePB.MouseExit");
    ExpectBound(w->GeneratePB()->MouseEnter, kButton, "GeneratePB.MouseEnter");
    for (int32_t i = 0; i < 10; ++i) {
        ExpectBound(w->NumGene(i)->Action, kButton, "NumGene.Action " + std::to_string(i));
        ExpectBound(w->NumGene(i)->Open, kButton, "NumGene.Open " + std::to_string(i));
    }
    ExpectBound(w->BaudCB()->Change, "( ComboBox )", "BaudCB.Change");
    ExpectBound(w->HeadEF()->TextChange, "( TextField )", "HeadEF.TextChange");
    ExpectBound(w->FootEF()->TextChange, "( TextField )", "FootEF.TextChange");
    ExpectBound(w->TagPM()->Change, "( PopupMenu )", "TagPM.Change");
    ExpectBound(w->Timer1()->Action, "( Timer )", "Timer1.Action");
    ExpectBound(w->ShowFolderPB()->Action, kButton, "ShowFolderPB.Action");
    ExpectBound(w->ShowFolderPB()->MouseExit, kButton, "ShowFolderPB.MouseExit");
    ExpectBound(w->ShowFolderPB()->MouseEnter, kButton, "ShowFolderPB.MouseEnter");
    ExpectBound(w->Label10()->MouseDown, "( Label, Int32, Int32 ) as Boolean", "Label10.MouseDown");
    ExpectBound(w->Label10()->MouseEnter, "( Label )", "Label10.MouseEnter");
    ExpectBound(w->Label10()->MouseExit, "( Label )", "Label10.MouseExit");
    ExpectBound(w->wavPM()->MouseDown, "( PopupMenu, Int32, Int32 ) as Boolean", "wavPM.MouseDown");
    ExpectBound(w->wavPM()->Change, "( PopupMenu )", "wavPM.Change");
}

TEST(Bindings, EventsNotHandledStayUnbound) {
    std::shared_ptr<Window1> w = StartedWindow();
    std::vector<std::shared_ptr<RectControl>> quiet = {
        w->mp(),     w->SampleRateCB(), w->HighEF(),     w->LowEF(),     w->DataST(), w->Label1(),
        w->Label2(), w->Label3(),       w->Label4(),     w->Label5(),    w->Label6(), w->Label7(),
        w->Label8(), w->Label9(),       w->Separator1(), w->Separator2()};
    for (const auto& c : quiet) {
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(c->Open.Bound()) << c->Name();
        EXPECT_FALSE(c->MouseEnter.Bound()) << c->Name();
        EXPECT_FALSE(c->MouseExit.Bound()) << c->Name();
        EXPECT_FALSE(c->MouseDown.Bound()) << c->Name();
    }
    EXPECT_FALSE(w->SampleRateCB()->Change.Bound());
    EXPECT_FALSE(w->HighEF()->TextChange.Bound());
    EXPECT_FALSE(w->LowEF()->TextChange.Bound());
    EXPECT_FALSE(w->DataEF()->Open.Bound());
    EXPECT_FALSE(w->DataEF()->MouseDown.Bound());
    EXPECT_FALSE(w->GeneratePB()->MouseDown.Bound());
    EXPECT_FALSE(w->BaudCB()->MouseDown.Bound());
    EXPECT_FALSE(w->TagPM()->MouseDown.Bound());
    EXPECT_FALSE(w->Label10()->Open.Bound());
}

}  // namespace
