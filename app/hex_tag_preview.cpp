// The hex-tag pair switch, and the preview that follows edits one timer period later.
#include "app/window1.h"
#include "framework/core/exceptions.h"

namespace {

// Old open tag to new open tag first, then old close to new close; the pairs share no character.
void RetagField(const std::shared_ptr<TextField>& field, const char* what, const String& oldOpen,
                const String& newOpen, const String& oldClose, const String& newClose) {
    String text = Deref(field, what).Text();
    text = ReplaceAll(text, oldOpen, newOpen);
    text = ReplaceAll(text, oldClose, newClose);
    field->SetText(text);
}

}  // namespace

void Window1::TagPM_Change(std::shared_ptr<PopupMenu> sender) {
    const String newOpen = NthField(Deref(sender, "TagPM").Text(), " ", 1);
    const String newClose = NthField(Deref(sender, "TagPM").Text(), " ", 2);
    RetagField(HeadEF(), "HeadEF", mHexTagA, newOpen, mHexTagB, newClose);
    RetagField(FootEF(), "FootEF", mHexTagA, newOpen, mHexTagB, newClose);
    RetagField(DataEF(), "DataEF", mHexTagA, newOpen, mHexTagB, newClose);
    mHexTagA = newOpen;
    mHexTagB = newClose;
}

void Window1::DataEF_TextChange(std::shared_ptr<TextField>) {
    Deref(Timer1(), "Timer1").SetMode(Timer::ModeSingle);
}

void Window1::HeadEF_TextChange(std::shared_ptr<TextField>) {
    Deref(Timer1(), "Timer1").SetMode(Timer::ModeSingle);
}

void Window1::FootEF_TextChange(std::shared_ptr<TextField>) {
    Deref(Timer1(), "Timer1").SetMode(Timer::ModeSingle);
}

void Window1::Timer1_Action(std::shared_ptr<Timer>) {
    // As typed: the escapes stay unexpanded.
    const String preview = Deref(HeadEF(), "HeadEF").Text() + Deref(DataEF(), "DataEF").Text() +
                           Deref(FootEF(), "FootEF").Text();
    Deref(DataST(), "DataST").SetText(preview);
}
