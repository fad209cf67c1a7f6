#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// A srcset ("klein.jpg 480w, gross.jpg 1080w" or "bild.jpg, bild-2x.jpg 2x"): each address
// valid, at most one descriptor each, widths above zero where sizes is given and densities
// otherwise, and no width or density twice.
ValueCheck checkSrcset(QStringView value, bool hasSizes);
