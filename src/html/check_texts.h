#pragma once

#include <QString>

struct CheckMessage;
enum class CheckLevel;

// The German side of the page check, as its windows and the command line show it; the texts
// themselves live with the check's rules.
namespace CheckTexts {

// The German pattern for a message key, or a null string when there is none.
QString pattern(const QString &key);
// The message in German with its arguments filled in; the key itself when it is unknown.
QString text(const CheckMessage &message);
// "Fehler", "Warnung" or "Hinweis".
QString levelName(CheckLevel level);
// "2 Fehler, 5 Warnungen" (hints added when there are any), or "Keine Probleme gefunden".
QString summary(int errors, int warnings, int hints);

} // namespace CheckTexts
