#include "html/parser/foreign_names.h"

#include <QHash>

namespace {

using NameTable = QHash<QString, QString>;

NameTable camelCaseTable(std::initializer_list<const char *> names)
{
    NameTable table;
    for (const char *name : names) {
        const QString camel = QString::fromLatin1(name);
        table.insert(camel.toLower(), camel);
    }
    return table;
}

const NameTable &svgTagNames()
{
    static const NameTable table = camelCaseTable({
        "altGlyph", "altGlyphDef", "altGlyphItem", "animateColor", "animateMotion",
        "animateTransform", "clipPath", "feBlend", "feColorMatrix", "feComponentTransfer",
        "feComposite", "feConvolveMatrix", "feDiffuseLighting", "feDisplacementMap",
        "feDistantLight", "feDropShadow", "feFlood", "feFuncA", "feFuncB", "feFuncG", "feFuncR",
        "feGaussianBlur", "feImage", "feMerge", "feMergeNode", "feMorphology", "feOffset",
        "fePointLight", "feSpecularLighting", "feSpotLight", "feTile", "feTurbulence",
        "foreignObject", "glyphRef", "linearGradient", "radialGradient", "textPath",
    });
    return table;
}

const NameTable &svgAttributeNames()
{
    static const NameTable table = camelCaseTable({
        "attributeName", "attributeType", "baseFrequency", "baseProfile", "calcMode",
        "clipPathUnits", "diffuseConstant", "edgeMode", "filterUnits", "glyphRef",
        "gradientTransform", "gradientUnits", "kernelMatrix", "kernelUnitLength", "keyPoints",
        "keySplines", "keyTimes", "lengthAdjust", "limitingConeAngle", "markerHeight",
        "markerUnits", "markerWidth", "maskContentUnits", "maskUnits", "numOctaves",
        "pathLength", "patternContentUnits", "patternTransform", "patternUnits", "pointsAtX",
        "pointsAtY", "pointsAtZ", "preserveAlpha", "preserveAspectRatio", "primitiveUnits",
        "refX", "refY", "repeatCount", "repeatDur", "requiredExtensions", "requiredFeatures",
        "specularConstant", "specularExponent", "spreadMethod", "startOffset", "stdDeviation",
        "stitchTiles", "surfaceScale", "systemLanguage", "tableValues", "targetX", "targetY",
        "textLength", "viewBox", "viewTarget", "xChannelSelector", "yChannelSelector",
        "zoomAndPan",
    });
    return table;
}

void renameAttributes(QList<HtmlAttribute> &attributes, const NameTable &table)
{
    for (HtmlAttribute &attribute : attributes) {
        const auto found = table.constFind(attribute.name);
        if (found != table.constEnd())
            attribute.name = *found;
    }
}

} // namespace

QString adjustedSvgTagName(const QString &name)
{
    return svgTagNames().value(name, name);
}

void adjustSvgAttributes(QList<HtmlAttribute> &attributes)
{
    renameAttributes(attributes, svgAttributeNames());
}

void adjustMathMlAttributes(QList<HtmlAttribute> &attributes)
{
    for (HtmlAttribute &attribute : attributes) {
        if (attribute.name == u"definitionurl")
            attribute.name = QStringLiteral("definitionURL");
    }
}

void adjustForeignAttributes(QList<HtmlAttribute> &attributes)
{
    struct Rule
    {
        QStringView qualifiedName;
        QStringView localName;
        AttributeNamespace ns;
    };
    static const Rule rules[] = {
        {u"xlink:actuate", u"actuate", AttributeNamespace::XLink},
        {u"xlink:arcrole", u"arcrole", AttributeNamespace::XLink},
        {u"xlink:href", u"href", AttributeNamespace::XLink},
        {u"xlink:role", u"role", AttributeNamespace::XLink},
        {u"xlink:show", u"show", AttributeNamespace::XLink},
        {u"xlink:title", u"title", AttributeNamespace::XLink},
        {u"xlink:type", u"type", AttributeNamespace::XLink},
        {u"xml:lang", u"lang", AttributeNamespace::Xml},
        {u"xml:space", u"space", AttributeNamespace::Xml},
        {u"xmlns", u"xmlns", AttributeNamespace::Xmlns},
        {u"xmlns:xlink", u"xlink", AttributeNamespace::Xmlns},
    };
    for (HtmlAttribute &attribute : attributes) {
        if (!attribute.name.startsWith(u'x'))
            continue;
        for (const Rule &rule : rules) {
            if (attribute.name == rule.qualifiedName) {
                attribute.name = rule.localName.toString();
                attribute.ns = rule.ns;
                break;
            }
        }
    }
}
