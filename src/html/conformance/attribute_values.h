#pragma once

#include "html/conformance/finding.h"

#include <optional>

// What is wrong with an attribute's value by the standard's rules for that attribute on that
// element (enumerations, numbers, dates and times, URLs, MIME types, language tags, srcset and
// sizes, ...), or nothing. The finding's span lies within the value.
std::optional<Finding> checkAttributeValue(const HtmlNode &element, const HtmlAttribute &attribute);
