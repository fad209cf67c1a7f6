#pragma once

#include "html/check_protocol.h"
#include "html/parser/html_tree.h"

#include <QString>
#include <QStringList>

// One thing the check finds, where it stands in the page's text. The key names its German
// text in ConformanceTexts, the arguments fill that text's %1, %2, ...
struct Finding
{
    QString key;
    CheckLevel level = CheckLevel::Error;
    SourceSpan span;
    QStringList arguments;
};
// Moved in memory as a whole when a list of findings grows.
Q_DECLARE_TYPEINFO(Finding, Q_RELOCATABLE_TYPE);
