// Windows: content size and menu bar, title and frame, construction order, controls by name,
// the runtime's list of windows and what holds a window alive.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <functional>

#include "framework/core/exceptions.h"
#include "framework/ui/controls.h"
#include "framework/ui/window.h"
#include "tests/framework/ui_runtime_support.h"

namespace {

class ListWindow : public Window {
    TW_CLASS_INFO
  public:
    PropertyBlob list;
    std::shared_ptr<::MenuBar> bar;
    std::function<void(ListWindow&)> createControls;
    std::vector<String> log;

    void Layout() override {
        log.push_back("Layout");
        if (bar) SetMenuBar(bar);
        SetProperties(*this, list);
    }
    void CreateControls() override {
        log.push_back("CreateControls");
        SetContentsChanged(true);
        if (createControls) createControls(*this);
    }
    void Opened(std::shared_ptr<RectControl> sender) { log.push_back("Open " + sender->Name()); }
};

const ClassInfo& ListWindow::StaticClass() {
    static const ClassInfo info{"ListWindow.ListWindow", &Window::StaticClass()};
    return info;
}

// A control without a widget: enough for registration and Open.
class BareControl : public RectControl {};

// A non-control among the controls, holding its window as the application's timer does.
class PaneProbe : public Object, public PaneChild {
  public:
    void SetWindow(std::shared_ptr<::Window> window) override { window_ = std::move(window); }
    std::shared_ptr<::Window> Window() const override { return window_; }
    int32_t Index() const override { return index_; }
    void SetIndex(int32_t index) override { index_ = index; }

  private:
    std::shared_ptr<::Window> window_;
    int32_t index_ = 0;
};

QMainWindow& Native(const Window& w) {
    return *qobject_cast<QMainWindow*>(w.NativeWindow());
}

class WindowTest : public RuntimeFixture {};

TEST_F(WindowTest, MainWindowListGivesExactContentWithTheMenuBarAbove) {
    auto w = std::make_shared<ListWindow>();
    w->list = MainWindowList(7);
    w->bar = StandardMenuBar();
    w->Constructor();
    QMainWindow& native = Native(*w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&native));

    QMenuBar* bar = native.menuBar();
    QWidget* content = w->ContentWidget();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(content->size(), QSize(519, 319));
    EXPECT_EQ(content->geometry().top(), bar->geometry().bottom() + 1);
    EXPECT_EQ(native.size(), QSize(519, bar->height() + 319));
    EXPECT_EQ(native.windowTitle(), QStringLiteral("Tarnwhistle for Softmodem"));
    EXPECT_EQ(w->Title(), "Tarnwhistle for Softmodem");
    EXPECT_EQ(w->MacProcId(), 7) << "the key MacProcID names the property MacProcId";
    EXPECT_EQ(w->Width(), 519);
    EXPECT_EQ(w->Height(), 319);
    EXPECT_TRUE(w->Visible());
    EXPECT_FALSE(w->ContentsChanged());
    const Qt::WindowFlags flags = native.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(native.minimumSize(), native.maximumSize());
}

TEST_F(WindowTest, BackColorShowsOnlyWithHasBackColor) {
    auto w = std::make_shared<Window>();
    QWidget* content = w->ContentWidget();
    SetProperties(*w, prop::ColorEntry("BackColor", Color{200, 0, 0}));
    EXPECT_FALSE(content->autoFillBackground());
    SetProperties(*w, prop::BooleanEntry("HasBackColor", true));
    EXPECT_TRUE(content->autoFillBackground());
    EXPECT_EQ(content->palette().color(QPalette::Window), QColor(200, 0, 0));
    SetProperties(*w, prop::BooleanEntry("HasBackColor", false));
    EXPECT_FALSE(content->autoFillBackground());
}

TEST_F(WindowTest, FrameComesOutTheSameWhetherVisibleIsSetBeforeOrAfter) {
    const PropertyBlob frame = Blob(
        {prop::BooleanEntry("CloseButton", false), prop::BooleanEntry("Resizeable", false),
         prop::BooleanEntry("MaximizeButton", false), prop::BooleanEntry("MinimizeButton", true)});
    const PropertyBlob size =
        Blob({prop::Int32Entry("Width", 200), prop::Int32Entry("Height", 100)});
    const PropertyBlob visible = prop::BooleanEntry("Visible", true);
    for (bool visibleFirst : {true, false}) {
        SCOPED_TRACE(visibleFirst ? "Visible first" : "Visible last");
        auto w = std::make_shared<Window>();
        SetProperties(*w, visibleFirst ? size + visible + frame : size + frame + visible);
        QMainWindow& native = Native(*w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&native));
        const Qt::WindowFlags flags = native.windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
        EXPECT_TRUE(native.isVisible());
        EXPECT_EQ(native.minimumSize(), native.maximumSize()) << "not resizeable";
        EXPECT_EQ(w->ContentWidget()->size(), QSize(200, 100));
    }
}

TEST_F(WindowTest, ResizeableWindowKeepsItsContentSizeWithoutFixingIt) {
    auto w = std::make_shared<Window>();
    SetProperties(
        *w, Blob({prop::Int32Entry("Width", 300), prop::Int32Entry("Height", 150),
                  prop::BooleanEntry("Resizeable", true), prop::BooleanEntry("Visible", true)}));
    QMainWindow& native = Native(*w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&native));
    EXPECT_EQ(w->ContentWidget()->size(), QSize(300, 150));
    EXPECT_NE(native.minimumSize(), native.maximumSize());
}

TEST_F(WindowTest, CloseRequestIsIgnoredWithoutACloseButton) {
    for (bool closeButton : {false, true}) {
        auto w = std::make_shared<Window>();
        SetProperties(*w, Blob({prop::BooleanEntry("Visible", true),
                                prop::BooleanEntry("CloseButton", closeButton)}));
        QMainWindow& native = Native(*w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&native));
        EXPECT_EQ(native.close(), closeButton);
        EXPECT_EQ(native.isVisible(), !closeButton);
        EXPECT_EQ(w->Visible(), !closeButton);
    }
}

TEST_F(WindowTest, ConstructorRaisesLayoutThenCreateControlsThenOpenInRegistrationOrder) {
    auto w = std::make_shared<ListWindow>();
    w->list = prop::BooleanEntry("Visible", false);
    w->createControls = [](ListWindow& self) {
        for (const char* name : {"b", "a"}) {
            auto control = self.New<BareControl>();
            self.AddControl(name, control);
            control->Open.AddHandler(std::static_pointer_cast<ListWindow>(self.shared_from_this()),
                                     &ListWindow::Opened, "( RectControl )");
        }
        self.AddControl("pane", std::make_shared<PaneProbe>());
    };
    w->Constructor();
    EXPECT_EQ(w->log, (std::vector<String>{"Layout", "CreateControls", "Open b", "Open a"}));
    EXPECT_FALSE(w->ContentsChanged());
    EXPECT_FALSE(w->NativeWindow()->isVisible());
    w->ReleaseControls();  // the pane holds the window
}

TEST_F(WindowTest, ExceptionDuringConstructionPropagatesToTheCaller) {
    auto w = std::make_shared<ListWindow>();
    w->createControls = [](ListWindow&) { throw IOException("cannot create"); };
    EXPECT_THROW(w->Constructor(), IOException);
    EXPECT_TRUE(reports.empty()) << "start-up exceptions are the caller's to report";
}

TEST_F(WindowTest, ControlsAreFoundByNameAndByIndex) {
    auto w = std::make_shared<Window>();
    std::vector<std::shared_ptr<BareControl>> keys;
    for (int32_t i = 0; i < 3; ++i) {
        auto key = w->New<BareControl>();
        EXPECT_EQ(key->Window(), w);
        key->SetIndex(i);
        w->AddControl("Key", key);
        keys.push_back(key);
    }
    auto single = w->New<BareControl>();
    w->AddControl("Single", single);
    auto pane = std::make_shared<PaneProbe>();
    pane->SetIndex(5);
    w->AddControl("Timer1", pane);

    EXPECT_EQ(pane->Window(), w) << "a pane child is told its window";
    EXPECT_EQ(w->ControlByName("Key"), keys[0]);
    EXPECT_EQ(w->ControlByName("Single"), single);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(w->ControlByNameIndex("Key", i), keys[size_t(i)]);
    EXPECT_EQ(w->ControlByNameIndex("Timer1", 5), pane);
    EXPECT_EQ(w->ControlByNameIndex("Single", kNoIndex), single);
    EXPECT_EQ(w->ControlByName("key"), nullptr) << "names compare exactly";
    EXPECT_EQ(w->ControlByName("Missing"), nullptr);
    EXPECT_EQ(w->ControlByNameIndex("Key", 3), nullptr);
    EXPECT_EQ(w->Controls().size(), 5u);
    EXPECT_THROW(w->AddControl("Nil", nullptr), NilObjectException);
    w->ReleaseControls();
    EXPECT_EQ(w->ControlByName("Key"), nullptr);
}

TEST_F(WindowTest, ImplicitWindowIsFoundByFullClassName) {
    auto w = std::make_shared<ListWindow>();
    w->list = prop::BooleanEntry("Visible", false);
    w->Constructor();
    EXPECT_EQ(GetImplicitWindow("ListWindow.ListWindow"), w);
    EXPECT_EQ(GetImplicitWindow("Window"), nullptr);
    EXPECT_EQ(GetImplicitWindow("listwindow.listwindow"), nullptr);
}

TEST_F(WindowTest, ReleasingModuleObjectsBreaksTheCycleThroughAPaneChild) {
    auto w = std::make_shared<ListWindow>();
    w->list = prop::BooleanEntry("Visible", true);
    w->createControls = [](ListWindow& self) {
        self.AddControl("Timer1", std::make_shared<PaneProbe>());
    };
    w->Constructor();
    std::weak_ptr<Window> weak = w;
    QPointer<QWidget> native = w->NativeWindow();
    w.reset();
    ASSERT_FALSE(weak.expired());
    RuntimeReleaseModuleObjects();
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(native.isNull());
    EXPECT_EQ(GetImplicitWindow("ListWindow.ListWindow"), nullptr);
}

TEST_F(WindowTest, BindingDoesNotKeepItsWindowAlive) {
    auto w = std::make_shared<ListWindow>();
    BareControl control;
    control.Open.AddHandler(w, &ListWindow::Opened, "( RectControl )");
    std::weak_ptr<Window> weak = w;
    w.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_FALSE(control.Open.Handlers()[0].TargetAlive());
    RuntimeDispatch([&] { control.Open.Raise(nullptr); });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].first, "NilObjectException");
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(WindowTest, MenuBarShowsTheItemTree) {
    auto w = std::make_shared<Window>();
    w->SetMenuBar(StandardMenuBar());
    QMenuBar* bar = Native(*w).menuBar();
    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(Texts(menus), (QStringList{"ファイル", "編集"}));
    ASSERT_TRUE(menus[0]->menu() && menus[1]->menu());
    EXPECT_EQ(Texts(menus[1]->menu()->actions()),
              (QStringList{"元に戻す", "-", "カット", "コピー", "貼り付け", "削除", "-",
                           "すべてを選択"}));
    QAction* quit = menus[0]->menu()->actions().value(0);
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->text(), QStringLiteral("終了"));
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    const QList<QAction*> edit = menus[1]->menu()->actions();
    EXPECT_EQ(edit[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_TRUE(edit[5]->shortcut().isEmpty()) << "an empty shortcut gives no key";

    // Set again: the bar is rebuilt from the new tree.
    auto other = std::make_shared<MenuBar>();
    auto only = std::make_shared<MenuItem>();
    only->SetText("Only");
    other->Append(only);
    w->SetMenuBar(other);
    EXPECT_EQ(Texts(Native(*w).menuBar()->actions()), QStringList{"Only"});
    EXPECT_EQ(w->MenuBar(), other);
}

TEST_F(WindowTest, EveryWindowListKeyIsAWindowProperty) {
    const ClassInfo& info = Window::StaticClass();
    ParsePropertyList(
        MainWindowList(), [&](const String& key) { return info.FindProperty(key); },
        [](const PropertyInfo& p, const PropertyValue& v) {
            EXPECT_EQ(size_t(p.type), v.index()) << p.name;
            EXPECT_TRUE(bool(p.set)) << p.name;
        });
}

}  // namespace
