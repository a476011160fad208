#pragma once
// What the program remembers from one start to the next (the folder a
// calculation book was last saved in), kept in the user's own settings of
// this program: an INI file in the user's configuration folder.

#include <QString>
#include <QVariant>

namespace morvane {

// The value last remembered under the key, or the fallback.
QVariant rememberedValue(const QString &key, const QVariant &fallback = {});

// Remembers a value under the key for this run and the next ones.
void rememberValue(const QString &key, const QVariant &value);

}  // namespace morvane
