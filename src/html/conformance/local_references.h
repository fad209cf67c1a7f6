#pragma once

#include "html/conformance/finding.h"

#include <QList>
#include <QString>

class HtmlDocument;

// The page's links and pictures that lead nowhere on the author's own disk: the files its
// relative addresses name (href, src, srcset, poster, data, background, url(...) in a style,
// action), looked up from `pageFolder`, with the case of every name checked, since web servers
// tell Garten.jpg from garten.jpg; and the "#name" links within the page, which must name an
// id (or an old <a name>). Addresses with a scheme (http:, mailto:, data:, ...) or a host of
// their own (//...) and those from the server's root (/...) are not looked up; with an empty
// `pageFolder` no file is. A finding's span is the address in its attribute's value.
QList<Finding> checkLocalReferences(const HtmlDocument &document, const QString &pageFolder);
