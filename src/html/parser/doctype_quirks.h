#pragma once

#include "html/parser/html_tree.h"

struct HtmlToken;

// Whether the doctype is one the standard allows: <!DOCTYPE html>, or with the system
// identifier "about:legacy-compat".
bool isConformingDoctype(const HtmlToken &doctype);

// The rendering mode a browser picks from the doctype: old public identifiers mean quirks.
HtmlDocument::QuirksMode quirksModeOf(const HtmlToken &doctype);
