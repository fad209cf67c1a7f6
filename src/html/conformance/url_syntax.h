#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// Web addresses by the URL standard: what its parser calls a validation error or a failure
// (a blank or a "<" in the path, a "%" without two hexadecimal digits, a backslash, missing
// slashes after "http:", a bad host or port, user and password in the address). Relative
// addresses are read as from a page on the web. "javascript:" addresses are left to the script.

// The address as it stands, relative or absolute.
ValueCheck checkUrl(QStringView value);
// As an attribute may hold it: blanks at either end are allowed; `nonEmpty` wants an address
// besides them.
ValueCheck checkUrlSurroundedBySpaces(QStringView value, bool nonEmpty);
// An address with its scheme ("https://...", "urn:...").
ValueCheck checkAbsoluteUrl(QStringView value);
