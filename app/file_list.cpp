// The list of the output folder's .wav items, rebuilt at every press, and the folder button.
#include "app/window1.h"
#include "framework/core/exceptions.h"
#include "framework/core/folder_item.h"
#include "signal/generator.h"

bool Window1::wavPM_MouseDown(std::shared_ptr<PopupMenu>, int32_t, int32_t) {
    // The folder first: if it cannot be had, the previous rows stay.
    std::shared_ptr<FolderItem> folder = Module1::wavFolder();
    Deref(wavPM(), "wavPM").DeleteAllRows();
    // The count is read before every item, so a folder changing meanwhile is read to its new end;
    // the folder keeps its listing while it stays unchanged, so the walk reads the disk once.
    for (int32_t i = 1; i <= Deref(folder, "the output folder").Count(); ++i) {
        std::shared_ptr<FolderItem> item = folder->Item(i);
        if (!item) continue;
        const String name = item->Name();
        if (!StrEquals(Right(name, 4), ".wav")) continue;
        Deref(wavPM(), "wavPM").AddRow(name);
        auto& popup = Deref(wavPM(), "wavPM");
        popup.SetRowTag(popup.ListCount() - 1, item);
    }
    return false;  // the popup opens on the rows just built
}

void Window1::wavPM_Change(std::shared_ptr<PopupMenu>) {
    auto& popup = Deref(wavPM(), "wavPM");
    const int32_t row = popup.ListIndex();
    if (row < 0) return;
    auto item = std::dynamic_pointer_cast<FolderItem>(popup.RowTag(row));
    if (!item) return;
    if (!item->Exists()) return;  // deleted since the press: the player keeps what it holds
    Deref(mp(), "mp").SetMovie(nullptr);
    // Loaded stopped: the user starts it from the player's controller.
    Deref(mp(), "mp").SetMovie(item->OpenAsMovie());
}

void Window1::ShowFolderPB_Action(std::shared_ptr<PushButton>) {
    Deref(Module1::wavFolder(), "the output folder").Launch(true);
}
