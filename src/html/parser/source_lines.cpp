#include "html/parser/source_lines.h"

#include <algorithm>

SourceLines::SourceLines(QStringView text) : m_text(text)
{
    m_lineStarts.append(0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            m_lineStarts.append(i + 1);
        } else if (c == u'\n') {
            m_lineStarts.append(i + 1);
        }
    }
}

int SourceLines::line(qsizetype offset) const
{
    const auto after = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), offset);
    return int(after - m_lineStarts.cbegin());
}

int SourceLines::column(qsizetype offset) const
{
    const qsizetype start = m_lineStarts[line(offset) - 1];
    return int(characters(start, offset)) + 1;
}

qsizetype SourceLines::characters(qsizetype from, qsizetype to) const
{
    from = std::clamp<qsizetype>(from, 0, m_text.size());
    to = std::clamp<qsizetype>(to, from, m_text.size());
    qsizetype count = to - from;
    // A low surrogate after its high one adds nothing.
    for (qsizetype i = from + 1; i < to; ++i) {
        if (m_text[i].isLowSurrogate() && m_text[i - 1].isHighSurrogate())
            --count;
    }
    return count;
}
