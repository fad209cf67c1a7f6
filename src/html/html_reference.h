#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct HtmlElementEntry;

// What the tag help knows about HTML names, read from the generated tables on demand.

// The element of that name (any case), or nullptr.
const HtmlElementEntry *findHtmlElement(QStringView name);
// The attributes an element takes: its own, then the global ones; obsolete ones last. For an
// unknown element, the global ones.
QStringList htmlAttributesOf(QStringView element);
// The German description of an attribute on that element, or an empty text.
QString htmlAttributeDescription(QStringView element, QStringView attribute);

// The tool tip for an element or an attribute name (rich text), or an empty text.
QString htmlElementTip(QStringView element);
QString htmlAttributeTip(QStringView element, QStringView attribute);
