// The folder list's entries for arbitrary folder paths and subfolder names.

#include "elements/folder_entries.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is the folder, every further line a subfolder name.
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList lines = text.split(u'\n');
    QString folder = lines.takeFirst();
    if (!folder.startsWith(u'/'))
        folder.prepend(u'/');
    QStringList subfolders;
    for (const QString &name : std::as_const(lines)) {
        if (!name.isEmpty() && !name.contains(u'/') && name != u"." && name != u"..")
            subfolders.append(name);
    }

    const QList<FolderEntries::FolderEntry> entries = FolderEntries::folderEntries(folder, subfolders);
    const qsizetype current = FolderEntries::currentEntry(entries);
    require(current >= 0 && current < entries.size());
    require(entries.constFirst().path == u"/");
    require(entries.size() - current - 1 == subfolders.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const FolderEntries::FolderEntry &entry = entries.at(i);
        require(entry.indent >= 2);
        require(entry.path.startsWith(u'/'));
        if (i > current) {
            require(entry.glyph == FolderEntries::Glyph::ClosedFolder);
            require(entry.path.endsWith(u'/' + entry.text));
        } else {
            require(i == current ? entry.glyph == FolderEntries::Glyph::CurrentFolder
                                 : entry.glyph == FolderEntries::Glyph::OpenFolder);
        }
    }
    return 0;
}
