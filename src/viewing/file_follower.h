#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QFileSystemWatcher;

// Follows one file on disk and says when it was written and has settled: shortly after the
// last write of a burst, and no later than maxDelay after its first. A file replaced by a
// rename, or deleted and made again, is followed on; a missing file says nothing until it
// is back.
class FileFollower : public QObject
{
    Q_OBJECT

public:
    static constexpr int settleDelay = 60;
    static constexpr int maxDelay = 250;

    explicit FileFollower(QObject *parent = nullptr);

    // Starts following the file of this absolute path; its present state is no change.
    void follow(const QString &path);
    // Lets go of the file: no watch, no timer, nothing said.
    void stop();
    const QString &path() const { return m_path; }

signals:
    void changed();

private:
    // What tells one state of the file from another without reading it.
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime statusChanged;
        friend bool operator==(const Stamp &, const Stamp &) = default;
    };

    static Stamp stampOf(const QString &path);
    void noteEvent(bool fileItself);
    void settle();
    void watch();

    QFileSystemWatcher *m_watcher = nullptr; // made on first use
    QTimer m_settle;
    QElapsedTimer m_firstPending;
    QString m_path;
    Stamp m_stamp;
    bool m_fileEvent = false;
};
