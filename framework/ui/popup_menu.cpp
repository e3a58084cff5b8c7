// PopupMenu (a closed QComboBox) and ComboBox (an editable one). A popup raises MouseDown before
// it opens, so a handler can rebuild the rows it is about to show.
#include "framework/ui/popup_menu.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <limits>
#include <optional>

#include "framework/core/exceptions.h"
#include "framework/ui/control.h"
#include "framework/ui/control_event_bridge.h"
#include "framework/ui/control_tables.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"

using namespace classinfo;

const ClassInfo& PopupMenu::StaticClass() {
    static const ClassInfo info{
        "PopupMenu", &RectControl::StaticClass(),
        WithFontProperties({SetterProperty("InitialValue", &PopupMenu::SetInitialValue),
                            SetterProperty("ListIndex", &PopupMenu::SetListIndex),
                            Kept("DataSource", PropertyType::String),
                            Kept("DataField", PropertyType::String)})};
    return info;
}

const ClassInfo& ComboBox::StaticClass() {
    static const ClassInfo info{
        "ComboBox",
        &PopupMenu::StaticClass(),
        {Kept("UseFocusRing", PropertyType::Boolean), Kept("AutoComplete", PropertyType::Boolean)}};
    return info;
}

namespace {
// Every way of opening the list (a press, F4, Alt+Down, Space) passes through showPopup, which
// raises MouseDown first: True keeps the list closed. The wheel does nothing, so the rows of a
// closed popup never change under a passing pointer; arrow keys choose the next row.
class PopupWidget : public QComboBox {
  public:
    PopupWidget(std::weak_ptr<Object> control, QWidget* parent)
        : QComboBox(parent), control_(std::move(control)) {}

    void showPopup() override {
        const QPoint at = pressing_ ? pressAt_ : QPoint(0, 0);
        bool keepClosed = false;
        if (auto control = LockControl<PopupMenu>(control_))
            keepClosed = RuntimeDispatchResult<bool>(
                [&] { return control->MouseDown.Raise(control, at.x(), at.y()); }, false);
        if (!keepClosed) QComboBox::showPopup();
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressing_ = true;
        pressAt_ = event->position().toPoint();
        QComboBox::mousePressEvent(event);
        pressing_ = false;
    }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

  private:
    std::weak_ptr<Object> control_;
    bool pressing_ = false;
    QPoint pressAt_;
};

// Rows of an item string: CR separates them, and a CR at the very end only ends the last row.
std::vector<String> SplitRows(const String& rows) {
    std::vector<String> result;
    size_t start = 0;
    while (start < rows.size()) {
        size_t end = rows.find('\r', start);
        if (end == String::npos) end = rows.size();
        result.push_back(rows.substr(start, end - start));
        start = end + 1;
    }
    return result;
}
}  // namespace

void PopupMenu::Constructor() {
    RectControl::Constructor();
}

QWidget* PopupMenu::CreateWidget(QWidget* parent) {
    auto* combo = new PopupWidget(impl_->self, parent);
    impl_->BridgeEvents(combo, combo, false);
    // activated comes only from the user, and also when the chosen row is the current one.
    QObject::connect(combo, &QComboBox::activated, combo, [weak = impl_->self] {
        RuntimeDispatch([&] {
            auto self = LockControl<PopupMenu>(weak);
            if (!self) return;
            if (auto* comboBox = dynamic_cast<ComboBox*>(self.get()))
                comboBox->committed_ = comboBox->Text();
            self->Change.Raise(self);
        });
    });
    return combo;
}

QComboBox& PopupMenu::Combo() const {
    return static_cast<QComboBox&>(Widget());
}

void PopupMenu::Quietly(const std::function<void()>& change, bool keepEditText) {
    QComboBox& combo = Combo();
    QSignalBlocker blockCombo(&combo);
    std::optional<QSignalBlocker> blockEditor;
    if (combo.lineEdit()) blockEditor.emplace(combo.lineEdit());
    const bool editable = combo.isEditable();
    const QString text = editable ? combo.currentText() : QString();
    change();
    if (editable && keepEditText && combo.currentText() != text) combo.setEditText(text);
}

const PopupMenu::Row& PopupMenu::RowAt(int32_t row, const char* what) const {
    if (row < 0 || row >= int32_t(rows_.size()))
        throw OutOfBoundsException(String(what) + ": row " + Str(row) + " of " +
                                   Str(int32_t(rows_.size())));
    return rows_[size_t(row)];
}

void PopupMenu::AddRow(const String& text) {
    QComboBox& combo = Combo();
    // Adding never changes the selection (Qt would select the first row added).
    Quietly([&] {
        const int before = combo.currentIndex();
        combo.addItem(ToQString(text));
        if (combo.currentIndex() != before) combo.setCurrentIndex(before);
    });
    rows_.push_back({text, nullptr});
}

void PopupMenu::DeleteAllRows() {
    QComboBox& combo = Combo();
    Quietly([&] { combo.clear(); });
    rows_.clear();
}

int32_t PopupMenu::ListCount() const {
    return int32_t(rows_.size());
}

int32_t PopupMenu::ListIndex() const {
    return impl_->widget ? Combo().currentIndex() : -1;
}

void PopupMenu::SetListIndex(int32_t v) {
    QComboBox& combo = Combo();
    // A list without rows has nothing to select, whatever the index.
    if (rows_.empty() || v == -1) {
        Quietly([&] { combo.setCurrentIndex(-1); });
        return;
    }
    RowAt(v, "ListIndex");
    Quietly([&] { combo.setCurrentIndex(v); }, false);
    if (auto* comboBox = dynamic_cast<ComboBox*>(this)) {
        Quietly([&] { combo.setEditText(ToQString(rows_[size_t(v)].text)); }, false);
        comboBox->committed_ = rows_[size_t(v)].text;
    }
}

String PopupMenu::List(int32_t row) const {
    return RowAt(row, "List").text;
}

String PopupMenu::Text() const {
    const int32_t index = ListIndex();
    return index >= 0 && index < int32_t(rows_.size()) ? rows_[size_t(index)].text : String();
}

std::shared_ptr<Object> PopupMenu::RowTag(int32_t row) const {
    return RowAt(row, "RowTag").tag;
}

void PopupMenu::SetRowTag(int32_t row, std::shared_ptr<Object> tag) {
    RowAt(row, "RowTag");
    rows_[size_t(row)].tag = std::move(tag);
}

void PopupMenu::SetInitialValue(const String& rows) {
    DeleteAllRows();
    for (const String& row : SplitRows(rows)) AddRow(row);
}

// ---- ComboBox ----

void ComboBox::Constructor() {
    RectControl::Constructor();
}

QWidget* ComboBox::CreateWidget(QWidget* parent) {
    auto* combo = static_cast<QComboBox*>(PopupMenu::CreateWidget(parent));
    combo->setEditable(true);
    // Typed text never becomes a row, and nothing completes it behind the user's back.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    QLineEdit* editor = combo->lineEdit();
    impl_->BridgeEvents(editor, combo, true, ControlEventBridge::Hover::Ignore);
    // Qt's default of 32767 characters would cut longer texts short without a word.
    editor->setMaxLength(std::numeric_limits<int>::max());
    // Enter, or the focus leaving the editor, commits the typed text.
    QObject::connect(editor, &QLineEdit::editingFinished, combo, [weak = impl_->self] {
        RuntimeDispatch([&] {
            if (auto self = LockControl<ComboBox>(weak)) self->Commit();
        });
    });
    return combo;
}

void ComboBox::Commit() {
    // Once per commit: a chosen row, or an Enter before the focus leaves, already raised it.
    const String text = Text();
    if (text == committed_) return;
    committed_ = text;
    Change.Raise(std::static_pointer_cast<ComboBox>(shared_from_this()));
}

String ComboBox::Text() const {
    if (!impl_->widget) return String();
    return FromQString(Combo().currentText());
}

void ComboBox::SetText(const String& v) {
    QComboBox& combo = Combo();
    Quietly([&] { combo.setEditText(ToQString(v)); }, false);
    committed_ = v;
}
