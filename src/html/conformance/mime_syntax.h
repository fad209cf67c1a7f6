#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// MIME types as the standard's attributes hold them: "text/html; charset=utf-8".
ValueCheck checkMimeType(QStringView value);
// The same without parameters ("text/css").
ValueCheck checkMimeTypeWithoutParameters(QStringView value);
// What a file field accepts: MIME types, "audio/*", "video/*", "image/*" and ".endings", by commas.
ValueCheck checkAcceptList(QStringView value);
// Whether the type names JavaScript ("text/javascript", "application/ecmascript", ...).
bool isJavaScriptMimeType(QStringView value);
