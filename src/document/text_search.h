#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// Finds a text in the page. Without regard to case, characters are compared by their simple
// case folding, as a German reader expects: ä matches Ä, and ß matches ß (and the capital ẞ)
// but never "ss", since a match keeps the length of what was searched for.
class TextSearch
{
public:
    TextSearch(const QString &needle, Qt::CaseSensitivity cs);

    qsizetype needleLength() const { return m_needle.size(); }

    // The first match starting at or after `from`, or -1.
    qsizetype indexIn(QStringView text, qsizetype from = 0) const;
    // The last match ending at or before `end`, or -1.
    qsizetype lastIndexIn(QStringView text, qsizetype end) const;
    // Whether the whole of `text` is one match.
    bool matches(QStringView text) const;
    // Every match, first to last, none overlapping the one before.
    QList<qsizetype> findAll(QStringView text) const;

private:
    QString m_needle; // folded when case does not count
    Qt::CaseSensitivity m_cs;
    // Horspool's shifts by the low byte of a character, forwards and backwards.
    std::array<qsizetype, 256> m_forwardShift{};
    std::array<qsizetype, 256> m_backwardShift{};
};

// Where a search from the selection found its match, and whether it had to go round the end.
struct FoundMatch
{
    qsizetype position = -1;
    bool wrapped = false;
};

// The next match after the selection; when there is none, the first from the start.
FoundMatch findNext(const TextSearch &search, QStringView text, qsizetype selectionEnd);
// The match before the selection; when there is none, the last from the end.
FoundMatch findPrevious(const TextSearch &search, QStringView text, qsizetype selectionStart);
