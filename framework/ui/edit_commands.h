#pragma once
// The standard Edit items (EditUndo, EditCut, ...) acting on the window's text field.
class MenuItem;
class QLineEdit;
class QWidget;

enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

// The command an item stands for by its name; None for any other item.
EditCommand EditCommandOf(const MenuItem& item);
// The text field the standard edit items work on when `widget` has the focus: the widget itself if
// a line edit, a combo box's editor; nullptr otherwise.
QLineEdit* LineEditOf(QWidget* widget);
// True when `command` can act on `edit` now (false for a nullptr edit).
bool EditCommandApplies(EditCommand command, const QLineEdit* edit);
void PerformEditCommand(EditCommand command, QLineEdit* edit);
