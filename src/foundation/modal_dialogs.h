#pragma once

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// A file dialog kept as a member of its window: it remembers the name chosen last and
// proposes it the next time.
class FileDialog
{
public:
    enum class Mode { Open, Save };

    explicit FileDialog(Mode mode, QString title = {}, QString filter = {});

    // Runs the dialog modally; true when the user confirmed, fileName() then holds the choice.
    bool execute(QWidget *parent);

    Mode mode() const { return m_mode; }
    const QString &title() const { return m_title; }
    const QString &filter() const { return m_filter; }
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

private:
    Mode m_mode;
    QString m_title;
    QString m_filter;
    QString m_fileName;
};

// The font dialog with the setting it starts from and keeps after a confirmed choice.
class FontDialog
{
public:
    FontDialog();

    // The first run starts on the installed face that stands in for the start-up setting.
    bool execute(QWidget *parent);

    const QFont &font() const { return m_font; }
    void setFont(const QFont &font)
    {
        m_font = font;
        m_startFaceResolved = true;
    }

private:
    QFont m_font;
    bool m_startFaceResolved = false;
};

// The seam in front of every modal dialog. The defaults show the real dialogs; a test replaces
// a hook to answer a dialog itself, possibly after running a nested event loop for a while.
struct ModalHooks
{
    std::function<bool(FileDialog &, QWidget *parent)> fileDialog;
    std::function<bool(FontDialog &, QWidget *parent)> fontDialog;
    std::function<void(const QString &caption, const QString &text)> errorBox;
    // The information box with the buttons "OK" and "Abort"; true for OK.
    std::function<bool(const QString &caption, const QString &text)> okAbortBox;
    // "Gehe zu Zeile": a line number from 1 to lineCount, starting at current; none when cancelled.
    std::function<std::optional<int>(QWidget *parent, int lineCount, int current)> lineNumberBox;
};

ModalHooks &modalHooks();

// Puts the real dialogs back behind the seam.
void restoreRealDialogs();
