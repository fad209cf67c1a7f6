#include "platform/working_folder.h"

#include "platform/io_errors.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace Platform {

namespace {

// Enough to answer "the folder last current on each volume" for any sensible number of volumes.
constexpr qsizetype recentLimit = 64;

QStringList &recent()
{
    static QStringList folders;
    return folders;
}

} // namespace

QString currentFolder()
{
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return {};
    return QFile::decodeName(buffer);
}

int setCurrentFolder(const QString &path)
{
    if (path.isEmpty())
        return ENOENT;
    if (::chdir(QFile::encodeName(path).constData()) != 0)
        return errno;
    return 0;
}

void changeFolder(const QString &path)
{
    if (const int failure = setCurrentFolder(path))
        throwIoError(failure);
}

QStringList recentFolders()
{
    return recent();
}

void noteFolder(const QString &path)
{
    if (path.isEmpty())
        return;
    QStringList &folders = recent();
    folders.removeAll(path);
    folders.prepend(path);
    if (folders.size() > recentLimit)
        folders.removeLast();
}

} // namespace Platform
