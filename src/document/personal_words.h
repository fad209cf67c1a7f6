#pragma once

#include <QString>
#include <QStringList>

// The user's own words for the spelling marks: one word a line, UTF-8, in the user's data folder.
QString personalWordsPath();
// The words of the list; none when it does not exist yet or cannot be read.
QStringList readPersonalWords(const QString &path);
// Replaces the list atomically; throws the program's error when it cannot be written.
void writePersonalWords(const QString &path, const QStringList &words);
