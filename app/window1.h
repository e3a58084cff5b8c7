#pragma once
// The main window: its hex-tag pair, its 36 controls, their handlers and generate-and-play.
#include <cstdint>
#include <memory>

#include "framework/ui/controls.h"
#include "framework/ui/menu.h"
#include "framework/ui/movie_player.h"
#include "framework/ui/timer.h"
#include "framework/ui/window.h"

class Window1 : public Window {
    TW_CLASS_INFO
  public:
    // Window events.
    void Layout() override;
    void CreateControls() override;
    // Each creates its controls in the window's one order, with their lists and bindings.
    void CreateControls0();  // the data field to the preview label, the keypad among them
    void CreateControls1();  // the preview timer to the file popup

    // Control accessors: each looks its control up by name at every call and tests its class.
    std::shared_ptr<TextField> DataEF();
    std::shared_ptr<PushButton> GeneratePB();
    std::shared_ptr<MoviePlayer> mp();
    std::shared_ptr<PushButton> NumGene(int32_t index);
    std::shared_ptr<Label> Label1();
    std::shared_ptr<ComboBox> SampleRateCB();
    std::shared_ptr<Label> Label2();
    std::shared_ptr<Label> Label3();
    std::shared_ptr<Label> Label4();
    std::shared_ptr<ComboBox> BaudCB();
    std::shared_ptr<TextField> HighEF();
    std::shared_ptr<TextField> LowEF();
    std::shared_ptr<Separator> Separator1();
    std::shared_ptr<TextField> HeadEF();
    std::shared_ptr<Label> Label5();
    std::shared_ptr<Label> Label6();
    std::shared_ptr<TextField> FootEF();
    std::shared_ptr<Label> Label7();
    std::shared_ptr<PopupMenu> TagPM();
    std::shared_ptr<Label> DataST();
    std::shared_ptr<Timer> Timer1();
    std::shared_ptr<Separator> Separator2();
    std::shared_ptr<PushButton> ShowFolderPB();
    std::shared_ptr<Label> Label8();
    std::shared_ptr<Label> Label9();
    std::shared_ptr<Label> Label10();
    std::shared_ptr<PopupMenu> wavPM();

    // Event handlers.
    void DataEF_TextChange(std::shared_ptr<TextField> sender);
    void GeneratePB_Action(std::shared_ptr<PushButton> sender);
    void GeneratePB_MouseExit(std::shared_ptr<PushButton> sender);
    void GeneratePB_MouseEnter(std::shared_ptr<PushButton> sender);
    void NumGene_Action(std::shared_ptr<PushButton> sender);
    void NumGene_Open(std::shared_ptr<PushButton> sender);
    void BaudCB_Change(std::shared_ptr<ComboBox> sender);
    void HeadEF_TextChange(std::shared_ptr<TextField> sender);
    void FootEF_TextChange(std::shared_ptr<TextField> sender);
    void TagPM_Change(std::shared_ptr<PopupMenu> sender);
    void Timer1_Action(std::shared_ptr<Timer> sender);
    void ShowFolderPB_Action(std::shared_ptr<PushButton> sender);
    void ShowFolderPB_MouseExit(std::shared_ptr<PushButton> sender);
    void ShowFolderPB_MouseEnter(std::shared_ptr<PushButton> sender);
    bool Label10_MouseDown(std::shared_ptr<Label> sender, int32_t x, int32_t y);
    void Label10_MouseEnter(std::shared_ptr<Label> sender);
    void Label10_MouseExit(std::shared_ptr<Label> sender);
    bool wavPM_MouseDown(std::shared_ptr<PopupMenu> sender, int32_t x, int32_t y);
    void wavPM_Change(std::shared_ptr<PopupMenu> sender);

    // Menu-item accessors.
    std::shared_ptr<MenuItem> EditMenu();
    std::shared_ptr<MenuItem> EditSelectAll();
    std::shared_ptr<MenuItem> UntitledMenu0();
    std::shared_ptr<MenuItem> EditClear();
    std::shared_ptr<MenuItem> EditPaste();
    std::shared_ptr<MenuItem> EditCopy();
    std::shared_ptr<MenuItem> EditCut();
    std::shared_ptr<MenuItem> UntitledMenu1();
    std::shared_ptr<MenuItem> EditUndo();
    std::shared_ptr<MenuItem> FileMenu();
    std::shared_ptr<QuitMenuItem> FileQuit();

    // Expands the escapes, writes the file and plays it.
    void DoGenerate(const String& data);

    String mHexTagA = "(";
    String mHexTagB = ")";
};

// The keypad's element class, registered as "Window1.NumGene".
class Window1NumGene : public PushButton {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    // Index first, then the default control construction.
    void Constructor(int32_t index);
};

// The preview timer's class, registered as "Window1.Timer1".
class Window1Timer1 : public Timer, public PaneChild {
    TW_CLASS_INFO
  public:
    void Constructor() {}
    void SetWindow(std::shared_ptr<::Window> window) override;
    std::shared_ptr<::Window> Window() const override;
    int32_t Index() const override;
    void SetIndex(int32_t index) override;

  private:
    int32_t mIndex = 0;                     // the control-array index
    std::shared_ptr<::Window> ownerWindow;  // counted: the window the timer sits on
};

// The main window, created on the first call.
std::shared_ptr<Window1> Window1Instance();
