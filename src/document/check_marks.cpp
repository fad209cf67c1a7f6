#include "document/check_marks.h"

#include "document/line_number_margin.h"
#include "document/text_editor.h"
#include "html/html_colouring.h"
#include "html/page_check.h"

#include <QAction>
#include <QEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QSettings>
#include <QThread>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString settingKey = u"Pruefung/fehlerAnzeigen"_s;

QSettings settings()
{
    return QSettings(u"tagschmied"_s, u"tagschmied"_s);
}

// The editor's text colours are all dark on white: a red solid line on a pale red ground for a
// Fehler and an amber dashed line for a Warnung stand out under each of them, and apart from
// the spelling marks' red wave by their shape, not by colour alone.
QTextCharFormat errorFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    format.setUnderlineColor(QColor(0xd0, 0x00, 0x00));
    format.setBackground(QColor(0xff, 0xdc, 0xdc));
    return format;
}

QTextCharFormat warningFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::DashUnderline);
    format.setUnderlineColor(QColor(0xc8, 0x6e, 0x00));
    return format;
}

} // namespace

CheckMarks::CheckMarks(TextEditor *editor, HtmlColouring *colouring, LineNumberMargin *margin,
                       PageCheck *check)
    : QObject(editor), m_editor(editor), m_viewport(editor->viewport()), m_colouring(colouring),
      m_margin(margin), m_check(check), m_errorFormat(errorFormat()),
      m_warningFormat(warningFormat())
{
    m_on = settings().value(settingKey, true).toBool();
    m_pause.setSingleShot(true);
    m_pause.setInterval(pauseAfterChange);
    connect(&m_pause, &QTimer::timeout, this, &CheckMarks::checkNow);
    connect(editor, &TextEditor::textEdited, this, &CheckMarks::textEdited);
    connect(check, &PageCheck::finished, this, &CheckMarks::checked);
    connect(check, &PageCheck::failed, this, &CheckMarks::checkFailed);
    connect(editor, &TextEditor::contextMenuAboutToShow, this, &CheckMarks::addEntries);
    // The colouring and the margin may outlive the marks.
    colouring->addExtraFormats([marks = QPointer(this)](const QTextBlock &block, int,
                                                        const QList<HtmlSpan> &,
                                                        QList<QTextLayout::FormatRange> &ranges) {
        if (marks)
            marks->markLine(block, ranges);
    });
    editor->installEventFilter(this);
    m_viewport->installEventFilter(this);
    if (m_on)
        setOn(true);
}

void CheckMarks::setOn(bool on)
{
    if (on != m_on) {
        m_on = on;
        settings().setValue(settingKey, on);
    }
    if (!on) {
        m_pause.stop();
        m_shownPage.clear();
        ++m_generation; // marks being placed are not shown
        m_laying = false;
        m_marks.clear();
        m_asked.clear();
        m_edits.clear();
        if (m_margin)
            m_margin->setSigns({}, {});
        showMarks();
        return;
    }
    if (m_margin)
        m_margin->setSigns([this](const QTextBlock &line) { return signOf(line); },
                           [this](const QTextBlock &line) { return tipOf(line); });
    if (m_firstScheduled)
        checkNow(); // switched on again; before the first showing the delay does it
}

CheckMarks::~CheckMarks()
{
    if (m_margin)
        m_margin->setSigns({}, {});
    for (QThread *worker : std::as_const(m_workers)) {
        worker->disconnect(this);
        worker->wait();
        delete worker;
    }
}

bool CheckMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::Show && !m_firstScheduled) {
        m_firstScheduled = true;
        QTimer::singleShot(firstCheckDelay, this, &CheckMarks::checkNow);
    } else if (watched == m_viewport && event->type() == QEvent::ToolTip && m_on) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const qsizetype at = positionUnder(help->pos());
        const QList<CheckMark> under = at < 0 ? QList<CheckMark>() : m_marks.marksAt(at);
        if (under.isEmpty())
            return false; // no mark here: whoever else shows tips in the editor may
        QTextCursor edge(m_editor->document());
        edge.setPosition(int(at));
        const QRect character = m_editor->cursorRect(edge);
        QToolTip::showText(help->globalPos(), m_marks.tip(under), m_viewport,
                           character.adjusted(-character.height(), 0, character.height(), 0));
        return true;
    }
    return false;
}

QString CheckMarks::tipAt(const QPoint &position) const
{
    const qsizetype at = positionUnder(position);
    return at < 0 ? QString() : m_marks.tip(m_marks.marksAt(at));
}

// The character under a point of the viewport, or -1 where there is none (right of a line's
// end, below the last line).
qsizetype CheckMarks::positionUnder(const QPoint &position) const
{
    const QTextCursor cursor = m_editor->cursorForPosition(position);
    const QRect caret = m_editor->cursorRect(cursor);
    if (position.y() < caret.top() || position.y() > caret.bottom())
        return -1;
    // The caret goes to the nearest edge between characters: left of the mouse it stands
    // before the character under it, right of the mouse after it.
    if (position.x() < caret.left())
        return cursor.atBlockStart() ? -1 : cursor.position() - 1;
    return cursor.atBlockEnd() ? -1 : cursor.position();
}

void CheckMarks::checkNow()
{
    m_pause.stop();
    if (!m_on)
        return;
    const QString &text = m_editor->rawText();
    if (text.isEmpty()) {
        // Nothing written yet: nothing to mark.
        m_marks.clear();
        showMarks();
        return;
    }
    QByteArray page = m_editor->text().toUtf8();
    if (page == m_shownPage || (!m_asked.isEmpty() && m_asked.constLast().page == page))
        return;
    m_asked.append({page, text, m_edits.size()});
    m_check->start(page);
}

void CheckMarks::textEdited(int from, int removed, int added)
{
    m_shownPage.clear();
    m_marks.follow(from, removed, added);
    if (!m_asked.isEmpty() || m_laying)
        m_edits.append({from, removed, added});
    if (m_on)
        m_pause.start();
}

qsizetype CheckMarks::askedIndex() const
{
    const QByteArray &page = m_check->checkedPage();
    for (qsizetype i = m_asked.size() - 1; i >= 0; --i) {
        if (m_asked[i].page == page)
            return i;
    }
    return -1;
}

void CheckMarks::checked(const QList<CheckMessage> &messages)
{
    const qsizetype index = askedIndex();
    std::optional<Asked> asked;
    if (index >= 0) {
        asked = m_asked[index];
        // An answer comes in order: the texts asked for before it will get none.
        m_asked.remove(0, index + 1);
    } else if (m_on && m_check->checkedPage() == m_editor->text().toUtf8()) {
        // The check window asked for the text as it stands: its answer serves here too, and
        // what was asked here before is older.
        asked = Asked{m_check->checkedPage(), m_editor->rawText(), m_edits.size()};
        m_asked.clear();
    }
    if (asked)
        layMarks(*asked, messages);
}

void CheckMarks::layMarks(const Asked &asked, const QList<CheckMessage> &messages)
{
    // Placing tens of thousands of marks takes longer than a frame lasts: they are placed
    // beside the event loop, in the text that was checked, and moved as the text was edited
    // since when they are done.
    struct Laying
    {
        QString text;
        QList<CheckMessage> messages;
        CheckMarkList marks;
    };
    auto laying = std::make_shared<Laying>(Laying{asked.text, messages, {}});
    QThread *worker = QThread::create([laying] {
        laying->marks.setMessages(laying->text, laying->messages);
        laying->messages.clear(); // the check's whole answer is freed here, as a rule
    });
    m_workers.append(worker);
    m_laying = true;
    connect(worker, &QThread::finished, this,
            [this, worker, laying, generation = ++m_generation, asked] {
                m_workers.removeOne(worker);
                worker->deleteLater();
                if (generation == m_generation)
                    placeMarks(laying->marks, asked);
            });
    worker->start();
}

void CheckMarks::placeMarks(CheckMarkList &marks, const Asked &asked)
{
    // Typed while the check ran and the marks were placed: they move as the text did.
    for (qsizetype i = asked.editsFrom; i < m_edits.size(); ++i)
        marks.follow(m_edits[i].from, m_edits[i].removed, m_edits[i].added);
    if (asked.editsFrom == m_edits.size())
        m_shownPage = asked.page;
    std::swap(m_marks, marks);
    m_laying = false;
    if (m_asked.isEmpty())
        m_edits.clear();
    showMarks();
    emit marksShown();
}

void CheckMarks::checkFailed()
{
    // The marks of the last check stay; the next pause tries again.
    const qsizetype index = askedIndex();
    if (index >= 0)
        m_asked.remove(0, index + 1);
    if (m_asked.isEmpty() && !m_laying)
        m_edits.clear();
}

void CheckMarks::showMarks()
{
    if (m_colouring)
        m_colouring->refreshExtraFormats();
    if (m_margin)
        m_margin->update();
}

LineNumberMargin::Sign CheckMarks::signOf(const QTextBlock &line) const
{
    const std::optional<CheckLevel> level =
        m_marks.gravestStartingIn(line.position(), line.position() + line.length());
    if (!level)
        return LineNumberMargin::Sign::None;
    return *level == CheckLevel::Error ? LineNumberMargin::Sign::Error
                                       : LineNumberMargin::Sign::Warning;
}

QString CheckMarks::tipOf(const QTextBlock &line) const
{
    return m_marks.tip(marksOfLine(line));
}

// The marks of the messages about a line: those that start in it.
QList<CheckMark> CheckMarks::marksOfLine(const QTextBlock &line) const
{
    return m_marks.marksStartingIn(line.position(), line.position() + line.length());
}

void CheckMarks::markLine(const QTextBlock &block, QList<QTextLayout::FormatRange> &ranges) const
{
    if (m_marks.marks().isEmpty())
        return;
    const qsizetype lineStart = block.position();
    const qsizetype lineEnd = lineStart + block.length() - 1;
    const QList<CheckMark> over = m_marks.marksOver(lineStart, lineEnd);
    // Errors after warnings, so that where both lie the error shows.
    for (const CheckLevel level : {CheckLevel::Warning, CheckLevel::Error}) {
        for (const CheckMark &mark : over) {
            if (mark.level != level)
                continue;
            const qsizetype start = std::max(mark.start, lineStart);
            const qsizetype end = std::min(mark.end, lineEnd);
            ranges.append({int(start - lineStart), int(end - start),
                           level == CheckLevel::Error ? m_errorFormat : m_warningFormat});
        }
    }
}

void CheckMarks::addEntries(QMenu *menu)
{
    menu->addSeparator();
    QAction *toggle = menu->addAction(u"Fehler anzeigen"_s);
    toggle->setObjectName(u"checkMarks"_s);
    toggle->setCheckable(true);
    toggle->setChecked(m_on);
    connect(toggle, &QAction::toggled, this, &CheckMarks::setOn);
}
