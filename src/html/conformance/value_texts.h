#pragma once

#include <QString>
#include <QStringList>

// The German texts of the value checks' keys: %1 the attribute, %2 its value, %3 the element,
// %4 what the check adds (the bad character, the allowed keywords, an example).
namespace ValueTexts {

// The pattern of a key, or a null string when there is none.
QString pattern(const QString &key);
// Every key of the table.
QStringList keys();

} // namespace ValueTexts
