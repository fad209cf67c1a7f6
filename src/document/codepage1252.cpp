#include "document/codepage1252.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace CodePage1252 {
namespace {

// 0x80-0x9F; the unassigned bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to themselves.
constexpr std::array<char16_t, 32> upperControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character outside Latin-1's direct range, or -1.
int byteForSpecial(char32_t c)
{
    for (int i = 0; i < 32; ++i) {
        if (upperControlRange[i] == c)
            return 0x80 + i;
    }
    return -1;
}

// The byte for any character, or -1 when the code page has none.
int byteFor(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    return byteForSpecial(c);
}

// A growing output buffer written through a plain pointer.
class ByteWriter
{
public:
    explicit ByteWriter(qsizetype expected) : m_bytes(expected + 16, Qt::Uninitialized)
    {
        m_next = m_bytes.data();
        m_end = m_next + m_bytes.size();
    }

    // Makes room for at least `count` more bytes and returns where they go.
    char *room(qsizetype count)
    {
        if (m_end - m_next < count) {
            const qsizetype used = m_next - m_bytes.data();
            m_bytes.resize(std::max(m_bytes.size() * 2, used + count));
            m_next = m_bytes.data() + used;
            m_end = m_bytes.data() + m_bytes.size();
        }
        return m_next;
    }
    void advance(char *to) { m_next = to; }

    QByteArray take()
    {
        m_bytes.truncate(m_next - m_bytes.data());
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char *m_next;
    char *m_end;
};

// Writes the bytes for one character that is not plain ASCII; i may step over a surrogate pair.
template <bool document>
void encodeSpecial(QStringView text, qsizetype &i, ByteWriter &out)
{
    const char16_t c = text[i].unicode();
    if (document && c == 0x2029) {
        char *dst = out.room(2);
        dst[0] = '\r';
        dst[1] = '\n';
        out.advance(dst + 2);
        return;
    }
    char32_t codePoint = c;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size()
        && QChar::isLowSurrogate(text[i + 1].unicode())) {
        codePoint = QChar::surrogateToUcs4(c, text[i + 1].unicode());
        ++i;
    } else if (QChar::isSurrogate(c)) {
        codePoint = 0xFFFD; // a broken pair cannot be named by a reference
    }
    const int byte = byteFor(codePoint);
    if (byte >= 0) {
        char *dst = out.room(1);
        *dst = char(byte);
        out.advance(dst + 1);
        return;
    }
    const QByteArray reference = "&#" + QByteArray::number(quint32(codePoint)) + ';';
    char *dst = out.room(reference.size());
    std::memcpy(dst, reference.constData(), reference.size());
    out.advance(dst + reference.size());
}

template <bool document>
QByteArray encodeText(QStringView text)
{
    // Runs of plain ASCII, the bulk of any page, are checked eight characters at a time.
    constexpr quint64 nonAscii = 0xFF80FF80FF80FF80ull;
    const char16_t *src = text.utf16();
    const qsizetype n = text.size();
    ByteWriter out(n + n / 32);
    qsizetype i = 0;
    while (i < n) {
        char *dst = out.room(n - i);
        while (i + 8 <= n) {
            quint64 low, high;
            std::memcpy(&low, src + i, 8);
            std::memcpy(&high, src + i + 4, 8);
            if ((low | high) & nonAscii)
                break;
            for (int k = 0; k < 8; ++k)
                dst[k] = char(src[i + k]);
            dst += 8;
            i += 8;
        }
        while (i < n && src[i] < 0x80)
            *dst++ = char(src[i++]);
        out.advance(dst);
        if (i < n) {
            encodeSpecial<document>(text, i, out);
            ++i;
        }
    }
    return out.take();
}

} // namespace

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return upperControlRange[byte - 0x80];
    return byte;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toUnicode(static_cast<unsigned char>(bytes[i]));
    return text;
}

QByteArray encode(QStringView text)
{
    return encodeText<false>(text);
}

QByteArray encodeDocument(QStringView rawText)
{
    return encodeText<true>(rawText);
}

} // namespace CodePage1252
