#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Platform {
struct Volume;
}

// What the picture pickers' lists show, built without any widget.
namespace FolderEntries {

// The file list's mask, also the file-name field's text whenever no file is chosen.
inline constexpr char16_t pictureMask[] = u"*.jpg;*.gif";

enum class Glyph { OpenFolder, CurrentFolder, ClosedFolder };

struct FolderEntry
{
    QString text;   // the name shown
    QString path;   // the folder the entry opens
    Glyph glyph;
    int indent;     // pixels from the row's left edge to the glyph
};

// The folder list for folder (a full path with "/"): the root "/", each folder on the way
// down, the folder itself, then its subfolders sorted without regard to case.
QList<FolderEntry> folderEntries(const QString &folder, QStringList subfolders);

// The position of the folder itself among the entries.
qsizetype currentEntry(const QList<FolderEntry> &entries);

// Sorts names alphabetically without regard to case, as the lists keep them.
void sortNames(QStringList &names);

// The files in folder that match one of the mask's ";"-separated patterns, taken as they stand,
// sorted as the list keeps them. longList runs once, when the 101st entry is found. Throws the
// framework's message if the folder cannot be read.
QStringList fileEntries(const QString &folder, const QString &mask,
                        const std::function<void()> &longList = {});

// The drive box's text for a volume: its mount point, then the label in brackets or the
// network name, in lower case as the drive box shows them.
QString driveEntryText(const Platform::Volume &volume);

} // namespace FolderEntries
