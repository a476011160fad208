#include "editionchoice.h"

#include "settings.h"

#include <QCoreApplication>
#include <QPointer>

namespace morvane {

namespace {

const QString kEditionKey = QStringLiteral("designCode");

}  // namespace

EditionChoice *EditionChoice::instance()
{
    static QPointer<EditionChoice> choice;
    if (!choice)
        choice = new EditionChoice(QCoreApplication::instance());  // goes with the application
    return choice;
}

Edition EditionChoice::edition()
{
    if (!edition_) {
        const QByteArray key = rememberedValue(kEditionKey).toString().toUtf8();
        edition_ =
            editionFromKey(std::string_view(key.constData(), std::size_t(key.size()))).value_or(Edition::Original);
    }
    return *edition_;
}

void EditionChoice::choose(Edition edition)
{
    if (edition == this->edition())
        return;  // followed already, and so kept (the original one by no setting at all)
    rememberValue(kEditionKey, QString::fromLatin1(editionKey(edition)));
    edition_ = edition;
    emit changed(edition);
}

Edition currentEdition() { return EditionChoice::instance()->edition(); }

void chooseEdition(Edition edition) { EditionChoice::instance()->choose(edition); }

}  // namespace morvane
