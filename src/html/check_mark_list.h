#pragma once

#include "html/check_protocol.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One mark of the page check in the page's text: the characters it lies under, in positions of
// the text (one position for each line break), and the message it stands for. A message at a
// line's end or in an empty line gets an empty mark: the line's sign shows it.
struct CheckMark
{
    qsizetype start = 0;
    qsizetype end = 0;
    CheckLevel level = CheckLevel::Error;
    qsizetype message = 0; // in CheckMarkList::messages()

    bool isEmpty() const { return end == start; }
    friend bool operator==(const CheckMark &, const CheckMark &) = default;
};

// The Fehler and Warnungen of a check as marks in the text it checked, sorted by their start;
// they follow the edits of the text until the next check replaces them. Hinweise get none.
class CheckMarkList
{
public:
    // `text` is the text that was checked, its lines separated by one character each ('\n' or
    // U+2029, as the editor holds them). A message of length 0 marks the tag it stands at, or
    // else one character. Only the messages with a mark are kept.
    void setMessages(QStringView text, const QList<CheckMessage> &messages);
    void clear();

    // Moves the marks with an edit of the text: `removed` characters at `from` replaced by
    // `added` ones. A mark whose characters are all removed goes.
    void follow(qsizetype from, qsizetype removed, qsizetype added);

    const QList<CheckMark> &marks() const { return m_marks; }
    const QList<CheckMessage> &messages() const { return m_messages; } // those with a mark
    const CheckMessage &message(const CheckMark &mark) const { return m_messages[mark.message]; }

    // The marks that lie under some of the characters in [from, to): those a line shows.
    QList<CheckMark> marksOver(qsizetype from, qsizetype to) const;
    // The marks that start in [from, to): a line's marks, for its sign and its tool tip.
    QList<CheckMark> marksStartingIn(qsizetype from, qsizetype to) const;
    // The marks under the character at `position`.
    QList<CheckMark> marksAt(qsizetype position) const;

    // The gravest level among the marks that start in [from, to), or nothing when none does;
    // asked for every line on screen at every repaint of the margin.
    std::optional<CheckLevel> gravestStartingIn(qsizetype from, qsizetype to) const;
    // The marks' messages in German, one a line, each after its level ("Fehler: ..."); the
    // same message at one place once.
    QString tip(const QList<CheckMark> &marks) const;

private:
    qsizetype firstThatMayReach(qsizetype position) const;

    QList<CheckMark> m_marks;
    QList<CheckMessage> m_messages;
    // The longest mark: only marks starting this far before a position can reach it.
    qsizetype m_longest = 0;
};
