#pragma once

#include <QString>

struct CheckMessage;
enum class CheckLevel;

// The German side of the page check: tidy has no German, so every message it can report has
// its text here, keyed by tidy's stable name of the code, with %1, %2 ... for its arguments.
namespace CheckTexts {

// The German pattern for a message key, or a null string when there is none.
QString pattern(const QString &key);
// The message in German with its arguments filled in; tidy's English when the key is unknown.
QString text(const CheckMessage &message);
// "Fehler", "Warnung" or "Hinweis".
QString levelName(CheckLevel level);
// "2 Fehler, 5 Warnungen" (hints added when there are any), or "Keine Probleme gefunden".
QString summary(int errors, int warnings, int hints);

} // namespace CheckTexts
