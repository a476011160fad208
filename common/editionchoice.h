#pragma once
// The edition of the design codes the program follows, as chosen in the
// main window's menu "设计规范": the original edition at the first start,
// then the last one chosen, kept in the user's settings under "designCode"
// (editionKey()) from one start to the next. A change is told to every open
// window at once.

#include "edition.h"

#include <QObject>

#include <optional>

namespace morvane {

class EditionChoice : public QObject
{
    Q_OBJECT
public:
    // The program's one holder of the choice, made on first use. Deleting it
    // forgets what was read: the next instance() reads the setting again, as
    // a new start of the program does.
    static EditionChoice *instance();

    // The edition chosen. The first call reads the setting, so that nothing
    // is read before a window needs it; a setting that names no edition
    // gives the original one.
    Edition edition();

    // Chooses an edition: when it differs from the one followed so far,
    // remembers it for the next starts and tells it by `changed`.
    void choose(Edition edition);

signals:
    void changed(morvane::Edition edition);

private:
    explicit EditionChoice(QObject *parent)
        : QObject(parent)
    {
    }

    std::optional<Edition> edition_;
};

// The same for short: EditionChoice::instance()->edition() and ->choose().
Edition currentEdition();
void chooseEdition(Edition edition);

}  // namespace morvane
