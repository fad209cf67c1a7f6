#include "document/codepage1252.h"

#include <array>

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

class Writer
{
public:
    explicit Writer(qsizetype expected) { m_out.resize(expected); }

    void put(char byte)
    {
        if (m_size == m_out.size())
            m_out.resize(m_out.size() * 2 + 16);
        m_out.data()[m_size++] = byte;
    }

    void put(QByteArrayView bytes)
    {
        for (char b : bytes)
            put(b);
    }

    QByteArray take()
    {
        m_out.truncate(m_size);
        return std::move(m_out);
    }

private:
    QByteArray m_out;
    qsizetype m_size = 0;
};

template <bool document>
QByteArray encodeText(QStringView text)
{
    Writer out(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out.put(char(c));
            continue;
        }
        if (document && c == 0x2029) {
            out.put('\r');
            out.put('\n');
            continue;
        }
        char32_t codePoint = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            codePoint = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            codePoint = 0xFFFD; // a broken pair cannot be named by a reference
        }
        const int byte = byteFor(codePoint);
        if (byte >= 0)
            out.put(char(byte));
        else
            out.put(QByteArray("&#") + QByteArray::number(quint32(codePoint)) + ';');
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
