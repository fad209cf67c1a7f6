#include "document/page_encoding.h"

#include "document/codepage1252.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
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

// The encodings of one byte a character, from IBM866 to x-mac-cyrillic in the table below.
bool isSingleByte(QByteArrayView name)
{
    static const QByteArrayView names[] = {
        "IBM866", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",
        "ISO-8859-7", "ISO-8859-8", "ISO-8859-8-I", "ISO-8859-10", "ISO-8859-13",
        "ISO-8859-14", "ISO-8859-15", "ISO-8859-16", "KOI8-R", "KOI8-U", "macintosh",
        "windows-874", "windows-1250", "windows-1251", "windows-1253", "windows-1254",
        "windows-1255", "windows-1256", "windows-1257", "windows-1258", "x-mac-cyrillic"};
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}
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


// Qt's own converter for UTF-8, UTF-16 and UTF-32 by name.
std::optional<QStringConverter::Encoding> builtIn(QStringView name)
{
    return QStringConverter::encodingForName(name.toLatin1().constData());
}

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

bool isAscii(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i) {
        if (p[i] & 0x80)
            return false;
    }
    return true;
}

// The editor turns U+FDD0 and U+FDD1, its own frame marks, into line breaks; a page holding
// them stays in code page 1252, which keeps their bytes.
bool holdsFrameMarks(QStringView text)
{
    return text.contains(QChar(0xFDD0)) || text.contains(QChar(0xFDD1));
}

bool holdsFrameMarksUtf8(QByteArrayView bytes)
{
    // Looking for the lead byte alone is several times faster than for the pair.
    for (qsizetype pos = bytes.indexOf('\xEF'); pos >= 0; pos = bytes.indexOf('\xEF', pos + 1)) {
        if (pos + 2 < bytes.size() && bytes[pos + 1] == '\xB7'
            && (bytes[pos + 2] == '\x90' || bytes[pos + 2] == '\x91'))
            return true;
    }
    return false;
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

QByteArray numericReference(char32_t codePoint)
{
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
        codePoint = 0xFFFD; // a broken pair cannot be named by a reference
    return "&#" + QByteArray::number(quint32(codePoint)) + ';';
}

// The text with its line breaks, U+2029 or "\n", as CR LF.
QString withCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0x2029 || c == u'\n') {
            out.append(text.sliced(start, i - start));
            out.append(u"\r\n");
            start = i + 1;
        }
    }
    out.append(text.sliced(start));
    return out;
}

// Encodes a text with a converter by name, writing what the encoding cannot hold as numeric
// character references. The converters here replace such a character by a substitute and
// report an error, and cannot be reset after one; a text counts as held only when its bytes
// also decode back to it.
class NamedEncoder
{
public:
    explicit NamedEncoder(const QByteArray &name) : m_name(name) {}

    QByteArray encode(QStringView text)
    {
        QByteArray bytes;
        if (encodesExactly(text, bytes))
            return bytes;
        // Some character cannot be held: each distinct character is tried once on its own, and
        // the runs between those that fail go through one converter.
        QStringEncoder encoder(m_name.constData());
        QByteArray out;
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < 0x80)
                continue;
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size()
                    && text[i + 1].isLowSurrogate() ? 2 : 1;
            const char32_t codePoint = length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                                   : char32_t(text[i].unicode());
            if (!holds(codePoint, text.sliced(i, length))) {
                out += encoder.encode(text.sliced(runStart, i - runStart));
                out += numericReference(codePoint);
                runStart = i + length;
            }
            i += length - 1;
        }
        out += encoder.encode(text.sliced(runStart));
        return out;
    }

private:
    bool encodesExactly(QStringView piece, QByteArray &bytes) const
    {
        QStringEncoder encoder(m_name.constData());
        bytes = encoder.encode(piece);
        if (encoder.hasError())
            return false;
        QStringDecoder decoder(m_name.constData());
        const QString back = decoder.decode(bytes);
        return !decoder.hasError() && back == piece;
    }

    bool holds(char32_t codePoint, QStringView character)
    {
        auto known = m_holds.constFind(codePoint);
        if (known == m_holds.cend()) {
            QByteArray bytes;
            known = m_holds.insert(codePoint, encodesExactly(character, bytes));
        }
        return *known;
    }

    QByteArray m_name;
    QHash<char32_t, bool> m_holds;
};

// A single-byte encoding as a table, read once from its converter: a byte stands for a
// character when the converter decodes it to that character and encodes the character back to
// it. Writing a large page through the table takes milliseconds; through the converter, which
// must also be checked by decoding, it took a quarter of a second at every keystroke.
class SingleByteTable
{
public:
    static const SingleByteTable &forName(const QByteArray &name)
    {
        static QHash<QByteArray, std::shared_ptr<const SingleByteTable>> tables;
        auto &table = tables[name];
        if (!table)
            table = std::make_shared<const SingleByteTable>(name);
        return *table;
    }

    explicit SingleByteTable(const QByteArray &name)
    {
        m_byte.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            QStringDecoder decoder(name.constData());
            const QString character = decoder.decode(QByteArrayView(&byte, 1));
            if (decoder.hasError() || character.size() != 1 || character[0].isSurrogate())
                continue;
            QStringEncoder encoder(name.constData());
            const QByteArray back = encoder.encode(character);
            if (!encoder.hasError() && back == QByteArrayView(&byte, 1))
                m_byte[character[0].unicode()] = qint16(b);
        }
        m_byte[u'\n'] = -1; // a line break, written as CR LF
    }

    // Line breaks (U+2029 or "\n") as CR LF, what the encoding cannot hold as references.
    QByteArray encodeDocument(QStringView rawText) const
    {
        // One byte a character is the rule; the output grows only for breaks and references.
        const qsizetype n = rawText.size();
        QByteArray out(n + n / 16, Qt::Uninitialized);
        char *dst = out.data();
        qsizetype written = 0;
        const auto makeRoom = [&](qsizetype extra, qsizetype i) {
            const qsizetype needed = written + extra + (n - i - 1);
            if (needed > out.size()) {
                out.resize(std::max(needed, out.size() + out.size() / 2));
                dst = out.data();
            }
        };
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = rawText[i].unicode();
            const qint16 byte = m_byte[c];
            if (byte >= 0) {
                dst[written++] = char(byte);
            } else if (c == 0x2029 || c == u'\n') {
                makeRoom(2, i);
                dst[written++] = '\r';
                dst[written++] = '\n';
            } else {
                const bool pair = QChar::isHighSurrogate(c) && i + 1 < n
                                  && rawText[i + 1].isLowSurrogate();
                const QByteArray reference = numericReference(
                    pair ? QChar::surrogateToUcs4(c, rawText[i + 1].unicode()) : char32_t(c));
                i += pair ? 1 : 0;
                makeRoom(reference.size(), i);
                std::memcpy(dst + written, reference.constData(), reference.size());
                written += reference.size();
            }
        }
        out.truncate(written);
        return out;
    }

private:
    std::array<qint16, 0x10000> m_byte; // by character; -1 where no byte stands for it
};

// UTF-8 goes line by line through Qt's own encoder, which is the fast way for a large page.
QByteArray encodeUtf8Document(QStringView rawText, QByteArrayView byteOrderMark)
{
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QByteArray out(byteOrderMark.size() + encoder.requiredSpace(rawText.size()), Qt::Uninitialized);
    char *dst = out.data();
    if (!byteOrderMark.isEmpty()) // memcpy wants a real source even for no bytes
        std::memcpy(dst, byteOrderMark.data(), byteOrderMark.size());
    dst += byteOrderMark.size();
    qsizetype start = 0;
    while (true) {
        const qsizetype end = rawText.indexOf(QChar::ParagraphSeparator, start);
        dst = encoder.appendToBuffer(dst, rawText.sliced(start, (end < 0 ? rawText.size() : end) - start));
        if (end < 0)
            break;
        *dst++ = '\r'; // the three bytes of U+2029 leave room for these two
        *dst++ = '\n';
        start = end + 1;
    }
    out.truncate(dst - out.data());
    return out;
}

} // namespace

PageEncoding PageEncoding::fromLabel(QByteArrayView label)
{
    PageEncoding invalid;
    invalid.m_valid = false;
    const QByteArray name = encodingForLabel(label).toByteArray();
    // In an HTML page a UTF-16 label stands for UTF-8, x-user-defined for code page 1252.
    if (name == "windows-1252" || name == "x-user-defined")
        return PageEncoding();
    if (name == "UTF-8" || name.startsWith("UTF-16"))
        return PageEncoding(Kind::Utf8);
    if (name.isEmpty() || name == "ISO-2022-JP" || name == "replacement"
        || !QStringEncoder(name.constData()).isValid() || !QStringDecoder(name.constData()).isValid())
        return invalid;
    return PageEncoding(Kind::Named, name);
}

QString PageEncoding::name() const
{
    switch (m_kind) {
    case Kind::CodePage1252: return QStringLiteral("windows-1252");
    case Kind::Utf8: return QStringLiteral("UTF-8");
    case Kind::Utf16LE: return QStringLiteral("UTF-16LE");
    case Kind::Utf16BE: return QStringLiteral("UTF-16BE");
    case Kind::Utf32LE: return QStringLiteral("UTF-32LE");
    case Kind::Utf32BE: return QStringLiteral("UTF-32BE");
    case Kind::Named: break;
    }
    return QString::fromLatin1(m_name);
}

PageEncoding PageEncoding::withByteOrderMark() const
{
    PageEncoding marked = *this;
    marked.m_byteOrderMark = true;
    return marked;
}

QByteArray PageEncoding::byteOrderMark() const
{
    if (!m_byteOrderMark)
        return {};
    switch (m_kind) {
    case Kind::Utf8: return QByteArray("\xEF\xBB\xBF");
    case Kind::Utf16LE: return QByteArray("\xFF\xFE");
    case Kind::Utf16BE: return QByteArray("\xFE\xFF");
    case Kind::Utf32LE: return QByteArray("\xFF\xFE\x00\x00", 4);
    case Kind::Utf32BE: return QByteArray("\x00\x00\xFE\xFF", 4);
    default: return {};
    }
}

QString PageEncoding::decode(QByteArrayView bytes) const
{
    const QByteArray mark = byteOrderMark();
    if (!mark.isEmpty() && bytes.startsWith(mark))
        bytes = bytes.sliced(mark.size());
    switch (m_kind) {
    case Kind::CodePage1252:
        return CodePage1252::decode(bytes);
    case Kind::Named: {
        QStringDecoder decoder(m_name.constData());
        return decoder.decode(bytes);
    }
    default: {
        // A second byte-order mark is a character of the page.
        QStringDecoder decoder(*builtIn(name()), QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(bytes);
    }
    }
}

QByteArray PageEncoding::encodeDocument(QStringView rawText) const
{
    switch (m_kind) {
    case Kind::CodePage1252:
        return CodePage1252::encodeDocument(rawText);
    case Kind::Utf8:
        return encodeUtf8Document(rawText, byteOrderMark());
    case Kind::Named:
        if (isSingleByte(m_name))
            return SingleByteTable::forName(m_name).encodeDocument(rawText);
        return NamedEncoder(m_name).encode(withCrLf(rawText));
    default: {
        // UTF-16 and UTF-32 hold every character.
        QStringEncoder encoder(*builtIn(name()), QStringConverter::Flag::Stateless);
        return byteOrderMark() + QByteArray(encoder.encode(withCrLf(rawText)));
    }
    }
}

qsizetype PageEncoding::byteLength(QStringView text) const
{
    const auto isBreak = [](char16_t c) { return c == 0x2029 || c == u'\n'; };
    qsizetype length = 0;
    switch (m_kind) {
    case Kind::CodePage1252:
        for (const QChar c : text)
            length += isBreak(c.unicode()) ? 2 : 1;
        return length;
    case Kind::Utf8:
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            length += u < 0x80 ? 1 : u < 0x800 ? 2 : isBreak(u) ? 2 : c.isSurrogate() ? 2 : 3;
        }
        return length;
    case Kind::Utf16LE:
    case Kind::Utf16BE:
        for (const QChar c : text)
            length += isBreak(c.unicode()) ? 4 : 2;
        return length;
    case Kind::Utf32LE:
    case Kind::Utf32BE:
        for (const QChar c : text)
            length += isBreak(c.unicode()) ? 8 : c.isSurrogate() ? 2 : 4;
        return length;
    case Kind::Named:
        if (!isSingleByte(m_name))
            break;
        for (qsizetype i = 0; i < text.size(); ++i) {
            // A pair of surrogates stands for one character and its one substitute.
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            length += isBreak(text[i].unicode()) ? 2 : 1;
        }
        return length;
    }
    if (text.isEmpty())
        return 0;
    QStringEncoder encoder(m_name.constData());
    return QByteArray(encoder.encode(withCrLf(text))).size();
}

bool PageEncoding::roundTrips(QByteArrayView bytes, QString *text) const
{
    const QByteArray mark = byteOrderMark();
    if (!bytes.startsWith(mark))
        return false;
    const QByteArrayView body = bytes.sliced(mark.size());
    switch (m_kind) {
    case Kind::CodePage1252:
        return true;
    case Kind::Utf8:
        return body.isValidUtf8() && !holdsFrameMarksUtf8(body);
    case Kind::Named: {
        QStringDecoder decoder(m_name.constData());
        QString decoded = decoder.decode(body);
        if (decoder.hasError() || holdsFrameMarks(decoded))
            return false;
        QStringEncoder encoder(m_name.constData());
        const QByteArray again = encoder.encode(decoded);
        if (encoder.hasError() || again != body)
            return false;
        *text = std::move(decoded);
        return true;
    }
    default: {
        QString decoded = decode(bytes);
        QStringEncoder encoder(*builtIn(name()), QStringConverter::Flag::Stateless);
        const QByteArray again = encoder.encode(decoded);
        if (encoder.hasError() || again != body || holdsFrameMarks(decoded))
            return false;
        *text = std::move(decoded);
        return true;
    }
    }
}

QByteArray declaredEncodingName(QByteArrayView bytes)
{
    return Prescan(bytes.first(std::min<qsizetype>(bytes.size(), 1024))).encodingName();
}

PageEncoding choosePageEncoding(QByteArrayView bytes, QString *text)
{
    using Kind = PageEncoding::Kind;
    QString decoded;
    const auto chosen = [&](const PageEncoding &encoding) {
        if (text)
            *text = std::move(decoded);
        return encoding;
    };
    // UTF-32 LE before UTF-16 LE, whose mark it starts with.
    for (const Kind kind : {Kind::Utf8, Kind::Utf32LE, Kind::Utf32BE, Kind::Utf16LE, Kind::Utf16BE}) {
        const PageEncoding marked = PageEncoding(kind).withByteOrderMark();
        if (bytes.startsWith(marked.byteOrderMark()) && marked.roundTrips(bytes, &decoded))
            return chosen(marked);
    }
    const QByteArray declaredName = declaredEncodingName(bytes);
    // Only a UTF-16 XML declaration names UTF-16 without a byte-order mark.
    const PageEncoding declared = declaredName == "UTF-16LE" ? PageEncoding(Kind::Utf16LE)
        : declaredName == "UTF-16BE"                        ? PageEncoding(Kind::Utf16BE)
                                                            : PageEncoding::fromLabel(declaredName);
    if (declared.isValid() && declared.roundTrips(bytes, &decoded))
        return chosen(declared);
    if (!isAscii(bytes) && PageEncoding(Kind::Utf8).roundTrips(bytes, &decoded))
        return chosen(PageEncoding(Kind::Utf8));
    return chosen(PageEncoding());
}

DecodedPage decodePage(QByteArrayView bytes)
{
    DecodedPage page;
    QString decoded;
    page.encoding = choosePageEncoding(bytes, &decoded);
    page.text = decoded.isNull() ? page.encoding.decode(bytes) : std::move(decoded);
    return page;
}
