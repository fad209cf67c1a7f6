#include "html/html_lexer.h"

namespace {

bool isLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r' || c == u'\n'
           || (c > 0x7f && QChar::isSpace(c));
}

// Ends a tag's name or an attribute's name.
bool endsName(char16_t c)
{
    return isSpace(c) || c == u'>' || c == u'/' || c == u'=' || c == u'<' || c == u'"'
           || c == u'\'';
}

// Lexes one line: the place within the markup and the raw-text bits live in two members, the
// position moves only forward, so every loop below ends.
class LineLexer
{
public:
    LineLexer(QStringView line, int state, QList<HtmlSpan> &spans)
        : m_s(line), m_n(int(line.size())), m_place(state & HtmlState::PlaceMask),
          m_raw(state & HtmlState::RawMask), m_spans(spans)
    {
        if (m_place > HtmlState::Declaration)
            m_place = HtmlState::Text;
        if (m_raw == HtmlState::RawMask)
            m_raw = 0;
    }

    int run()
    {
        while (m_i < m_n) {
            switch (m_place) {
            case HtmlState::Text:
                text();
                break;
            case HtmlState::InTag:
                inTag();
                break;
            case HtmlState::AfterEquals:
                afterEquals();
                break;
            case HtmlState::DoubleQuoted:
                quoted(m_i, u'"');
                break;
            case HtmlState::SingleQuoted:
                quoted(m_i, u'\'');
                break;
            case HtmlState::Comment:
                upTo(m_i, u"-->", HtmlKind::Comment);
                break;
            default:
                upTo(m_i, u">", HtmlKind::Doctype);
                break;
            }
        }
        return m_place | m_raw;
    }

private:
    void add(int start, int end, HtmlKind kind)
    {
        if (end <= start)
            return;
        if (!m_spans.isEmpty()) {
            HtmlSpan &last = m_spans.last();
            if (last.kind == kind && last.start + last.length == start) {
                last.length = end - last.start;
                return;
            }
        }
        m_spans.append({start, end - start, kind});
    }

    // Colours from `start` through `terminator` and goes back to text; without the terminator,
    // to the line's end, staying in the current place.
    void upTo(int start, QStringView terminator, HtmlKind kind)
    {
        const qsizetype found = m_s.indexOf(terminator, m_i);
        if (found < 0) {
            add(start, m_n, kind);
            m_i = m_n;
            return;
        }
        m_i = int(found + terminator.size());
        add(start, m_i, kind);
        m_place = HtmlState::Text;
    }

    void quoted(int start, char16_t quote)
    {
        const qsizetype found = m_s.indexOf(QChar(quote), m_i);
        if (found < 0) {
            add(start, m_n, HtmlKind::AttributeValue);
            m_i = m_n;
            m_place = quote == u'"' ? HtmlState::DoubleQuoted : HtmlState::SingleQuoted;
            return;
        }
        m_i = int(found) + 1;
        add(start, m_i, HtmlKind::AttributeValue);
        m_place = HtmlState::InTag;
    }

    void text()
    {
        if (m_raw) {
            // Script and style content is not markup; only its end tag is.
            const QStringView endTag = m_raw == HtmlState::Script ? u"</script" : u"</style";
            const qsizetype found = m_s.indexOf(endTag, m_i, Qt::CaseInsensitive);
            if (found < 0) {
                m_i = m_n;
                return;
            }
            m_i = int(found);
            m_raw = 0;
        }
        while (m_i < m_n) {
            const char16_t c = m_s[m_i].unicode();
            if (c == u'<' && lessThan())
                return;
            if (c == u'&')
                entity();
            else
                ++m_i;
        }
    }

    // At a '<': starts a tag, comment or declaration and returns true, or passes it as text.
    bool lessThan()
    {
        const int start = m_i;
        const QStringView rest = m_s.sliced(m_i);
        if (rest.startsWith(u"<!--")) {
            m_i += 4;
            m_place = HtmlState::Comment;
            upTo(start, u"-->", HtmlKind::Comment);
            return true;
        }
        if (rest.size() > 1 && (rest[1] == u'!' || rest[1] == u'?')) {
            m_i += 2;
            m_place = HtmlState::Declaration;
            upTo(start, u">", HtmlKind::Doctype);
            return true;
        }
        const bool closing = rest.size() > 2 && rest[1] == u'/';
        const int nameStart = m_i + (closing ? 2 : 1);
        if (nameStart >= m_n || !isLetter(m_s[nameStart].unicode())) {
            ++m_i;
            return false;
        }
        int end = nameStart;
        while (end < m_n && !endsName(m_s[end].unicode()))
            ++end;
        add(start, end, HtmlKind::Tag);
        const QStringView name = m_s.sliced(nameStart, end - nameStart);
        m_raw = 0;
        if (!closing && name.compare(u"script", Qt::CaseInsensitive) == 0)
            m_raw = HtmlState::Script;
        else if (!closing && name.compare(u"style", Qt::CaseInsensitive) == 0)
            m_raw = HtmlState::Style;
        m_i = end;
        m_place = HtmlState::InTag;
        return true;
    }

    // At a '&': a named or numeric reference ends in ';'; anything else stays text.
    void entity()
    {
        int end = m_i + 1;
        bool (*valid)(char16_t) = [](char16_t c) { return isLetter(c) || isDigit(c); };
        if (end < m_n && m_s[end] == u'#') {
            ++end;
            valid = isDigit;
            if (end < m_n && (m_s[end] == u'x' || m_s[end] == u'X')) {
                ++end;
                valid = isHexDigit;
            }
        }
        const int nameStart = end;
        while (end < m_n && valid(m_s[end].unicode()))
            ++end;
        if (end > nameStart && end < m_n && m_s[end] == u';') {
            add(m_i, end + 1, HtmlKind::Entity);
            m_i = end + 1;
        } else {
            ++m_i;
        }
    }

    void inTag()
    {
        const char16_t c = m_s[m_i].unicode();
        if (isSpace(c)) {
            ++m_i;
        } else if (c == u'>') {
            add(m_i, m_i + 1, HtmlKind::Tag);
            ++m_i;
            m_place = HtmlState::Text; // the raw bits say whether script or style content follows
        } else if (c == u'/' && m_i + 1 < m_n && m_s[m_i + 1] == u'>') {
            add(m_i, m_i + 2, HtmlKind::Tag);
            m_i += 2;
            m_place = HtmlState::Text;
            m_raw = 0;
        } else if (c == u'<') {
            // A tag left open: let the next one begin here.
            m_place = HtmlState::Text;
            m_raw = 0;
        } else if (c == u'=') {
            ++m_i;
            m_place = HtmlState::AfterEquals;
        } else if (c == u'"' || c == u'\'') {
            const int start = m_i++;
            quoted(start, c);
        } else if (c == u'/') {
            ++m_i;
        } else {
            const int start = m_i;
            while (m_i < m_n && !endsName(m_s[m_i].unicode()))
                ++m_i;
            add(start, m_i, HtmlKind::AttributeName);
        }
    }

    void afterEquals()
    {
        const char16_t c = m_s[m_i].unicode();
        if (isSpace(c)) {
            ++m_i;
        } else if (c == u'>' || c == u'<') {
            m_place = HtmlState::InTag;
        } else if (c == u'"' || c == u'\'') {
            const int start = m_i++;
            quoted(start, c);
        } else {
            const int start = m_i;
            while (m_i < m_n && !isSpace(m_s[m_i].unicode()) && m_s[m_i] != u'>')
                ++m_i;
            add(start, m_i, HtmlKind::AttributeValue);
            m_place = HtmlState::InTag;
        }
    }

    QStringView m_s;
    int m_n;
    int m_i = 0;
    int m_place;
    int m_raw;
    QList<HtmlSpan> &m_spans;
};

} // namespace

int lexHtmlLine(QStringView line, int state, QList<HtmlSpan> &spans)
{
    return LineLexer(line, state, spans).run();
}
