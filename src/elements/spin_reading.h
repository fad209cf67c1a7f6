#pragma once

#include <QChar>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// How a spin field reads, steps and filters its text. The field keeps its value only as text;
// these rules turn that text into a 32-bit number and back.
namespace SpinReading {

// The number the text spells: leading blanks, then an optional sign and decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow. Empty otherwise.
std::optional<qint32> parse(QStringView text);

// The value of the text; text that does not spell a number reads as the minimum.
qint32 valueOf(QStringView text, qint32 minimum);

// The value limited to the bounds; equal bounds mean there are none.
qint32 limited(qint64 value, qint32 minimum, qint32 maximum);

// One step from value by delta. Without bounds a step stops at the ends of the 32-bit range
// instead of wrapping round to the other sign.
qint32 stepped(qint32 value, qint32 delta, qint32 minimum, qint32 maximum);

// Whether a typed character may enter the field: digits, signs, the decimal separator and
// control characters other than Enter.
bool acceptsTyped(QChar c, QStringView decimalSeparator);

} // namespace SpinReading
