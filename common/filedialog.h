#pragma once
// The one way the program asks for a file name: to open a calculation, to
// save one, to export a calculation book. A test answers the next question
// beforehand with setNextFileName, and no dialog shows.

#include <QString>
#include <QStringList>

class QWidget;

namespace morvane {

// The name of an existing file to open, empty when the user cancels.
QString chooseFileToOpen(QWidget *parent, const QString &title, const QString &folder, const QStringList &filters);

// The name to save under, empty when the user cancels; `filter` gives the
// filter shown first and takes the one chosen. The dialog asks before an
// existing file of the name is replaced.
QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters,
                         QString *filter);

// The dialog asked only about the name it gave back (`chosen`): when the
// program adds a suffix and a file of that name (`path`) is there, asks
// whether to replace it. True when the file may be written.
bool mayReplace(QWidget *parent, const QString &chosen, const QString &path);

// For tests: the next question is answered with this name (empty: as if
// the user cancelled) and filter (empty: the one offered first), without a dialog.
void setNextFileName(const QString &path, const QString &filter = {});

}  // namespace morvane
