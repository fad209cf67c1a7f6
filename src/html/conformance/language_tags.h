#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// A language tag by BCP 47 ("de", "de-AT", "sr-Latn-RS", "zh-yue"): its form, whether its
// language, script and region subtags exist, and as a warning those that are deprecated or
// needless (the script a language is written in anyway).
ValueCheck checkLanguageTag(QStringView value);
