#pragma once

#include "html/check_protocol.h"

#include <QString>

#include <optional>

// What the reader of one microsyntax finds wrong with a value: the key of its German text, the
// stretch of the value it is about (in UTF-16 code units from the value's start) and, where the
// text needs it, one more word (the bad character, the expected form, the range).
struct ValueProblem
{
    QString key;
    qsizetype position = 0;
    qsizetype length = 0;
    QString detail;
    CheckLevel level = CheckLevel::Error;
};

// No value: the value is well formed.
using ValueCheck = std::optional<ValueProblem>;

inline ValueProblem valueProblem(const char *key, qsizetype position = 0, qsizetype length = 0,
                                 const QString &detail = {})
{
    return ValueProblem{QString::fromLatin1(key), position, length, detail, CheckLevel::Error};
}

inline ValueProblem valueWarning(const char *key, qsizetype position = 0, qsizetype length = 0,
                                 const QString &detail = {})
{
    return ValueProblem{QString::fromLatin1(key), position, length, detail, CheckLevel::Warning};
}

// The same problem seen from a value that holds the checked one at `offset`.
inline ValueCheck shifted(ValueCheck check, qsizetype offset)
{
    if (check)
        check->position += offset;
    return check;
}
