#include "html/page_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <memory>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString helperFile = u"tagschmied-check"_s;

// A 10 MiB page takes the check well under a second here; a helper still busy long after that
// hangs.
constexpr int defaultTimeLimit = 20000;

} // namespace

PageCheck::PageCheck(QObject *parent) : QObject(parent), m_program(helperProgram())
{
    m_timeLimit.setSingleShot(true);
    m_timeLimit.setInterval(defaultTimeLimit);
    connect(&m_timeLimit, &QTimer::timeout, this, [this] {
        if (m_process)
            m_process->kill(); // ends in processEnded() as a crash
    });
}

PageCheck::~PageCheck()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
    if (m_reader) {
        m_reader->disconnect(this);
        m_reader->wait();
        delete m_reader;
    }
}

QString PageCheck::helperProgram()
{
    // Beside the program, where an installation keeps it, then the build's own folder.
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList folders = {
        programFolder,
        QDir::cleanPath(programFolder + u"/../lib/tagschmied"_s),
        QStringLiteral(TAGSCHMIED_HELPER_DIR),
    };
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).filePath(helperFile));
        if (file.isFile() && file.isExecutable())
            return file.filePath();
    }
    return QString();
}

void PageCheck::setHelper(const QString &program, const QStringList &arguments)
{
    m_program = program;
    m_arguments = arguments;
}

QString PageCheck::pageFolder() const
{
    return m_pageFolder.isEmpty() ? QDir::currentPath() : m_pageFolder;
}

void PageCheck::start(const QByteArray &utf8Page)
{
    if (isRunning() && !m_hasWaiting && utf8Page == m_page)
        return;
    if (isRunning()) {
        m_waiting = utf8Page;
        m_hasWaiting = true;
        return;
    }
    run(utf8Page);
}

void PageCheck::run(const QByteArray &utf8Page)
{
    if (m_program.isEmpty()) {
        m_page = utf8Page;
        emit failed(u"%1 wurde nicht gefunden"_s.arg(helperFile));
        return;
    }
    m_page = utf8Page;
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setArguments(m_arguments + QStringList{u"--ordner"_s, pageFolder()});
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, &PageCheck::processEnded);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // Any other error ends in finished() too.
        if (error == QProcess::FailedToStart)
            fail(u"%1 lässt sich nicht starten: %2"_s.arg(m_program, m_process->errorString()));
    });
    m_process->start();
    if (!m_process)
        return; // failed at once
    m_process->write(utf8Page); // written while the event loop runs on
    m_process->closeWriteChannel();
    m_timeLimit.start();
}

void PageCheck::processEnded()
{
    const bool normal =
        m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
    if (!normal) {
        fail(m_timeLimit.isActive() ? u"Die Prüfung ist abgebrochen"_s
                                    : u"Die Prüfung hat zu lange gedauert"_s);
        return;
    }
    m_timeLimit.stop();
    QByteArray answer = m_process->readAllStandardOutput();
    m_process->deleteLater();
    m_process = nullptr;
    // Tens of thousands of messages take longer to read than a frame lasts: they are read
    // beside the event loop, so that the editor goes on taking keys meanwhile.
    auto messages = std::make_shared<std::optional<QList<CheckMessage>>>();
    m_reader = QThread::create([answer = std::move(answer), messages] {
        *messages = decodeCheckAnswer(answer);
        if (*messages)
            sortByPosition(**messages);
    });
    connect(m_reader, &QThread::finished, this, [this, messages] {
        m_reader->deleteLater();
        m_reader = nullptr;
        if (!*messages) {
            fail(u"Die Prüfung ist abgebrochen"_s);
            return;
        }
        emit finished(**messages);
        messages->reset(); // whoever keeps the messages frees them
        runWaiting();
    });
    m_reader->start();
}

void PageCheck::runWaiting()
{
    if (m_hasWaiting) {
        m_hasWaiting = false;
        run(std::exchange(m_waiting, QByteArray()));
    }
}

void PageCheck::fail(const QString &reason)
{
    m_timeLimit.stop();
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
        m_process = nullptr;
    }
    emit failed(reason);
    runWaiting();
}
