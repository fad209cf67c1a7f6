#pragma once

#include "document/line_number_margin.h"
#include "html/check_mark_list.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTimer>

#include <optional>

class HtmlColouring;
class PageCheck;
class QMenu;
class QPoint;
class QThread;
class QWidget;
class QTextBlock;
class TextEditor;

// The page check's Fehler and Warnungen marked where they stand in the editor: the page is
// checked in the background after each pause in typing (and once shortly after the editor is
// first shown), its marks lie under the text beside the HTML colours, the line-number margin
// shows a sign on each line with one, and resting the mouse on a mark or sign shows the
// messages. The marks move with the text until the next check replaces them. The editor's
// context menu switches them off and on ("Fehler anzeigen", remembered across runs).
class CheckMarks : public QObject
{
    Q_OBJECT

public:
    // The check is shared with the check window, so that both wait for one answer.
    CheckMarks(TextEditor *editor, HtmlColouring *colouring, LineNumberMargin *margin,
               PageCheck *check);
    ~CheckMarks() override;

    // Time after the editor is first shown before the first check, so the window is on screen
    // before the helper is started.
    static constexpr int firstCheckDelay = 300;
    // The pause after the last change before the page is checked. A little longer than the
    // check window's, whose check of the same text then serves the marks too.
    static constexpr int pauseAfterChange = 450;

    bool isOn() const { return m_on; }
    void setOn(bool on);
    const CheckMarkList &marks() const { return m_marks; }
    // Checks the text as it is now, in the background.
    void checkNow();
    // The tool tip for a point of the editor's viewport, or an empty text where no mark is.
    QString tipAt(const QPoint &position) const;

signals:
    // After a check's marks are laid.
    void marksShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Edit
    {
        int from;
        int removed;
        int added;
    };
    // A text handed to the check, with the edits made since.
    struct Asked
    {
        QByteArray page;
        QString text;
        qsizetype editsFrom;
    };

    void textEdited(int from, int removed, int added);
    void checked(const QList<CheckMessage> &messages);
    void layMarks(const Asked &asked, const QList<CheckMessage> &messages);
    void placeMarks(CheckMarkList &marks, const Asked &asked);
    void checkFailed();
    qsizetype askedIndex() const;
    QList<CheckMark> marksOfLine(const QTextBlock &line) const;
    LineNumberMargin::Sign signOf(const QTextBlock &line) const;
    QString tipOf(const QTextBlock &line) const;
    void markLine(const QTextBlock &block, QList<QTextLayout::FormatRange> &ranges) const;
    void addEntries(QMenu *menu);
    void showMarks();
    qsizetype positionUnder(const QPoint &position) const;

    TextEditor *m_editor;
    // Kept: while the editor is destroyed its viewport still gets events, and asking the
    // half-destroyed editor for it is undefined.
    QWidget *m_viewport;
    QPointer<HtmlColouring> m_colouring; // the marks end with the colouring they join
    QPointer<LineNumberMargin> m_margin;
    PageCheck *m_check;
    CheckMarkList m_marks;
    QList<Asked> m_asked; // oldest first
    QList<Edit> m_edits; // since the oldest asked text
    QByteArray m_shownPage; // the text the marks stand for, while it is not edited
    QList<QThread *> m_workers; // placing marks
    int m_generation = 0; // of the marks being placed; only the newest are shown
    bool m_laying = false;
    QTimer m_pause;
    bool m_on = true;
    bool m_firstScheduled = false;
    QTextCharFormat m_errorFormat;
    QTextCharFormat m_warningFormat;
};
