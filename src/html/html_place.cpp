#include "html/html_place.h"

#include <algorithm>

namespace {

// No name is longer; a tag whose '<' lies further back than this is not looked for.
constexpr qsizetype nameLimit = 256;
constexpr qsizetype tagLimit = 4096;

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAlphanumeric(QChar c)
{
    return isLetter(c) || (c >= u'0' && c <= u'9');
}

bool isNameCharacter(QChar c)
{
    return isAlphanumeric(c) || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r' || c == u'\n' || c.isSpace();
}

// Reads one start tag from its '<' as a browser would and tells whether `at` is where an
// attribute name starts (between attributes); collects the other attribute names on the way.
class TagReader
{
public:
    TagReader(QStringView text, qsizetype at, qsizetype end) : m_s(text), m_at(at), m_end(end) {}

    bool read(qsizetype lessThan, HtmlPlace &place)
    {
        m_i = lessThan + 1;
        const qsizetype nameStart = m_i;
        while (m_i < m_end && isNameCharacter(m_s[m_i]))
            ++m_i;
        place.element = m_s.sliced(nameStart, m_i - nameStart).toString().toLower();
        bool found = false;
        for (;;) {
            if (m_i == m_at && !found) {
                found = true;
                const qsizetype asked = m_i;
                while (m_i < m_end && isNameCharacter(m_s[m_i]))
                    ++m_i; // the name being asked about is not one of the others
                if (m_i > asked)
                    continue;
            }
            if (m_i >= m_end)
                return found;
            const QChar c = m_s[m_i];
            if (isSpace(c) || c == u'/') {
                ++m_i;
            } else if (c == u'>' || c == u'<') {
                return found;
            } else if (!attribute(place)) {
                return false;
            }
        }
        return found;
    }

private:
    // Reads one attribute with its value; false when `at` lies inside it.
    bool attribute(HtmlPlace &place)
    {
        const qsizetype start = m_i;
        while (m_i < m_end && !isSpace(m_s[m_i]) && m_s[m_i] != u'>' && m_s[m_i] != u'/'
               && m_s[m_i] != u'=' && m_s[m_i] != u'<')
            ++m_i;
        if (m_i == start)
            ++m_i; // a stray quote or '=' where a name should be
        else
            place.others.append(m_s.sliced(start, m_i - start).toString().toLower());
        qsizetype j = m_i;
        while (j < m_end && isSpace(m_s[j]))
            ++j;
        if (j >= m_end || m_s[j] != u'=')
            return true;
        ++j;
        while (j < m_end && isSpace(m_s[j]))
            ++j;
        bool open = false; // a quoted value not closed before the end of what is read
        if (j < m_end && (m_s[j] == u'"' || m_s[j] == u'\'')) {
            const qsizetype close = m_s.sliced(j + 1, m_end - j - 1).indexOf(m_s[j]);
            open = close < 0;
            m_i = open ? m_end : j + 1 + close + 1;
        } else {
            while (j < m_end && !isSpace(m_s[j]) && m_s[j] != u'>')
                ++j;
            m_i = j;
        }
        return !(start < m_at && (m_at < m_i || (open && m_at == m_i)));
    }

    QStringView m_s;
    qsizetype m_at;
    qsizetype m_end;
    qsizetype m_i = 0;
};

} // namespace

HtmlPlace htmlPlaceAt(QStringView text, qsizetype position)
{
    HtmlPlace place;
    if (position < 0 || position > text.size())
        return place;
    qsizetype start = position;
    while (start > 0 && position - start < nameLimit && isNameCharacter(text[start - 1]))
        --start;
    qsizetype end = position;
    while (end < text.size() && end - position < nameLimit && isNameCharacter(text[end]))
        ++end;
    if (start == 0)
        return place;
    place.nameStart = start;
    place.nameEnd = end;
    const QStringView name = text.sliced(start, end - start);
    const QChar before = text[start - 1];
    if (before == u'&') {
        if (std::all_of(name.begin(), name.end(), isAlphanumeric))
            place.kind = HtmlPlace::Reference;
        return place;
    }
    const bool named = name.isEmpty() || isLetter(name[0]);
    if (before == u'<' && named) {
        place.kind = HtmlPlace::StartTagName;
        place.tagStart = start - 1;
    } else if (before == u'/' && start >= 2 && text[start - 2] == u'<' && named) {
        place.kind = HtmlPlace::EndTagName;
        place.tagStart = start - 2;
    } else if (isSpace(before)) {
        const qsizetype from = std::max<qsizetype>(0, start - tagLimit);
        const qsizetype lessThan = text.sliced(from, start - from).lastIndexOf(u'<');
        if (lessThan < 0 || from + lessThan + 1 >= start || !isLetter(text[from + lessThan + 1]))
            return place;
        const qsizetype tagEnd = std::min(text.size(), end + tagLimit);
        if (TagReader(text, start, tagEnd).read(from + lessThan, place)) {
            place.kind = HtmlPlace::AttributeName;
            place.tagStart = from + lessThan;
        } else {
            place.element.clear();
            place.others.clear();
        }
    }
    return place;
}
