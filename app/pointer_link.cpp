// Pointer feedback over the two buttons and the link label, and the link to the maker's page.
#include "app/maker_page.h"
#include "app/window1.h"
#include "framework/core/exceptions.h"
#include "framework/ui/system.h"

namespace {

std::shared_ptr<Cursors> StockCursors() {
    std::shared_ptr<Cursors> cursors = Deref(System(), "System").Cursors();
    Deref(cursors, "System.Cursors");
    return cursors;
}

void PointAt(RectControl& control) {
    control.SetMouseCursor(StockCursors()->FingerPointer());
}
void PointAway(RectControl& control) {
    control.SetMouseCursor(StockCursors()->StandardPointer());
}

constexpr Color kLinkHoverColor = Color::FromRGB(0x0000FF);
constexpr Color kLinkColor = Color::FromRGB(0x000000);

}  // namespace

void Window1::GeneratePB_MouseEnter(std::shared_ptr<PushButton> sender) {
    PointAt(Deref(sender, "GeneratePB"));
}
void Window1::GeneratePB_MouseExit(std::shared_ptr<PushButton> sender) {
    PointAway(Deref(sender, "GeneratePB"));
}
void Window1::ShowFolderPB_MouseEnter(std::shared_ptr<PushButton> sender) {
    PointAt(Deref(sender, "ShowFolderPB"));
}
void Window1::ShowFolderPB_MouseExit(std::shared_ptr<PushButton> sender) {
    PointAway(Deref(sender, "ShowFolderPB"));
}

void Window1::Label10_MouseEnter(std::shared_ptr<Label> sender) {
    PointAt(Deref(sender, "Label10"));
    sender->SetTextColor(kLinkHoverColor);
}

void Window1::Label10_MouseExit(std::shared_ptr<Label> sender) {
    PointAway(Deref(sender, "Label10"));
    sender->SetTextColor(kLinkColor);
}

bool Window1::Label10_MouseDown(std::shared_ptr<Label>, int32_t, int32_t) {
    // On the press itself, every press.
    ShowURL(kMakerPageAddress);
    return false;
}
