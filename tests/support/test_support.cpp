#include "support/test_support.h"

#include "app/window_creation.h"
#include "foundation/window_set.h"

#include <QDir>
#include <QFile>
#include <QtTest>

ProgramFixture::ProgramFixture(bool createProgramWindows) : m_createdWindows(createProgramWindows)
{
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_dir.path());

    ModalHooks &hooks = modalHooks();
    hooks.errorBox = [this](const QString &caption, const QString &text) {
        errorCaptions.append(caption);
        errors.append(text);
    };
    hooks.fileDialog = [this](FileDialog &dialog, QWidget *) {
        ++fileDialogsShown;
        if (fileAnswers.empty())
            return false;
        auto answer = std::move(fileAnswers.front());
        fileAnswers.pop_front();
        return answer(dialog);
    };
    hooks.fontDialog = [this](FontDialog &dialog, QWidget *) {
        if (fontAnswers.empty())
            return false;
        auto answer = std::move(fontAnswers.front());
        fontAnswers.pop_front();
        return answer(dialog);
    };
    hooks.okAbortBox = [this](const QString &, const QString &) {
        ++okAbortBoxesShown;
        if (okAbortAnswers.empty())
            return true;
        const bool answer = okAbortAnswers.front();
        okAbortAnswers.pop_front();
        return answer;
    };
    hooks.lineNumberBox = [this](QWidget *, int lineCount, int) -> std::optional<int> {
        lineNumberRange = lineCount;
        if (lineNumberAnswers.empty())
            return std::nullopt;
        const int answer = lineNumberAnswers.front();
        lineNumberAnswers.pop_front();
        return answer;
    };
    if (m_createdWindows)
        createWindows();
}

ProgramFixture::~ProgramFixture()
{
    if (m_createdWindows)
        destroyWindows();
    restoreRealDialogs();
    QDir::setCurrent(m_previousFolder);
}

QString ProgramFixture::path(const QString &name) const
{
    return m_dir.filePath(name);
}

QByteArray ProgramFixture::read(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ProgramFixture::exists(const QString &name) const
{
    return QFile::exists(path(name));
}

void ProgramFixture::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::function<bool(FileDialog &)> ProgramFixture::choose(const QString &fileName)
{
    return [fileName](FileDialog &dialog) {
        dialog.setFileName(fileName);
        return true;
    };
}

std::function<bool(FileDialog &)> ProgramFixture::cancel()
{
    return [](FileDialog &) { return false; };
}

QByteArray printable(const QByteArray &bytes)
{
    QByteArray out = bytes;
    out.replace("\r", "\\r").replace("\n", "\\n");
    return out;
}
