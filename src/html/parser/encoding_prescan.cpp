#include "html/parser/encoding_prescan.h"

#include <QList>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// The labels browsers accept for each encoding, lower case. ISO-2022-JP is named but not used:
// its converter here cannot finish a text in ASCII, so such a page stays in code page 1252, byte
// for byte. The replacement encoding and x-user-defined have no converter either.
struct LabelGroup
{
    const char *encoding;
    const char *labels;
};

constexpr LabelGroup labelGroups[] = {
    {"UTF-8", " unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8 "},
    {"IBM866", " 866 cp866 csibm866 ibm866 "},
    {"ISO-8859-2", " csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 "
                   "iso_8859-2:1987 l2 latin2 "},
    {"ISO-8859-3", " csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 "
                   "iso_8859-3:1988 l3 latin3 "},
    {"ISO-8859-4", " csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 "
                   "iso_8859-4:1988 l4 latin4 "},
    {"ISO-8859-5", " csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 "
                   "iso_8859-5 iso_8859-5:1988 "},
    {"ISO-8859-6", " arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 "
                   "iso-8859-6 iso-8859-6-e iso-8859-6-i iso-ir-127 iso8859-6 iso88596 "
                   "iso_8859-6 iso_8859-6:1987 "},
    {"ISO-8859-7", " csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 "
                   "iso8859-7 iso88597 iso_8859-7 iso_8859-7:1987 sun_eu_greek "},
    {"ISO-8859-8", " csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 "
                   "iso8859-8 iso88598 iso_8859-8 iso_8859-8:1988 visual "},
    {"ISO-8859-8-I", " csiso88598i iso-8859-8-i logical "},
    {"ISO-8859-10", " csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6 "},
    {"ISO-8859-13", " iso-8859-13 iso8859-13 iso885913 "},
    {"ISO-8859-14", " iso-8859-14 iso8859-14 iso885914 "},
    {"ISO-8859-15", " csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9 "},
    {"ISO-8859-16", " iso-8859-16 "},
    {"KOI8-R", " cskoi8r koi koi8 koi8-r koi8_r "},
    {"KOI8-U", " koi8-ru koi8-u "},
    {"macintosh", " csmacintosh mac macintosh x-mac-roman "},
    {"windows-874", " dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874 "},
    {"windows-1250", " cp1250 windows-1250 x-cp1250 "},
    {"windows-1251", " cp1251 windows-1251 x-cp1251 "},
    {"windows-1252", " ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 "
                     "iso-ir-100 iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 "
                     "us-ascii windows-1252 x-cp1252 "},
    {"windows-1253", " cp1253 windows-1253 x-cp1253 "},
    {"windows-1254", " cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 "
                     "iso_8859-9:1989 l5 latin5 windows-1254 x-cp1254 "},
    {"windows-1255", " cp1255 windows-1255 x-cp1255 "},
    {"windows-1256", " cp1256 windows-1256 x-cp1256 "},
    {"windows-1257", " cp1257 windows-1257 x-cp1257 "},
    {"windows-1258", " cp1258 windows-1258 x-cp1258 "},
    {"x-mac-cyrillic", " x-mac-cyrillic x-mac-ukrainian "},
    {"GBK", " chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk "},
    {"gb18030", " gb18030 "},
    {"Big5", " big5 big5-hkscs cn-big5 csbig5 x-x-big5 "},
    {"EUC-JP", " cseucpkdfmtjapanese euc-jp x-euc-jp "},
    {"Shift_JIS", " csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis "},
    // Browsers read EUC-KR as its Windows superset.
    {"windows-949", " cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 "
                    "ks_c_5601-1989 ksc5601 ksc_5601 windows-949 "},
    {"UTF-16BE", " unicodefffe utf-16be "},
    {"UTF-16LE", " csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le "},
    // Known to browsers, but without a converter here.
    {"ISO-2022-JP", " csiso2022jp iso-2022-jp "},
    {"replacement", " csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr "},
    {"x-user-defined", " x-user-defined "},
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

QByteArrayView trimmed(QByteArrayView s)
{
    while (!s.isEmpty() && isAsciiSpace(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isAsciiSpace(s.back()))
        s.chop(1);
    return s;
}

// The name of the encoding a label stands for, as browsers read labels; empty when none does.
QByteArrayView encodingForLabel(QByteArrayView label)
{
    const QByteArray key = ' ' + trimmed(label).toByteArray().toLower() + ' ';
    if (key.size() <= 2 || key.contains('\0'))
        return {};
    for (const LabelGroup &group : labelGroups) {
        if (std::strstr(group.labels, key.constData()))
            return group.encoding;
    }
    return {};
}

// The HTML standard's prescan of a page's first bytes for a declared encoding, rule for rule,
// so that the editor reads a page as the preview's browser engine does. Running out of bytes
// anywhere ends the scan; then only an XML declaration at the very start can still answer.
class Prescan
{
public:
    explicit Prescan(QByteArrayView s) : m_s(s) {}

    QByteArray encodingName()
    {
        if (m_s.startsWith(QByteArrayView("<\0?\0x\0", 6)))
            return "UTF-16LE";
        if (m_s.startsWith(QByteArrayView("\0<\0?\0x", 6)))
            return "UTF-16BE";
        try {
            for (m_pos = 0;; ++m_pos) {
                QByteArray found = atByte();
                if (!found.isEmpty())
                    return found;
            }
        } catch (const OutOfBytes &) {
        }
        return xmlEncoding();
    }

private:
    struct OutOfBytes
    {
    };

    struct Attribute
    {
        QByteArray name;
        QByteArray value;
    };

    char at(qsizetype i) const
    {
        if (i >= m_s.size())
            throw OutOfBytes();
        return m_s[i];
    }

    static bool isSpace(char c) { return isAsciiSpace(c); }
    static char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; }

    bool startsHere(QByteArrayView what, Qt::CaseSensitivity cs = Qt::CaseSensitive) const
    {
        return m_s.size() - m_pos >= what.size()
            && m_s.sliced(m_pos, what.size()).compare(what, cs) == 0;
    }

    void advanceTo(qsizetype from, auto stopsAt)
    {
        m_pos = from;
        while (!stopsAt(at(m_pos)))
            ++m_pos;
    }

    // What the bytes at the position start; an encoding's name when a <meta> declares one.
    QByteArray atByte()
    {
        if (at(m_pos) != '<')
            return {};
        if (startsHere("<!--")) {
            qsizetype end = m_pos + 4; // the dashes of "<!--" may close it too
            while (!(at(end) == '>' && m_s[end - 1] == '-' && m_s[end - 2] == '-'))
                ++end;
            m_pos = end;
        } else if (startsHere("<meta", Qt::CaseInsensitive) && m_pos + 5 < m_s.size()
                   && (isSpace(m_s[m_pos + 5]) || m_s[m_pos + 5] == '/')) {
            m_pos += 5;
            return meta();
        } else if (isAsciiLetter(at(m_pos + 1)) || (at(m_pos + 1) == '/' && isAsciiLetter(at(m_pos + 2)))) {
            // Another tag: its attribute values may hold a "<meta" that is none.
            advanceTo(m_pos, [](char c) { return isSpace(c) || c == '>'; });
            Attribute attribute;
            while (nextAttribute(attribute)) {
            }
        } else if (at(m_pos + 1) == '!' || at(m_pos + 1) == '/' || at(m_pos + 1) == '?') {
            advanceTo(m_pos + 1, [](char c) { return c == '>'; });
        }
        return {};
    }

    QByteArray meta()
    {
        QList<QByteArray> seen;
        bool gotPragma = false;
        std::optional<bool> needPragma;
        std::optional<QByteArray> charset; // empty: a label no encoding has
        Attribute attribute;
        while (nextAttribute(attribute)) {
            if (seen.contains(attribute.name))
                continue; // only the first of a name counts
            seen.append(attribute.name);
            if (attribute.name == "http-equiv") {
                gotPragma = gotPragma || attribute.value == "content-type";
            } else if (attribute.name == "content") {
                const QByteArray inContent = charsetInContent(attribute.value);
                if (!inContent.isEmpty() && !charset) {
                    charset = inContent;
                    needPragma = true;
                }
            } else if (attribute.name == "charset") {
                charset = encodingForLabel(attribute.value).toByteArray();
                needPragma = false;
            }
        }
        if (!needPragma || (*needPragma && !gotPragma) || charset->isEmpty())
            return {};
        if (charset->startsWith("UTF-16"))
            return "UTF-8";
        if (*charset == "x-user-defined")
            return "windows-1252";
        return *charset;
    }

    // The standard's "get an attribute"; false at the tag's '>', which it leaves in place.
    bool nextAttribute(Attribute &attribute)
    {
        while (isSpace(at(m_pos)) || at(m_pos) == '/')
            ++m_pos;
        if (at(m_pos) == '>')
            return false;
        attribute = {};
        for (;; ++m_pos) {
            const char c = at(m_pos);
            if (c == '=' && !attribute.name.isEmpty()) {
                ++m_pos;
                return readValue(attribute);
            }
            if (isSpace(c))
                break;
            if (c == '/' || c == '>')
                return true;
            attribute.name += lower(c);
        }
        while (isSpace(at(m_pos)))
            ++m_pos;
        if (at(m_pos) != '=')
            return true;
        ++m_pos;
        return readValue(attribute);
    }

    bool readValue(Attribute &attribute)
    {
        while (isSpace(at(m_pos)))
            ++m_pos;
        const char first = at(m_pos);
        if (first == '"' || first == '\'') {
            for (++m_pos; at(m_pos) != first; ++m_pos)
                attribute.value += lower(m_s[m_pos]);
            ++m_pos;
            return true;
        }
        if (first == '>')
            return true;
        for (; !isSpace(at(m_pos)) && at(m_pos) != '>'; ++m_pos)
            attribute.value += lower(m_s[m_pos]);
        return true;
    }

    // The standard's "extracting a character encoding from a meta element" on a content
    // value ("text/html; charset=koi8-r"): the encoding's name, or empty.
    static QByteArray charsetInContent(QByteArrayView content)
    {
        qsizetype pos = 0;
        while ((pos = content.indexOf("charset", pos)) >= 0) {
            pos += 7;
            while (pos < content.size() && isSpace(content[pos]))
                ++pos;
            if (pos >= content.size() || content[pos] != '=')
                continue;
            ++pos;
            while (pos < content.size() && isSpace(content[pos]))
                ++pos;
            if (pos >= content.size())
                return {};
            const char first = content[pos];
            if (first == '"' || first == '\'') {
                const qsizetype end = content.indexOf(first, pos + 1);
                if (end < 0)
                    return {};
                return encodingForLabel(content.sliced(pos + 1, end - pos - 1)).toByteArray();
            }
            qsizetype end = pos;
            while (end < content.size() && !isSpace(content[end]) && content[end] != ';')
                ++end;
            return encodingForLabel(content.sliced(pos, end - pos)).toByteArray();
        }
        return {};
    }

    // The standard's "get an XML encoding": <?xml ... encoding="..." at the very start.
    QByteArray xmlEncoding() const
    {
        if (!m_s.startsWith("<?xml"))
            return {};
        const qsizetype declarationEnd = m_s.indexOf('>');
        if (declarationEnd < 0)
            return {};
        qsizetype pos = m_s.first(declarationEnd).indexOf("encoding");
        if (pos < 0)
            return {};
        pos += 8;
        const auto skipControls = [&] {
            while (pos < m_s.size() && uchar(m_s[pos]) <= 0x20)
                ++pos;
        };
        skipControls();
        if (pos >= m_s.size() || m_s[pos] != '=')
            return {};
        ++pos;
        skipControls();
        if (pos >= m_s.size() || (m_s[pos] != '"' && m_s[pos] != '\''))
            return {};
        const qsizetype end = m_s.indexOf(m_s[pos], pos + 1);
        if (end < 0)
            return {};
        const QByteArrayView label = m_s.sliced(pos + 1, end - pos - 1);
        if (std::any_of(label.begin(), label.end(), [](char c) { return uchar(c) <= 0x20; }))
            return {};
        const QByteArray name = encodingForLabel(label).toByteArray();
        return name.startsWith("UTF-16") ? QByteArray("UTF-8") : name;
    }

    QByteArrayView m_s;
    qsizetype m_pos = 0;
};

} // namespace

QByteArray encodingNameForLabel(QByteArrayView label)
{
    return encodingForLabel(label).toByteArray();
}

QByteArray declaredEncodingName(QByteArrayView bytes)
{
    return Prescan(bytes.first(std::min<qsizetype>(bytes.size(), 1024))).encodingName();
}
