#include "viewing/file_follower.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>

FileFollower::FileFollower(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &FileFollower::settle);
}

FileFollower::Stamp FileFollower::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void FileFollower::follow(const QString &path)
{
    stop();
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { noteEvent(true); });
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                [this] { noteEvent(false); });
    }
    m_path = path;
    m_stamp = stampOf(path);
    watch();
}

void FileFollower::stop()
{
    m_settle.stop();
    m_fileEvent = false;
    m_path.clear();
    if (m_watcher) {
        const QStringList watched = m_watcher->files() + m_watcher->directories();
        if (!watched.isEmpty())
            m_watcher->removePaths(watched);
    }
}

void FileFollower::watch()
{
    // The folder tells when a missing file comes back. The file's own watch is made afresh,
    // as a watch stays with the file a rename replaced.
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
    if (m_watcher->files().contains(m_path))
        m_watcher->removePath(m_path);
    if (QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
}

void FileFollower::noteEvent(bool fileItself)
{
    if (m_path.isEmpty())
        return;
    m_fileEvent = m_fileEvent || fileItself;
    if (!m_settle.isActive())
        m_firstPending.start();
    // Each write puts the news off a little, but a steady stream of writes never for long.
    m_settle.start(int(std::clamp<qint64>(maxDelay - m_firstPending.elapsed(), 0, settleDelay)));
}

void FileFollower::settle()
{
    const Stamp now = stampOf(m_path);
    const bool news = now.exists && (m_fileEvent || now != m_stamp);
    m_stamp = now;
    m_fileEvent = false;
    watch();
    if (news)
        emit changed();
}
