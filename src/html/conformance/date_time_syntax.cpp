#include "html/conformance/date_time_syntax.h"

#include "html/conformance/value_syntax.h"

#include <QList>

#include <functional>

bool isLeapYear(qint64 year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(qint64 year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return days[month - 1];
}

namespace {

// The weekday of 1 January, 0 for Monday, by Gauss's rule for the Gregorian calendar.
int weekdayOfNewYear(qint64 year)
{
    const qint64 y = year - 1;
    const qint64 sunday0 = (1 + 5 * (y % 4) + 4 * (y % 100) + 6 * (y % 400)) % 7;
    return int((sunday0 + 6) % 7);
}

} // namespace

bool hasWeek53(qint64 year)
{
    // A year has 53 ISO weeks when it starts on a Thursday, or on a Wednesday in a leap year.
    const int weekday = weekdayOfNewYear(year);
    return weekday == 3 || (weekday == 2 && isLeapYear(year));
}

namespace {

// Reads one form from left to right. A problem of shape (the characters do not fit the form)
// carries the form's own key; a problem of range (a 31 April) carries a key of its own, so that
// a value tried against several forms can tell which form it meant.
class DateTimeReader
{
public:
    DateTimeReader(QStringView value, const char *shapeKey) : m_value(value), m_shapeKey(shapeKey) {}

    bool atEnd() const { return m_pos == m_value.size(); }
    qsizetype position() const { return m_pos; }
    bool peek(char16_t c) const { return m_pos < m_value.size() && m_value[m_pos] == c; }
    bool take(char16_t c)
    {
        if (!peek(c))
            return false;
        ++m_pos;
        return true;
    }

    ValueProblem shape() const
    {
        return valueProblem(m_shapeKey, m_pos, m_pos < m_value.size() ? 1 : 0);
    }
    ValueProblem range(const char *key, qsizetype start, const QString &detail = {}) const
    {
        return valueProblem(key, start, m_pos - start, detail);
    }

    // Exactly `count` digits, or at least `count` when `orMore`.
    std::optional<qint64> digits(int count, bool orMore = false)
    {
        qsizetype end = m_pos;
        while (end < m_value.size() && isAsciiDigit(m_value[end]) && (orMore || end - m_pos < count))
            ++end;
        if (end - m_pos < count)
            return std::nullopt;
        // Years beyond 18 digits are cut for the arithmetic; their calendar is checked alike.
        const qint64 number = m_value.sliced(m_pos, qMin<qsizetype>(end - m_pos, 18)).toLongLong();
        m_pos = end;
        return number;
    }

    ValueCheck year(qint64 *year)
    {
        const qsizetype start = m_pos;
        const auto number = digits(4, true);
        if (!number)
            return shape();
        if (*number == 0)
            return range("value-year-zero", start);
        *year = *number;
        m_yearStart = start;
        m_yearLength = m_pos - start;
        return {};
    }

    ValueCheck month(qint64 *year, int *month)
    {
        if (ValueCheck problem = this->year(year))
            return problem;
        if (!take(u'-'))
            return shape();
        const qsizetype start = m_pos;
        const auto number = digits(2);
        if (!number)
            return shape();
        if (*number < 1 || *number > 12)
            return range("value-month-range", start);
        *month = int(*number);
        return {};
    }

    ValueCheck date()
    {
        qint64 year = 0;
        int month = 0;
        if (ValueCheck problem = this->month(&year, &month))
            return problem;
        return dayOf(year, month);
    }

    ValueCheck dayOf(qint64 year, int month)
    {
        if (!take(u'-'))
            return shape();
        const qsizetype start = m_pos;
        const auto number = digits(2);
        if (!number)
            return shape();
        const int days = daysInMonth(year, month);
        if (*number < 1 || *number > days)
            return range("value-day-range", start, QString::number(days));
        return {};
    }

    ValueCheck time()
    {
        qsizetype start = m_pos;
        const auto hour = digits(2);
        if (!hour)
            return shape();
        if (*hour > 23)
            return range("value-hour-range", start);
        if (!take(u':'))
            return shape();
        start = m_pos;
        const auto minute = digits(2);
        if (!minute)
            return shape();
        if (*minute > 59)
            return range("value-minute-range", start);
        if (!take(u':'))
            return {};
        start = m_pos;
        const auto second = digits(2);
        if (!second)
            return shape();
        if (*second > 59)
            return range("value-second-range", start);
        if (take(u'.')) {
            start = m_pos;
            const auto fraction = digits(1, true);
            if (!fraction)
                return shape();
            if (m_pos - start > 3)
                return range("value-fraction-digits", start);
        }
        return {};
    }

    ValueCheck timeZone()
    {
        if (take(u'Z'))
            return {};
        if (!take(u'+') && !take(u'-'))
            return shape();
        qsizetype start = m_pos;
        const bool minus = m_value[m_pos - 1] == u'-';
        const auto hours = digits(2);
        if (!hours)
            return shape();
        if (*hours > 23)
            return range("value-timezone-hour-range", start);
        take(u':');
        const qsizetype minuteStart = m_pos;
        const auto minutes = digits(2);
        if (!minutes)
            return shape();
        if (*minutes > 59)
            return range("value-minute-range", minuteStart);
        const qint64 offset = *hours * 60 + *minutes;
        if (minus && offset == 0)
            return range("value-timezone-minus-zero", start - 1);
        // Offsets beyond those in use on Earth, or not on a quarter hour, are likely a slip of the hand.
        if (offset > (minus ? 12 * 60 : 14 * 60))
            m_warning = valueWarning("value-timezone-unusual", start - 1, m_pos - start + 1);
        else if (*minutes != 0 && *minutes != 30 && *minutes != 45)
            m_warning = valueWarning("value-timezone-minutes", minuteStart, 2);
        return {};
    }

    ValueCheck end()
    {
        if (!atEnd())
            return shape();
        return m_warning;
    }

    // A year with fewer or more digits than a year of our time is likely mistyped.
    void warnOfUnusualYear(qint64 year)
    {
        if ((year < 1000 || year > 2999) && !m_warning)
            m_warning = valueWarning("value-year-unusual", m_yearStart, m_yearLength, QString::number(year));
    }

private:
    QStringView m_value;
    const char *m_shapeKey;
    qsizetype m_pos = 0;
    qsizetype m_yearStart = 0;
    qsizetype m_yearLength = 0;
    ValueCheck m_warning;
};

template<typename Steps>
ValueCheck readForm(QStringView value, const char *shapeKey, Steps steps)
{
    DateTimeReader reader(value, shapeKey);
    if (ValueCheck problem = steps(reader))
        return problem;
    return reader.end();
}

} // namespace

ValueCheck checkYear(QStringView value)
{
    return readForm(value, "value-year", [](DateTimeReader &r) -> ValueCheck {
        qint64 year = 0;
        if (ValueCheck problem = r.year(&year))
            return problem;
        r.warnOfUnusualYear(year);
        return {};
    });
}

ValueCheck checkMonth(QStringView value)
{
    return readForm(value, "value-month", [](DateTimeReader &r) -> ValueCheck {
        qint64 year = 0;
        int month = 0;
        if (ValueCheck problem = r.month(&year, &month))
            return problem;
        r.warnOfUnusualYear(year);
        return {};
    });
}

namespace {

ValueCheck readDate(DateTimeReader &r)
{
    qint64 year = 0;
    int month = 0;
    if (ValueCheck problem = r.month(&year, &month))
        return problem;
    if (ValueCheck problem = r.dayOf(year, month))
        return problem;
    r.warnOfUnusualYear(year);
    return {};
}

ValueCheck readDateAndTime(DateTimeReader &r)
{
    if (ValueCheck problem = readDate(r))
        return problem;
    if (!r.take(u'T') && !r.take(u' '))
        return r.shape();
    return r.time();
}

} // namespace

ValueCheck checkDate(QStringView value)
{
    return readForm(value, "value-date", readDate);
}

ValueCheck checkYearlessDate(QStringView value)
{
    return readForm(value, "value-yearless-date", [](DateTimeReader &r) -> ValueCheck {
        const qsizetype start = r.position();
        const auto month = r.digits(2);
        if (!month)
            return r.shape();
        if (*month < 1 || *month > 12)
            return r.range("value-month-range", start);
        // Without a year, 29 February may be meant.
        return r.dayOf(2000, int(*month));
    });
}

ValueCheck checkTime(QStringView value)
{
    return readForm(value, "value-time", [](DateTimeReader &r) { return r.time(); });
}

ValueCheck checkLocalDateTime(QStringView value)
{
    return readForm(value, "value-local-date-time", readDateAndTime);
}

ValueCheck checkTimeZoneOffset(QStringView value)
{
    return readForm(value, "value-timezone", [](DateTimeReader &r) { return r.timeZone(); });
}

ValueCheck checkGlobalDateTime(QStringView value)
{
    return readForm(value, "value-global-date-time", [](DateTimeReader &r) -> ValueCheck {
        if (ValueCheck problem = readDateAndTime(r))
            return problem;
        return r.timeZone();
    });
}

ValueCheck checkWeek(QStringView value)
{
    return readForm(value, "value-week", [](DateTimeReader &r) -> ValueCheck {
        qint64 year = 0;
        if (ValueCheck problem = r.year(&year))
            return problem;
        if (!r.take(u'-') || !r.take(u'W'))
            return r.shape();
        const qsizetype start = r.position();
        const auto week = r.digits(2);
        if (!week)
            return r.shape();
        const int weeks = hasWeek53(year) ? 53 : 52;
        if (*week < 1 || *week > weeks)
            return r.range("value-week-range", start, QString::number(weeks));
        r.warnOfUnusualYear(year);
        return {};
    });
}

namespace {

// "P" [n "D"] ["T" [n "H"] [n "M"] [n ["." n] "S"]], with at least one part.
ValueCheck readIsoDuration(DateTimeReader &r)
{
    if (!r.take(u'P'))
        return r.shape();
    bool any = false;
    if (r.digits(1, true)) {
        if (!r.take(u'D'))
            return r.shape();
        any = true;
    }
    if (r.take(u'T')) {
        // Hours, minutes and seconds in this order, each at most once; a fraction only on seconds.
        const QStringView units = u"HMS";
        qsizetype next = 0;
        bool anyTime = false;
        while (r.digits(1, true)) {
            const bool fraction = r.take(u'.');
            if (fraction && !r.digits(1, true))
                return r.shape();
            qsizetype unit = next;
            while (unit < units.size() && !r.peek(units[unit].unicode()))
                ++unit;
            if (unit == units.size() || (fraction && units[unit] != u'S'))
                return r.shape();
            r.take(units[unit].unicode());
            next = unit + 1;
            anyTime = true;
        }
        if (!anyTime)
            return r.shape();
        any = true;
    }
    if (!any)
        return r.shape();
    return {};
}

// Numbers with the units w, d, h, m, s, blanks between them allowed; a fraction only on seconds.
ValueCheck readSpacedDuration(DateTimeReader &r, QStringView value)
{
    bool any = false;
    while (!r.atEnd()) {
        if (isHtmlSpace(value[r.position()])) {
            r.take(value[r.position()].unicode());
            continue;
        }
        if (!r.digits(1, true))
            return r.shape();
        bool fraction = false;
        if (r.take(u'.')) {
            if (!r.digits(1, true))
                return r.shape();
            fraction = true;
        }
        while (!r.atEnd() && isHtmlSpace(value[r.position()]))
            r.take(value[r.position()].unicode());
        if (r.atEnd())
            return r.shape();
        const QChar unit = value[r.position()].toLower();
        if (!QStringView(u"wdhms").contains(unit) || (fraction && unit != u's'))
            return r.shape();
        r.take(value[r.position()].unicode());
        any = true;
    }
    if (!any)
        return r.shape();
    return {};
}

} // namespace

ValueCheck checkDuration(QStringView value)
{
    if (value.startsWith(u'P'))
        return readForm(value, "value-duration", readIsoDuration);
    return readForm(value, "value-duration", [value](DateTimeReader &r) { return readSpacedDuration(r, value); });
}

namespace {

bool isShapeProblem(const ValueProblem &problem, const QList<const char *> &shapeKeys)
{
    for (const char *key : shapeKeys) {
        if (problem.key == QLatin1StringView(key))
            return true;
    }
    return false;
}

// Tries the forms in turn: a value that fits one is right (perhaps with a warning); else the
// problem of a form whose shape it had (a 31 April), else the combined form's key.
ValueCheck checkAnyForm(QStringView value, const QList<ValueCheck (*)(QStringView)> &forms,
                        const char *combinedKey)
{
    static const QList<const char *> shapeKeys = {
        "value-year", "value-month", "value-date", "value-yearless-date", "value-time",
        "value-local-date-time", "value-timezone", "value-global-date-time", "value-week",
        "value-duration"};
    ValueCheck warning;
    ValueCheck rangeProblem;
    for (const auto form : forms) {
        const ValueCheck result = form(value);
        if (!result)
            return {};
        if (result->level == CheckLevel::Warning) {
            if (!warning)
                warning = result;
        } else if (!isShapeProblem(*result, shapeKeys) && !rangeProblem) {
            rangeProblem = result;
        }
    }
    if (warning)
        return warning;
    if (rangeProblem)
        return rangeProblem;
    return valueProblem(combinedKey, 0, value.size());
}

} // namespace

ValueCheck checkDateOrTime(QStringView value)
{
    return checkAnyForm(value,
                        {checkMonth, checkDate, checkYearlessDate, checkTime, checkLocalDateTime,
                         checkTimeZoneOffset, checkGlobalDateTime, checkWeek, checkYear, checkDuration},
                        "value-date-or-time");
}

ValueCheck checkDateWithOptionalTime(QStringView value)
{
    return checkAnyForm(value, {checkDate, checkGlobalDateTime}, "value-date-optional-time");
}
