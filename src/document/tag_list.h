#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The user's own tags and their file eigene.lst in the current working folder.
namespace TagList {

inline constexpr char fileName[] = "eigene.lst";
inline constexpr qsizetype maxEntryLength = 4095;

struct Contents
{
    QStringList entries;
    // Numbers (from 1) of the lines that were longer than an entry may be and were cut.
    QList<qsizetype> cutLines;
};

// Entries as cut from the file's bytes: CR, LF and CR LF each end an entry, a final break
// starts no empty entry, and a NUL byte ends the list. Over-long lines are cut, not dropped.
Contents parse(QByteArrayView bytes);
// The file's bytes: each entry followed by CR LF.
QByteArray serialize(const QStringList &entries);

// Throws when a text cannot become an entry: one that would not read back as the same single
// entry (a line break or NUL in it), or one longer than an entry may be.
void checkEntry(const QString &entry);

// The message that tells the user which lines of the file were cut while loading.
QString cutLinesMessage(const QList<qsizetype> &cutLines);

// Reads eigene.lst; throws "Cannot open file eigene.lst".
Contents load();
// Replaces eigene.lst whole and atomically; throws "Cannot create file eigene.lst" and leaves
// the old file as it was.
void save(const QStringList &entries);

} // namespace TagList
