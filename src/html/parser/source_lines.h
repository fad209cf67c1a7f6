#pragma once

#include <QList>
#include <QStringView>

// Line and column of a place in a page's text, as the editor counts them: lines from 1, split
// at CR LF, a lone CR or LF; columns in characters from 1, where a character outside the basic
// plane counts once.
class SourceLines
{
public:
    explicit SourceLines(QStringView text);

    int line(qsizetype offset) const;
    int column(qsizetype offset) const;
    // Characters (as columns count them) between two offsets of the same text.
    qsizetype characters(qsizetype from, qsizetype to) const;

private:
    QStringView m_text;
    QList<qsizetype> m_lineStarts;
};
