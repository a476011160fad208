#include "settings.h"

#include <QSettings>

namespace morvane {

namespace {

// The same file on every platform (on Windows too, not the registry), named
// after the program as its start names the application.
QSettings programSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvane"), QStringLiteral("Morvane"));
}

}  // namespace

QVariant rememberedValue(const QString &key, const QVariant &fallback)
{
    return programSettings().value(key, fallback);
}

void rememberValue(const QString &key, const QVariant &value)
{
    QSettings settings = programSettings();
    settings.setValue(key, value);
    settings.sync();
}

}  // namespace morvane
