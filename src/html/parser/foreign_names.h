#pragma once

#include "html/parser/html_tree.h"

#include <QList>
#include <QString>

// Names in SVG and MathML as the tokenizer lowered them, given back their case and namespace.

// "foreignobject" -> "foreignObject"; any other name as it is.
QString adjustedSvgTagName(const QString &name);
// "viewbox" -> "viewBox" and the like.
void adjustSvgAttributes(QList<HtmlAttribute> &attributes);
// "definitionurl" -> "definitionURL".
void adjustMathMlAttributes(QList<HtmlAttribute> &attributes);
// "xlink:href" -> "href" in XLink, "xml:lang", "xmlns", "xmlns:xlink".
void adjustForeignAttributes(QList<HtmlAttribute> &attributes);
