#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// Media queries as media attributes hold them ("screen and (min-width: 40em), print"): their
// grammar, the media types in use today, and the values of the features the standard defines.
ValueCheck checkMediaQueryList(QStringView value);
// The sizes of an image ("(max-width: 600px) 100vw, 50vw"): conditions, then lengths.
ValueCheck checkSourceSizeList(QStringView value);
