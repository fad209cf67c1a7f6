#include "document/page_encoding.h"

#include "document/codepage1252.h"
#include "html/parser/encoding_prescan.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// The encodings of one byte a character, as the browsers' label table names them.
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

// Qt's own converter for UTF-8, UTF-16 and UTF-32 by name.
std::optional<QStringConverter::Encoding> builtIn(QStringView name)
{
    return QStringConverter::encodingForName(name.toLatin1().constData());
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
    const QByteArray name = encodingNameForLabel(label);
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
