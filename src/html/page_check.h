#pragma once

#include "html/check_protocol.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class QProcess;
class QThread;

// Runs the page check in its helper process, in the background: start() returns at once, and
// finished() or failed() follows. A check asked for while one runs starts when that one ends,
// with the newest text only.
class PageCheck : public QObject
{
    Q_OBJECT

public:
    explicit PageCheck(QObject *parent = nullptr);
    ~PageCheck() override;

    // The helper installed with the program, or a null string when there is none.
    static QString helperProgram();
    // Another helper, for tests: a program that crashes or hangs.
    void setHelper(const QString &program, const QStringList &arguments = {});
    // How long a check may take before its helper is stopped.
    void setTimeLimit(int milliseconds) { m_timeLimit.setInterval(milliseconds); }
    // The folder the page's relative links and pictures are looked up in, passed to the helper
    // as "--ordner FOLDER"; an empty one stands for the working folder at the time of each
    // check, where the preview copy of a page without a file of its own lies.
    void setPageFolder(const QString &folder) { m_pageFolder = folder; }
    QString pageFolder() const;

    // Asking for the page that is being checked, with none waiting, starts no second check:
    // its answer serves both.
    void start(const QByteArray &utf8Page);
    bool isRunning() const { return m_process || m_reader; }
    // While finished() or failed() is emitted: the page that was checked.
    const QByteArray &checkedPage() const { return m_page; }

signals:
    // The messages sorted by line and column.
    void finished(const QList<CheckMessage> &messages);
    // The helper could not be started, crashed, hung or answered nonsense; reason is for the
    // curious (a tool tip), in German.
    void failed(const QString &reason);

private:
    void run(const QByteArray &utf8Page);
    void processEnded();
    void fail(const QString &reason);
    void runWaiting();

    QString m_program;
    QStringList m_arguments;
    QString m_pageFolder;
    QProcess *m_process = nullptr;
    QThread *m_reader = nullptr; // reads the answer of the helper that ended
    QByteArray m_page; // the page being checked
    QTimer m_timeLimit;
    QByteArray m_waiting;
    bool m_hasWaiting = false;
};
