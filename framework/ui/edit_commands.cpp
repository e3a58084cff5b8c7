// The standard Edit items on a line edit, as Qt's own shortcuts would act on it.
#include "framework/ui/edit_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

#include <utility>

#include "framework/ui/menu.h"

EditCommand EditCommandOf(const MenuItem& item) {
    static const std::pair<const char*, EditCommand> names[] = {
        {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},
        {"EditCopy", EditCommand::Copy},   {"EditPaste", EditCommand::Paste},
        {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll}};
    for (const auto& [name, command] : names)
        if (item.Name() == name) return command;
    return EditCommand::None;
}

QLineEdit* LineEditOf(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return nullptr;
}

bool EditCommandApplies(EditCommand command, const QLineEdit* edit) {
    if (!edit) return false;
    const bool writable = !edit->isReadOnly();
    const bool plain = edit->echoMode() == QLineEdit::Normal;  // a password is never copied out
    switch (command) {
        case EditCommand::Undo:
            return writable && edit->isUndoAvailable();
        case EditCommand::Cut:
            return writable && plain && edit->hasSelectedText();
        case EditCommand::Copy:
            return plain && edit->hasSelectedText();
        case EditCommand::Paste:
            return writable && !QGuiApplication::clipboard()->text().isEmpty();
        case EditCommand::Clear:
            return writable && edit->hasSelectedText();
        case EditCommand::SelectAll:
            return !edit->text().isEmpty();
        case EditCommand::None:
            break;
    }
    return false;
}

void PerformEditCommand(EditCommand command, QLineEdit* edit) {
    switch (command) {
        case EditCommand::Undo:
            edit->undo();
            break;
        case EditCommand::Cut:
            edit->cut();
            break;
        case EditCommand::Copy:
            edit->copy();
            break;
        case EditCommand::Paste:
            edit->paste();
            break;
        case EditCommand::Clear:
            edit->del();
            break;
        case EditCommand::SelectAll:
            edit->selectAll();
            break;
        case EditCommand::None:
            break;
    }
}
