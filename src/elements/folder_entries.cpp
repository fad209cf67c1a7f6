#include "elements/folder_entries.h"

#include "platform/file_search.h"
#include "platform/volumes.h"

#include <QCollator>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace FolderEntries {

namespace {

constexpr int indentStep = 4;
constexpr int firstIndent = 2;
constexpr int subfolderIndent = 6;
constexpr qsizetype longListFrom = 100; // position of the entry that brings the busy pointer

} // namespace

QList<FolderEntry> folderEntries(const QString &folder, QStringList subfolders)
{
    QList<FolderEntry> entries;
    const QStringList names = folder.split(u'/', Qt::SkipEmptyParts);
    entries.append({u"/"_s, u"/"_s, names.isEmpty() ? Glyph::CurrentFolder : Glyph::OpenFolder,
                    firstIndent});
    QString path;
    for (qsizetype i = 0; i < names.size(); ++i) {
        path += u'/' + names.at(i);
        const bool last = i == names.size() - 1;
        entries.append({names.at(i), path, last ? Glyph::CurrentFolder : Glyph::OpenFolder,
                        int(indentStep * (i + 1) + firstIndent)});
    }

    // The subfolders sit one step further in than the folder itself, two below the root.
    const int indent = int(indentStep * folder.count(u'/') + subfolderIndent);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    sortNames(subfolders);
    for (const QString &name : std::as_const(subfolders))
        entries.append({name, prefix + name, Glyph::ClosedFolder, indent});
    return entries;
}

qsizetype currentEntry(const QList<FolderEntry> &entries)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).glyph == Glyph::CurrentFolder)
            return i;
    }
    return -1;
}

void sortNames(QStringList &names)
{
    // The German order whatever the system's locale: the C locale's would put all capitals first.
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Sort keys once per name: a folder of many thousand pictures sorts in a blink.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(names.at(i)), i);
    std::sort(keys.begin(), keys.end(), [&names](const auto &a, const auto &b) {
        const int order = a.first.compare(b.first);
        if (order != 0)
            return order < 0;
        return names.at(a.second) < names.at(b.second); // "a.jpg" and "A.jpg" in a fixed order
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto &key : keys)
        sorted.append(names.at(key.second));
    names = std::move(sorted);
}

QStringList fileEntries(const QString &folder, const QString &mask,
                        const std::function<void()> &longList)
{
    QStringList names;
    for (const QString &pattern : mask.split(u';')) {
        Platform::findFiles(folder, pattern, [&](const QString &name) {
            if (names.size() == longListFrom && longList)
                longList();
            names.append(name);
        });
    }
    sortNames(names);
    return names;
}

QString driveEntryText(const Platform::Volume &volume)
{
    using Platform::VolumeKind;
    switch (volume.kind) {
    case VolumeKind::Removable:
        return volume.root;
    case VolumeKind::Network:
        if (!volume.networkName.isEmpty())
            return volume.root + u' ' + volume.networkName.toLower();
        break;
    default:
        break;
    }
    return volume.root + u" ["_s + volume.label.toLower() + u']';
}

} // namespace FolderEntries
