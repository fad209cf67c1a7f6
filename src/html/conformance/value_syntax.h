#pragma once

#include "html/conformance/value_problem.h"

#include <QStringList>
#include <QStringView>

// Readers of the HTML standard's small value syntaxes: numbers, identifiers, keys, colours,
// coordinates. Each says what is wrong with a value, or nothing when it is well formed.

// Tab, line feed, form feed, carriage return and space: the blanks the standard skips or splits on.
bool isHtmlSpace(QChar c);
bool isAsciiDigit(QChar c);
// The value without the blanks at either end; `offset` tells how many were cut at the start.
QStringView trimHtmlSpace(QStringView value, qsizetype *offset = nullptr);
// The digits a value starts with, as an example of the number that was meant ("100" of "100px").
QString leadingDigits(QStringView value);

ValueCheck checkNonNegativeInteger(QStringView value);
ValueCheck checkPositiveInteger(QStringView value);
ValueCheck checkInteger(QStringView value);
// A non-negative integer no greater than `maximum`, and no less than `minimum`.
ValueCheck checkIntegerInRange(QStringView value, int minimum, int maximum);
ValueCheck checkFloatingPoint(QStringView value);
ValueCheck checkNonNegativeFloatingPoint(QStringView value);
ValueCheck checkPositiveFloatingPoint(QStringView value);

// An id and what refers to one: no blank in it and not empty.
ValueCheck checkId(QStringView value);
// "#name", as usemap refers to a <map>.
ValueCheck checkHashNameReference(QStringView value);
// Keys separated by blanks, each a single character.
ValueCheck checkAccessKeys(QStringView value);
// "#" and six hexadecimal digits.
ValueCheck checkSimpleColor(QStringView value);
// The integers of an image map area by its shape (rect, circle, poly, default).
ValueCheck checkCoordinates(QStringView value, QStringView shape);
// Keywords from `allowed`, separated by blanks, each at most once.
ValueCheck checkKeywordSet(QStringView value, const QStringList &allowed);
