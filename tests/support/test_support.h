#pragma once

#include "foundation/modal_dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

// The whole program as start-up makes it, in a fresh temporary working folder, with every modal
// dialog answered by the test instead of a user. One per test function.
class ProgramFixture
{
public:
    // Creates the fourteen windows unless told not to (for tests of start-up itself).
    explicit ProgramFixture(bool createProgramWindows = true);
    ~ProgramFixture();

    ProgramFixture(const ProgramFixture &) = delete;
    ProgramFixture &operator=(const ProgramFixture &) = delete;

    QString path(const QString &name) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

    // What the error box would have shown, in order.
    QStringList errors;
    // Captions of the error boxes, in order.
    QStringList errorCaptions;

    // Answers for the next file dialogs, first in first out; without one a dialog is cancelled.
    // An answer may run a nested event loop before it returns, as a user would take time.
    std::deque<std::function<bool(FileDialog &)>> fileAnswers;
    std::deque<std::function<bool(FontDialog &)>> fontAnswers;
    std::deque<bool> okAbortAnswers; // without one the box is answered with OK
    // Answers for "Gehe zu Zeile"; without one it is cancelled. The range it was asked for is kept.
    std::deque<int> lineNumberAnswers;
    int lineNumberRange = 0;

    // Convenience answers.
    static std::function<bool(FileDialog &)> choose(const QString &fileName);
    static std::function<bool(FileDialog &)> cancel();

    int fileDialogsShown = 0;
    int okAbortBoxesShown = 0;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    bool m_createdWindows;
};

// A small text of bytes in a readable form for failure messages.
QByteArray printable(const QByteArray &bytes);
