#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// Readers of the HTML standard's dates, times and durations, with the calendar's own rules:
// no 31 April, 29 February only in leap years, week 53 only in years that have one.

bool isLeapYear(qint64 year);
int daysInMonth(qint64 year, int month);
// Whether the year by the ISO week calendar has 53 weeks.
bool hasWeek53(qint64 year);

ValueCheck checkYear(QStringView value);
ValueCheck checkMonth(QStringView value);          // 2024-03
ValueCheck checkDate(QStringView value);           // 2024-03-31
ValueCheck checkYearlessDate(QStringView value);   // 03-31
ValueCheck checkTime(QStringView value);           // 14:30, 14:30:15.250
ValueCheck checkLocalDateTime(QStringView value);  // 2024-03-31T14:30
ValueCheck checkTimeZoneOffset(QStringView value); // Z, +01:00, -0530
ValueCheck checkGlobalDateTime(QStringView value); // 2024-03-31T14:30Z
ValueCheck checkWeek(QStringView value);           // 2024-W13
ValueCheck checkDuration(QStringView value);       // PT4H18M3S, 4h 18m 3s

// What <time datetime> may hold: any of the forms above.
ValueCheck checkDateOrTime(QStringView value);
// What <del> and <ins> datetime may hold: a date, or a date with a time and a time zone.
ValueCheck checkDateWithOptionalTime(QStringView value);
