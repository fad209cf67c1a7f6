#include "html/conformance/value_syntax.h"

#include <QSet>

bool isHtmlSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\f' || u == u'\r';
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

QStringView trimHtmlSpace(QStringView value, qsizetype *offset)
{
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && isHtmlSpace(value[start]))
        ++start;
    while (end > start && isHtmlSpace(value[end - 1]))
        --end;
    if (offset)
        *offset = start;
    return value.sliced(start, end - start);
}

QString leadingDigits(QStringView value)
{
    // Every digit of the value, so that "1 000" and "100px" both suggest what was meant.
    QString digits;
    for (const QChar c : value) {
        if (isAsciiDigit(c) && digits.size() < 9)
            digits += c;
    }
    return digits.isEmpty() ? QStringLiteral("1") : digits;
}

namespace {

qsizetype firstNonDigit(QStringView value, qsizetype from)
{
    while (from < value.size() && isAsciiDigit(value[from]))
        ++from;
    return from;
}

// The digits from `from` to the end, or where a non-digit stands.
ValueCheck digitsToEnd(QStringView value, qsizetype from, const char *key, const QString &example)
{
    const qsizetype stop = firstNonDigit(value, from);
    if (stop == from && from == value.size())
        return valueProblem(key, from, 0, example);
    if (stop < value.size())
        return valueProblem(key, stop, 1, example);
    return {};
}

bool isAllZeros(QStringView digits)
{
    for (const QChar c : digits) {
        if (c != u'0')
            return false;
    }
    return true;
}

} // namespace

ValueCheck checkNonNegativeInteger(QStringView value)
{
    if (value.isEmpty())
        return valueProblem("value-number-empty");
    return digitsToEnd(value, 0, "value-non-negative-integer", leadingDigits(value));
}

ValueCheck checkPositiveInteger(QStringView value)
{
    if (value.isEmpty())
        return valueProblem("value-number-empty");
    if (ValueCheck problem = digitsToEnd(value, 0, "value-positive-integer", leadingDigits(value)))
        return problem;
    if (isAllZeros(value))
        return valueProblem("value-zero", 0, value.size());
    return {};
}

ValueCheck checkInteger(QStringView value)
{
    if (value.isEmpty())
        return valueProblem("value-number-empty");
    const qsizetype start = value.startsWith(u'-') ? 1 : 0;
    const QString example = (start ? QStringLiteral("-") : QString()) + leadingDigits(value);
    return digitsToEnd(value, start, "value-integer", example);
}

ValueCheck checkIntegerInRange(QStringView value, int minimum, int maximum)
{
    if (ValueCheck problem = minimum > 0 ? checkPositiveInteger(value) : checkNonNegativeInteger(value))
        return problem;
    // Leading zeros are allowed, so compare without them and without overflowing.
    QStringView digits = value;
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    if (digits.size() > 9 || digits.toInt() > maximum)
        return valueProblem("value-too-large", 0, value.size(), QString::number(maximum));
    if (digits.toInt() < minimum)
        return valueProblem("value-too-small", 0, value.size(), QString::number(minimum));
    return {};
}

namespace {

// A floating-point number by the standard's rules: "-"? digits? ("." digits)? (e|E [+-]? digits)?
// with digits before or after the point. Returns the problem, and in `isZero` whether its
// significand is zero.
ValueCheck readFloatingPoint(QStringView value, bool *isZero, bool *isNegative)
{
    if (value.isEmpty())
        return valueProblem("value-number-empty");
    qsizetype i = 0;
    *isNegative = value.startsWith(u'-');
    if (*isNegative) {
        // The standard allows "-.5"; browsers and the reference checker want a digit first.
        ++i;
        if (i == value.size() || !isAsciiDigit(value[i]))
            return valueProblem("value-float", i, i < value.size() ? 1 : 0);
    }
    const qsizetype integerStart = i;
    i = firstNonDigit(value, i);
    bool zero = isAllZeros(value.sliced(integerStart, i - integerStart));
    const bool hasInteger = i > integerStart;
    bool hasFraction = false;
    if (i < value.size() && value[i] == u'.') {
        const qsizetype fractionStart = ++i;
        i = firstNonDigit(value, i);
        hasFraction = i > fractionStart;
        if (!hasFraction) {
            if (i == value.size() && hasInteger)
                return valueProblem("value-float-trailing-point", i - 1, 1);
            return valueProblem("value-float", i, i < value.size() ? 1 : 0);
        }
        zero = zero && isAllZeros(value.sliced(fractionStart, i - fractionStart));
    }
    if (!hasInteger && !hasFraction)
        return valueProblem("value-float", i, i < value.size() ? 1 : 0);
    if (i < value.size() && (value[i] == u'e' || value[i] == u'E')) {
        ++i;
        if (i < value.size() && (value[i] == u'-' || value[i] == u'+'))
            ++i;
        const qsizetype exponentStart = i;
        i = firstNonDigit(value, i);
        if (i == exponentStart)
            return valueProblem("value-float", i, i < value.size() ? 1 : 0);
    }
    if (i < value.size())
        return valueProblem("value-float", i, 1);
    *isZero = zero;
    return {};
}

} // namespace

ValueCheck checkFloatingPoint(QStringView value)
{
    bool zero = false;
    bool negative = false;
    return readFloatingPoint(value, &zero, &negative);
}

ValueCheck checkNonNegativeFloatingPoint(QStringView value)
{
    bool zero = false;
    bool negative = false;
    if (ValueCheck problem = readFloatingPoint(value, &zero, &negative))
        return problem;
    if (negative && !zero)
        return valueProblem("value-negative", 0, value.size());
    return {};
}

ValueCheck checkPositiveFloatingPoint(QStringView value)
{
    bool zero = false;
    bool negative = false;
    if (ValueCheck problem = readFloatingPoint(value, &zero, &negative))
        return problem;
    if (zero)
        return valueProblem("value-zero", 0, value.size());
    if (negative)
        return valueProblem("value-negative", 0, value.size());
    return {};
}

ValueCheck checkId(QStringView value)
{
    if (value.isEmpty())
        return valueProblem("value-id-empty");
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (isHtmlSpace(value[i]))
            return valueProblem("value-id-blank", i, 1);
    }
    return {};
}

ValueCheck checkHashNameReference(QStringView value)
{
    if (!value.startsWith(u'#'))
        return valueProblem("value-hash-name", 0, qMin<qsizetype>(value.size(), 1), value.toString());
    if (value.size() == 1)
        return valueProblem("value-hash-name-empty", 0, 1);
    return {};
}

ValueCheck checkAccessKeys(QStringView value)
{
    QSet<QStringView> seen;
    qsizetype i = 0;
    while (i < value.size()) {
        if (isHtmlSpace(value[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && !isHtmlSpace(value[end]))
            ++end;
        const QStringView key = value.sliced(i, end - i);
        // One character, which outside the basic plane takes two code units.
        const bool single = key.size() == 1 || (key.size() == 2 && key[0].isHighSurrogate() && key[1].isLowSurrogate());
        if (!single)
            return valueProblem("value-access-key", i, key.size(), key.toString());
        if (seen.contains(key))
            return valueProblem("value-duplicate-token", i, key.size(), key.toString());
        seen.insert(key);
        i = end;
    }
    return {};
}

ValueCheck checkSimpleColor(QStringView value)
{
    if (value.size() != 7 || value[0] != u'#')
        return valueProblem("value-color", 0, value.size());
    for (qsizetype i = 1; i < 7; ++i) {
        const QChar c = value[i];
        if (!isAsciiDigit(c) && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return valueProblem("value-color", i, 1);
    }
    return {};
}

ValueCheck checkCoordinates(QStringView value, QStringView shape)
{
    // A list of valid integers separated by commas, with no blanks.
    QList<int> numbers;
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = value.indexOf(u',', start);
        const QStringView item = value.sliced(start, (comma < 0 ? value.size() : comma) - start);
        if (item.isEmpty() && comma < 0 && numbers.isEmpty() && value.isEmpty())
            break;
        if (ValueCheck problem = checkInteger(item)) {
            problem->key = QStringLiteral("value-coords-number");
            problem->detail.clear();
            return shifted(problem, start);
        }
        numbers.append(item.size() > 9 ? 0 : item.toInt());
        if (comma < 0)
            break;
        start = comma + 1;
    }
    const QString kind = shape.toString().toLower();
    const auto circle = [&]() -> ValueCheck {
        if (numbers.size() != 3)
            return valueProblem("value-coords-circle", 0, value.size());
        if (numbers[2] < 0)
            return valueProblem("value-coords-radius", 0, value.size());
        return {};
    };
    const auto rectangle = [&]() -> ValueCheck {
        if (numbers.size() != 4)
            return valueProblem("value-coords-rect", 0, value.size());
        if (numbers[0] >= numbers[2] || numbers[1] >= numbers[3])
            return valueProblem("value-coords-rect-order", 0, value.size());
        return {};
    };
    const auto polygon = [&]() -> ValueCheck {
        if (numbers.size() < 6 || numbers.size() % 2 != 0)
            return valueProblem("value-coords-poly", 0, value.size());
        return {};
    };
    if (kind == u"circle")
        return circle();
    if (kind == u"poly")
        return polygon();
    if (kind == u"rect")
        return rectangle();
    if (kind == u"default")
        return {};
    // Without a shape the numbers must fit one of them.
    if (!circle() || !rectangle() || !polygon())
        return {};
    return valueProblem("value-coords-any", 0, value.size());
}

ValueCheck checkKeywordSet(QStringView value, const QStringList &allowed)
{
    QSet<QString> seen;
    qsizetype i = 0;
    while (i < value.size()) {
        if (isHtmlSpace(value[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && !isHtmlSpace(value[end]))
            ++end;
        const QString token = value.sliced(i, end - i).toString().toLower();
        if (!allowed.contains(token))
            return valueProblem("value-keyword-in-set", i, end - i, allowed.join(u", "));
        if (seen.contains(token))
            return valueProblem("value-duplicate-token", i, end - i, token);
        seen.insert(token);
        i = end;
    }
    return {};
}
