#include "platform/file_search.h"

#include "platform/io_errors.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace Platform {

namespace {

enum class EntryKind { File, Folder, System };

// Closes the folder however the search ends.
class FolderReader
{
public:
    explicit FolderReader(const QString &folder)
        : m_dir(::opendir(QFile::encodeName(folder).constData()))
    {
        if (!m_dir)
            throwIoError(errno);
    }
    ~FolderReader() { ::closedir(m_dir); }
    FolderReader(const FolderReader &) = delete;
    FolderReader &operator=(const FolderReader &) = delete;

    // The next entry, or nullptr at the end; a failed read throws.
    const dirent *next()
    {
        errno = 0;
        const dirent *entry = ::readdir(m_dir);
        if (!entry && errno != 0)
            throwIoError(errno);
        return entry;
    }

    EntryKind kindOf(const dirent *entry) const
    {
        switch (entry->d_type) {
        case DT_REG:
            return EntryKind::File;
        case DT_DIR:
            return EntryKind::Folder;
        case DT_LNK:
        case DT_UNKNOWN:
            break; // a link counts as what it points to; some file systems report nothing
        default:
            return EntryKind::System;
        }
        struct stat status;
        if (::fstatat(::dirfd(m_dir), entry->d_name, &status, 0) != 0)
            return EntryKind::System;
        if (S_ISREG(status.st_mode))
            return EntryKind::File;
        if (S_ISDIR(status.st_mode))
            return EntryKind::Folder;
        return EntryKind::System;
    }

private:
    DIR *m_dir;
};

bool isHidden(const dirent *entry)
{
    return entry->d_name[0] == '.';
}

char32_t folded(QChar c)
{
    return c.toCaseFolded().unicode();
}

} // namespace

bool matchesWildcard(QStringView name, QStringView pattern)
{
    // Greedy matching that backs up to the last "*" on a mismatch.
    qsizetype n = 0, p = 0;
    qsizetype starAt = -1, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || folded(pattern[p]) == folded(name[n]))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

void findFiles(const QString &folder, const QString &pattern,
               const std::function<void(const QString &name)> &found)
{
    FolderReader reader(folder);
    while (const dirent *entry = reader.next()) {
        if (isHidden(entry))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!matchesWildcard(name, pattern))
            continue;
        if (reader.kindOf(entry) == EntryKind::File)
            found(name);
    }
}

QStringList findSubfolders(const QString &folder)
{
    QStringList names;
    FolderReader reader(folder);
    while (const dirent *entry = reader.next()) {
        if (!isHidden(entry) && reader.kindOf(entry) == EntryKind::Folder)
            names.append(QFile::decodeName(entry->d_name));
    }
    return names;
}

} // namespace Platform
