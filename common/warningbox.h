#pragma once
// The one warning box of the program: modal, warning (exclamation) icon,
// one OK button, the given title and message; and its question form.

#include <QString>

class QWidget;

namespace morvane {

// The least width of a warning box with that title, so that a window
// manager never cuts the title.
int warningBoxMinimumWidth(const QString &title);

// Shows the box over `parent`'s window and waits until it is closed. Then
// makes that window active again and gives the focus back to the control
// that held it, so that the user goes on where they were.
void showWarning(QWidget *parent, const QString &title, const QString &message);

// The same box asking a question with 是 and 否, 否 the default and the
// answer of Escape and of the close box; true only when 是 is chosen.
bool askYesNo(QWidget *parent, const QString &title, const QString &question);

// The question before changes are lost: 保存, 不保存 and 取消, 保存 the
// default, 取消 the answer of Escape and of the close box.
enum class SaveAnswer { Save, Discard, Cancel };
SaveAnswer askSave(QWidget *parent, const QString &title, const QString &question);

}  // namespace morvane
