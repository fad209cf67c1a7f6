#pragma once

#include "html/conformance/value_problem.h"

#include <QStringView>

// The autocomplete attribute of a form field: "on", "off", or autofill tokens in their order
// ("section-…", "shipping"/"billing", "home"/"work"/"mobile"/"fax"/"pager", a field name,
// "webauthn"). `multiline` tells whether the field may take several lines (textarea, select):
// only there fits "street-address".
ValueCheck checkAutofill(QStringView value, bool multiline);
