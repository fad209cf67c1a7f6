#include "document/text_search.h"

#include <QChar>

#include <algorithm>
#include <memory>

namespace {

// Folding through a table: QChar::toCaseFolded per character makes a search of a 10 MiB page
// several times slower. Surrogates stay as they are.
const char16_t *foldTable()
{
    static const std::unique_ptr<char16_t[]> table = [] {
        auto folded = std::make_unique<char16_t[]>(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) {
            const bool surrogate = c >= 0xd800 && c <= 0xdfff;
            folded[c] = surrogate ? char16_t(c) : QChar(char16_t(c)).toCaseFolded().unicode();
        }
        return folded;
    }();
    return table.get();
}

struct Exact
{
    char16_t operator()(char16_t c) const { return c; }
};

struct Folded
{
    const char16_t *table = foldTable();
    char16_t operator()(char16_t c) const { return table[c]; }
};

template <typename Fold>
bool equalAt(const char16_t *text, const QString &needle, qsizetype from, qsizetype to, Fold fold)
{
    for (qsizetype j = from; j < to; ++j) {
        if (fold(text[j]) != needle[j].unicode())
            return false;
    }
    return true;
}

template <typename Fold>
qsizetype forward(QStringView text, qsizetype from, const QString &needle,
                  const std::array<qsizetype, 256> &shift, Fold fold)
{
    const qsizetype m = needle.size();
    const char16_t *t = text.utf16();
    const char16_t last = needle[m - 1].unicode();
    for (qsizetype p = from; p + m <= text.size();) {
        const char16_t c = fold(t[p + m - 1]);
        if (c == last && equalAt(t + p, needle, 0, m - 1, fold))
            return p;
        p += shift[c & 0xff];
    }
    return -1;
}

template <typename Fold>
qsizetype backward(QStringView text, qsizetype lastStart, const QString &needle,
                   const std::array<qsizetype, 256> &shift, Fold fold)
{
    const qsizetype m = needle.size();
    const char16_t *t = text.utf16();
    const char16_t first = needle[0].unicode();
    for (qsizetype p = lastStart; p >= 0;) {
        const char16_t c = fold(t[p]);
        if (c == first && equalAt(t + p, needle, 1, m, fold))
            return p;
        p -= shift[c & 0xff];
    }
    return -1;
}

} // namespace

TextSearch::TextSearch(const QString &needle, Qt::CaseSensitivity cs) : m_needle(needle), m_cs(cs)
{
    if (cs == Qt::CaseInsensitive) {
        const Folded fold;
        for (QChar &c : m_needle)
            c = QChar(fold(c.unicode()));
    }
    const qsizetype m = m_needle.size();
    m_forwardShift.fill(std::max<qsizetype>(m, 1));
    m_backwardShift.fill(std::max<qsizetype>(m, 1));
    for (qsizetype i = 0; i + 1 < m; ++i)
        m_forwardShift[m_needle[i].unicode() & 0xff] = m - 1 - i;
    for (qsizetype i = m - 1; i >= 1; --i)
        m_backwardShift[m_needle[i].unicode() & 0xff] = i;
}

qsizetype TextSearch::indexIn(QStringView text, qsizetype from) const
{
    if (m_needle.isEmpty() || from < 0)
        return -1;
    if (m_cs == Qt::CaseInsensitive)
        return forward(text, from, m_needle, m_forwardShift, Folded());
    return forward(text, from, m_needle, m_forwardShift, Exact());
}

qsizetype TextSearch::lastIndexIn(QStringView text, qsizetype end) const
{
    const qsizetype lastStart = std::min(end, text.size()) - m_needle.size();
    if (m_needle.isEmpty() || lastStart < 0)
        return -1;
    if (m_cs == Qt::CaseInsensitive)
        return backward(text, lastStart, m_needle, m_backwardShift, Folded());
    return backward(text, lastStart, m_needle, m_backwardShift, Exact());
}

bool TextSearch::matches(QStringView text) const
{
    return !m_needle.isEmpty() && text.size() == m_needle.size() && indexIn(text) == 0;
}

QList<qsizetype> TextSearch::findAll(QStringView text) const
{
    QList<qsizetype> found;
    for (qsizetype p = indexIn(text); p >= 0; p = indexIn(text, p + m_needle.size()))
        found.append(p);
    return found;
}

FoundMatch findNext(const TextSearch &search, QStringView text, qsizetype selectionEnd)
{
    const qsizetype after = search.indexIn(text, selectionEnd);
    if (after >= 0)
        return {after, false};
    const qsizetype first = search.indexIn(text);
    return {first, first >= 0};
}

FoundMatch findPrevious(const TextSearch &search, QStringView text, qsizetype selectionStart)
{
    const qsizetype before = search.lastIndexIn(text, selectionStart);
    if (before >= 0)
        return {before, false};
    const qsizetype last = search.lastIndexIn(text, text.size());
    return {last, last >= 0};
}
