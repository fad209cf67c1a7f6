#include "html/check_mark_list.h"

#include "html/check_texts.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator;
}

QList<qsizetype> lineStarts(QStringView text)
{
    QList<qsizetype> starts = {0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text[i]))
            starts.append(i + 1);
    }
    return starts;
}

bool startsBefore(const CheckMark &mark, qsizetype position)
{
    return mark.start < position;
}

bool isPairAt(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
}

// The position `characters` characters after `from`, a character outside the basic plane
// counting once, as the check counts.
qsizetype advance(QStringView text, qsizetype from, qsizetype characters)
{
    qsizetype position = from;
    for (; characters > 0 && position < text.size(); --characters)
        position += isPairAt(text, position) ? 2 : 1;
    return position;
}

// What a message without a length is about: the tag that starts at its place, or the
// character there; at a line's end the last character of the line.
std::pair<qsizetype, qsizetype> placeWithoutLength(QStringView text, qsizetype start,
                                                   qsizetype lineStart, qsizetype lineEnd)
{
    if (start < lineEnd) {
        if (text[start] == u'<') {
            const qsizetype close = text.sliced(start, lineEnd - start).indexOf(u'>');
            return {start, close < 0 ? lineEnd : start + close + 1};
        }
        return {start, advance(text, start, 1)};
    }
    if (lineEnd == lineStart)
        return {lineStart, lineStart};
    const bool pair = lineEnd - lineStart >= 2 && isPairAt(text, lineEnd - 2);
    return {lineEnd - (pair ? 2 : 1), lineEnd};
}

} // namespace

void CheckMarkList::setMessages(QStringView text, const QList<CheckMessage> &messages)
{
    clear();
    const QList<qsizetype> starts = lineStarts(text);
    for (const CheckMessage &message : messages) {
        // Hinweise stay in the check's list; a message without a place has no mark.
        if (message.level == CheckLevel::Hint || message.line < 1 || message.line > starts.size())
            continue;
        const qsizetype lineStart = starts[message.line - 1];
        const qsizetype lineEnd = message.line < starts.size() ? starts[message.line] - 1
                                                               : text.size();
        const QStringView line = text.sliced(lineStart, lineEnd - lineStart);
        const qsizetype start = lineStart + offsetOfColumn(line, std::max(1, message.column));
        const auto [from, to] = message.length > 0
            ? std::pair(start, advance(text, start, message.length))
            : placeWithoutLength(text, start, lineStart, lineEnd);
        m_marks.append({from, to, message.level, m_messages.size()});
        m_messages.append(message);
        m_longest = std::max(m_longest, to - from);
    }
    // The check sorts by place; a message whose place was moved to its line's last character
    // may come before one that stands on that character.
    std::stable_sort(m_marks.begin(), m_marks.end(),
                     [](const CheckMark &a, const CheckMark &b) { return a.start < b.start; });
}

void CheckMarkList::clear()
{
    m_marks.clear();
    m_messages.clear();
    m_longest = 0;
}

void CheckMarkList::follow(qsizetype from, qsizetype removed, qsizetype added)
{
    const qsizetype changeEnd = from + removed;
    const qsizetype shift = added - removed;
    // Starts and ends move as a caret would: text typed at a mark's start goes before the mark,
    // text typed at its end after it, text typed inside it into it.
    const auto movedStart = [&](qsizetype start) {
        if (start >= changeEnd)
            return start + shift;
        return start >= from ? from + added : start;
    };
    const auto movedEnd = [&](qsizetype end) {
        if (end <= from)
            return end;
        return end >= changeEnd ? end + shift : from;
    };
    CheckMark *marks = m_marks.data();
    const qsizetype count = m_marks.size();
    qsizetype i = firstThatMayReach(from);
    qsizetype kept = i;
    // The marks the change may touch.
    for (; i < count && marks[i].start < changeEnd; ++i) {
        CheckMark mark = marks[i];
        const bool gone = mark.start >= from
            && (mark.isEmpty() ? mark.start < changeEnd : mark.end <= changeEnd);
        if (gone)
            continue;
        mark.start = movedStart(mark.start);
        mark.end = std::max(mark.start, movedEnd(mark.end));
        if (mark.isEmpty() && !marks[i].isEmpty())
            continue;
        m_longest = std::max(m_longest, mark.end - mark.start);
        marks[kept++] = mark;
    }
    // Those after it only move: on a large page, most of them, at every keystroke.
    for (; i < count; ++i, ++kept) {
        marks[kept] = marks[i];
        marks[kept].start += shift;
        marks[kept].end += shift;
    }
    m_marks.resize(kept);
}

qsizetype CheckMarkList::firstThatMayReach(qsizetype position) const
{
    return std::lower_bound(m_marks.cbegin(), m_marks.cend(), position - m_longest, startsBefore)
        - m_marks.cbegin();
}

QList<CheckMark> CheckMarkList::marksOver(qsizetype from, qsizetype to) const
{
    QList<CheckMark> over;
    for (qsizetype i = firstThatMayReach(from); i < m_marks.size() && m_marks[i].start < to; ++i) {
        if (m_marks[i].end > from && !m_marks[i].isEmpty())
            over.append(m_marks[i]);
    }
    return over;
}

QList<CheckMark> CheckMarkList::marksStartingIn(qsizetype from, qsizetype to) const
{
    QList<CheckMark> starting;
    const auto first = std::lower_bound(m_marks.cbegin(), m_marks.cend(), from, startsBefore);
    for (auto mark = first; mark != m_marks.cend() && mark->start < to; ++mark)
        starting.append(*mark);
    return starting;
}

std::optional<CheckLevel> CheckMarkList::gravestStartingIn(qsizetype from, qsizetype to) const
{
    std::optional<CheckLevel> level;
    auto mark = std::lower_bound(m_marks.cbegin(), m_marks.cend(), from, startsBefore);
    for (; mark != m_marks.cend() && mark->start < to; ++mark)
        level = level ? std::min(*level, mark->level) : mark->level;
    return level;
}

QList<CheckMark> CheckMarkList::marksAt(qsizetype position) const
{
    return marksOver(position, position + 1);
}

QString CheckMarkList::tip(const QList<CheckMark> &marks) const
{
    QStringList lines;
    QSet<QString> seen;
    for (const CheckMark &mark : marks) {
        const QString line = u"%1: %2"_s.arg(CheckTexts::levelName(mark.level),
                                             CheckTexts::text(message(mark)));
        if (!seen.contains(line)) {
            seen.insert(line);
            lines.append(line);
        }
    }
    return lines.join(u'\n');
}
