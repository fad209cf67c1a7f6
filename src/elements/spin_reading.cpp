#include "elements/spin_reading.h"

#include <limits>

namespace SpinReading {

namespace {

constexpr qint64 int32Min = std::numeric_limits<qint32>::min();
constexpr qint64 int32Max = std::numeric_limits<qint32>::max();

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDecimalDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

std::optional<qint32> parseHex(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    // The digits spell a bit pattern: eight F are -1.
    return qint32(quint32(value));
}

std::optional<qint32> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? -int32Min : int32Max;
    qint64 value = 0;
    for (QChar c : text) {
        if (!isDecimalDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}

} // namespace

std::optional<qint32> parse(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    text = text.mid(start);
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X'))
        return parseHex(text.mid(1));
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        return parseHex(text.mid(2));
    return parseDecimal(text);
}

qint32 valueOf(QStringView text, qint32 minimum)
{
    return parse(text).value_or(minimum);
}

qint32 limited(qint64 value, qint32 minimum, qint32 maximum)
{
    if (minimum != maximum)
        return qint32(qBound(qint64(minimum), value, qint64(maximum)));
    return qint32(qBound(int32Min, value, int32Max));
}

qint32 stepped(qint32 value, qint32 delta, qint32 minimum, qint32 maximum)
{
    return limited(qint64(value) + delta, minimum, maximum);
}

bool acceptsTyped(QChar c, QStringView decimalSeparator)
{
    if (c == u'\r')
        return false; // Enter
    if (c.unicode() < 32 || c.unicode() == 127)
        return true;
    if (isDecimalDigit(c) || c == u'+' || c == u'-')
        return true;
    return decimalSeparator.size() == 1 && c == decimalSeparator.front();
}

} // namespace SpinReading
