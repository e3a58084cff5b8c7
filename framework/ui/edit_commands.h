#pragma once
// The standard Edit items (EditUndo, EditCut, ...) acting on the focused text field.
class MenuItem;
class QLineEdit;

enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

// The command an item stands for by its name; None for any other item.
EditCommand EditCommandOf(const MenuItem& item);
// The text field the standard edit items work on: a line edit, or a combo box's; nullptr if none.
QLineEdit* FocusedLineEdit();
// True when `command` can act on `edit` now (false for a nullptr edit).
bool EditCommandApplies(EditCommand command, const QLineEdit* edit);
void PerformEditCommand(EditCommand command, QLineEdit* edit);
