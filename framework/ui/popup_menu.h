#pragma once
// Popup menus: PopupMenu, a list of rows to choose from, and ComboBox, one that takes typed text.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/events.h"
#include "framework/ui/rect_control.h"

class QComboBox;

class PopupMenu : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    void AddRow(const String& text);
    void DeleteAllRows();
    int32_t ListCount() const;
    // 0-based; -1 when no row is selected. Selecting a row makes its text the Text.
    int32_t ListIndex() const;
    void SetListIndex(int32_t v);
    // Text of row `row`; OutOfBoundsException outside 0..ListCount-1.
    String List(int32_t row) const;
    // The chosen row's text ("" when none); for a combo box, its edit text.
    virtual String Text() const;
    // Any framework object; OutOfBoundsException outside 0..ListCount-1.
    std::shared_ptr<Object> RowTag(int32_t row) const;
    void SetRowTag(int32_t row, std::shared_ptr<Object> tag);
    // Rows separated by CR; a CR at the end ends the last row without making an empty one.
    void SetInitialValue(const String& rows);
    // Raised when the user chooses a row (the same row again included), not when code removes rows.
    Event<void> Change;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    QComboBox& Combo() const;
    // Runs a change made by code: no signal of the widget reaches the handlers. An editable
    // combo keeps its edit text unless `keepEditText` is false.
    void Quietly(const std::function<void()>& change, bool keepEditText = true);

  private:
    struct Row {
        String text;
        std::shared_ptr<Object> tag;  // Nil when unset
    };
    const Row& RowAt(int32_t row, const char* what) const;
    std::vector<Row> rows_;  // the rows as code gave them, beside the widget's copy
};

// An editable popup: typed text never becomes a row. Its Change is also raised when typed text
// is committed (Enter, or the focus leaving it).
class ComboBox : public PopupMenu {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    String Text() const override;
    void SetText(const String& v);

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    friend class PopupMenu;
    void Commit();
    String committed_;  // the edit text when Change was last raised or code last set it
};
