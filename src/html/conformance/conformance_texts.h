#pragma once

#include <QString>
#include <QStringList>

// Every message of the page check in German, in one table: the rules' keys, the parser's error
// codes and the value checks' keys, each with a pattern whose %1, %2 ... take the message's
// arguments (element and attribute names, values).
namespace ConformanceTexts {

// The German pattern of a key, or a null string when the table has none.
QString pattern(const QString &key);
// The message with its arguments filled in; the key itself when it has no German.
QString text(const QString &key, const QStringList &arguments);
// Every key of the table.
QStringList keys();

} // namespace ConformanceTexts
