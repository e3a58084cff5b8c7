// The table of every class, built once at process start: the framework's, then the system's.
#include "app/app.h"
#include "app/menu_bar.h"
#include "app/window1.h"
#include "framework/core/binary_stream.h"
#include "framework/core/folder_item.h"
#include "framework/ui/controls.h"
#include "framework/ui/menu.h"
#include "framework/ui/movie_player.h"
#include "framework/ui/system.h"
#include "framework/ui/timer.h"
#include "framework/ui/window.h"

namespace {

// The generator is not a framework object, so its description lives here rather than beside it.
const ClassInfo& GeneraterClassInfo() {
    static const ClassInfo info{"GeneraterClass"};
    return info;
}

void RegisterFrameworkClasses() {
    for (const ClassInfo* info :
         {&Object::StaticClass(),      &Application::StaticClass(), &Window::StaticClass(),
          &Control::StaticClass(),     &RectControl::StaticClass(), &TextEdit::StaticClass(),
          &TextField::StaticClass(),   &PushButton::StaticClass(),  &Label::StaticClass(),
          &PopupMenu::StaticClass(),   &ComboBox::StaticClass(),    &Separator::StaticClass(),
          &Movie::StaticClass(),       &MoviePlayer::StaticClass(), &Timer::StaticClass(),
          &MenuItem::StaticClass(),    &MenuBar::StaticClass(),     &QuitMenuItem::StaticClass(),
          &MouseCursor::StaticClass(), &Cursors::StaticClass(),     &SystemClass::StaticClass(),
          &FolderItem::StaticClass(),  &BinaryStream::StaticClass()})
        RuntimeRegisterClass(*info);
}

}  // namespace

void RegisterClasses() {
    RegisterFrameworkClasses();
    RuntimeRegisterClass(App::StaticClass());
    RuntimeRegisterClass(Window1::StaticClass());
    RuntimeRegisterClass(Window1NumGene::StaticClass());
    RuntimeRegisterClass(Window1Timer1::StaticClass());
    RuntimeRegisterClass(MenuBar1::StaticClass());
    RuntimeRegisterClass(GeneraterClassInfo());
}
