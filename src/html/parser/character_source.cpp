#include "html/parser/character_source.h"

#include "html/html_tables.h"

#include <QLatin1StringView>

#include <algorithm>

namespace {

const char *referenceText(QStringView name)
{
    const HtmlReferenceEntry *begin = HtmlTables::references;
    const HtmlReferenceEntry *end = begin + HtmlTables::referenceCount;
    const HtmlReferenceEntry *found =
        std::lower_bound(begin, end, name, [](const HtmlReferenceEntry &entry, QStringView key) {
            return QStringView(key).compare(QLatin1StringView(entry.name)) > 0;
        });
    return found != end && name == QLatin1StringView(found->name) ? found->text : nullptr;
}

bool isAsciiAlphanumeric(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

int digitValue(QChar c, bool hex)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (hex && c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (hex && c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

} // namespace

CharacterSource::CharacterSource(QStringView source, QStringView data, SourceSpan span)
    : m_source(source), m_data(data), m_span(span), m_offset(span.offset)
{
}

SourceSpan CharacterSource::span(qsizetype from, qsizetype to)
{
    if (!m_span.isValid())
        return {};
    if (from == 0 && to == m_data.size())
        return m_span;
    if (m_data.size() == m_span.length) // nothing was shortened, so each character is its source
        return {m_span.offset + from, to - from};
    const qsizetype start = offsetOf(from);
    const qsizetype end = to >= m_data.size() ? m_span.end() : offsetOf(to);
    return {start, std::max<qsizetype>(end - start, 0)};
}

qsizetype CharacterSource::offsetOf(qsizetype index)
{
    if (index < m_index) {
        m_index = 0;
        m_offset = m_span.offset;
    }
    while (m_index < index)
        step();
    return m_offset;
}

// Moves past the source of data[m_index].
void CharacterSource::step()
{
    const qsizetype end = m_span.end();
    const QChar c = m_data[m_index];
    while (m_offset < end) {
        const QChar s = m_source[m_offset];
        if (s == u'\r' && c == u'\n') {
            ++m_offset;
            if (m_offset < end && m_source[m_offset] == u'\n')
                ++m_offset;
            ++m_index;
            return;
        }
        if (s == u'&' && stepOverReference())
            return;
        if (s == c || (s == QChar(0) && c == QChar(0xFFFD))) {
            ++m_offset;
            ++m_index;
            return;
        }
        ++m_offset; // source the run left out
    }
    ++m_index;
}

// Reads a character reference at m_offset as the tokenizer would, if the run's text holds what
// it stands for.
bool CharacterSource::stepOverReference()
{
    const qsizetype end = m_span.end();
    qsizetype p = m_offset + 1;
    if (p < end && m_source[p] == u'#') {
        ++p;
        const bool hex = p < end && (m_source[p] == u'x' || m_source[p] == u'X');
        if (hex)
            ++p;
        const qsizetype digits = p;
        char32_t value = 0;
        for (int digit; p < end && (digit = digitValue(m_source[p], hex)) >= 0; ++p)
            value = std::min<char32_t>(value * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        if (p == digits)
            return false;
        if (p < end && m_source[p] == u';')
            ++p;
        const bool twoUnits = value > 0xFFFF && value < 0x110000;
        m_offset = p;
        m_index = std::min(m_index + (twoUnits ? 2 : 1), m_data.size());
        return true;
    }
    qsizetype nameEnd = p;
    while (nameEnd < end && nameEnd - p < 32 && isAsciiAlphanumeric(m_source[nameEnd]))
        ++nameEnd;
    for (qsizetype length = nameEnd - p; length > 0; --length) {
        const char *text = referenceText(m_source.sliced(p, length));
        if (!text)
            continue;
        const QString decoded = QString::fromUtf8(text);
        if (!m_data.sliced(m_index).startsWith(decoded))
            continue;
        qsizetype after = p + length;
        if (after < end && m_source[after] == u';')
            ++after;
        m_offset = after;
        m_index += decoded.size();
        return true;
    }
    return false;
}
