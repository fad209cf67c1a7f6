#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The user's own tags and their file eigene.lst in the current working folder.
namespace TagList {

inline constexpr char fileName[] = "eigene.lst";
inline constexpr qsizetype maxEntryLength = 4095;

// Entries as cut from the file's bytes.
QStringList parse(QByteArrayView bytes);
// The file's bytes: each entry followed by CR LF.
QByteArray serialize(const QStringList &entries);

// Throws when a text cannot become an entry.
void checkEntry(const QString &entry);

// Reads eigene.lst; throws "Cannot open file eigene.lst".
QStringList load();
// Writes eigene.lst whole; throws "Cannot create file eigene.lst".
void save(const QStringList &entries);

} // namespace TagList
