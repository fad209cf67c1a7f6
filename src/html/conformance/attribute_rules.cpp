#include "html/conformance/attribute_rules.h"

#include "html/conformance/attribute_values.h"
#include "html/conformance/content_rules.h"
#include "html/conformance/tree_walk.h"

namespace {

const QString xhtmlNamespace = QStringLiteral("http://www.w3.org/1999/xhtml");

QString lowerTrimmed(const HtmlAttribute *attribute)
{
    return attribute ? attribute->value.trimmed().toLower() : QString();
}

// The input type whose rules apply: an unknown or missing type is a text field.
QString inputType(const HtmlNode &input)
{
    const QString type = lowerTrimmed(input.attribute(u"type"));
    return ConformanceCatalog::inputTypes().contains(type) ? type : QStringLiteral("text");
}

bool isButtonSubmitAttribute(const QString &name)
{
    return name == u"formaction" || name == u"formenctype" || name == u"formmethod"
        || name == u"formnovalidate" || name == u"formtarget";
}

// Attributes of <a> and <area> that mean nothing without href.
bool needsHref(const HtmlNode &element, const QString &name)
{
    static const QStringList forLinks = {
        QStringLiteral("target"), QStringLiteral("download"), QStringLiteral("ping"),
        QStringLiteral("rel"), QStringLiteral("hreflang"), QStringLiteral("type"),
        QStringLiteral("referrerpolicy"),
    };
    if (element.name == u"a")
        return forLinks.contains(name);
    return element.name == u"area" && (name == u"alt" || (forLinks.contains(name) && name != u"hreflang" && name != u"type"));
}

bool hasNonBlank(const HtmlAttribute *attribute)
{
    return attribute && !attribute->value.trimmed().isEmpty();
}

// The figure an image stands in as its content, with a caption that describes it.
bool isCaptionedFigureImage(const HtmlNode &image)
{
    const HtmlNode *parent = image.parent;
    for (int step = 0; parent && step < 2; ++step) {
        if (parent->isElement(u"figure")) {
            for (const HtmlNode *child : parent->children) {
                if (child->isElement(u"figcaption"))
                    return true;
            }
            return false;
        }
        if (!parent->isElement(u"a") && !parent->isElement(u"picture"))
            return false;
        parent = parent->parent;
    }
    return false;
}

} // namespace

SourceSpan attributeSpan(const HtmlAttribute &attribute)
{
    if (!attribute.nameSpan.isValid())
        return attribute.valueSpan;
    qsizetype end = attribute.nameSpan.end();
    if (attribute.valueSpan.isValid())
        end = std::max(end, attribute.valueSpan.end());
    return SourceSpan{attribute.nameSpan.offset, end - attribute.nameSpan.offset};
}

AttributeRules::AttributeRules(QList<Finding> &findings)
    : m_findings(findings), m_catalog(ConformanceCatalog::instance())
{
}

void AttributeRules::check(const HtmlDocument &document)
{
    if (document.root())
        walkTree(*document.root(), *this);
}

bool AttributeRules::enter(const HtmlNode &node)
{
    if (node.kind != HtmlNode::Kind::Element)
        return node.kind == HtmlNode::Kind::Document || node.kind == HtmlNode::Kind::DocumentFragment;
    if (node.ns != HtmlNamespace::Html)
        return false; // SVG and MathML are left out
    checkElement(node);
    return true;
}

void AttributeRules::checkElement(const HtmlNode &element)
{
    const ElementRule *rule = m_catalog.element(element.name);
    if (!rule) {
        if (!isCustomElementName(element.name))
            report("unknown-element", placeOf(element), {element.name});
        return;
    }
    switch (rule->status) {
    case ElementStatus::ObsoleteWarning:
        report(rule->statusKey.toLatin1().constData(), placeOf(element), {element.name}, CheckLevel::Warning);
        if (element.startTag.isValid())
            m_presentational.append(element.startTag);
        break;
    case ElementStatus::ObsoleteError:
    case ElementStatus::NotHtml:
        report(rule->statusKey.toLatin1().constData(), placeOf(element), {element.name});
        break;
    case ElementStatus::Current:
        break;
    }
    // An element that is gone from the language is one message; its attributes are not
    // judged on their own. Old presentational ones still name what else is old on them.
    if (rule->status == ElementStatus::ObsoleteError || rule->status == ElementStatus::NotHtml)
        return;
    for (const HtmlAttribute &attribute : element.attributes)
        checkAttribute(element, *rule, attribute);
    if (rule->status != ElementStatus::Current)
        return;
    checkRequired(element, *rule);
    const QString &name = element.name;
    if (name == u"img")
        checkImage(element);
    else if (name == u"meta" || name == u"link")
        checkMetaAndLink(element);
    else if (name == u"source")
        checkSource(element);
    else if (name == u"time" && !element.attribute(u"datetime"))
        checkTimeText(element);
}

void AttributeRules::checkAttribute(const HtmlNode &element, const ElementRule &rule, const HtmlAttribute &attribute)
{
    const QString &name = attribute.name;
    const SourceSpan span = attributeSpan(attribute);
    if (name == u"xmlns") {
        if (attribute.value != xhtmlNamespace)
            report("xmlns-wrong", span, {attribute.value});
        return;
    }
    if (name == u"xml:lang") {
        const HtmlAttribute *lang = element.attribute(u"lang");
        if (!lang || lang->value.compare(attribute.value, Qt::CaseInsensitive) != 0)
            report("xml-lang-without-lang", span, {});
        return;
    }
    if (!isAllowed(element, rule, name)) {
        const QString obsolete = m_catalog.obsoleteAttributeKey(rule, name);
        if (!obsolete.isNull()) {
            report(obsolete.toLatin1().constData(), span, {name, element.name}, CheckLevel::Warning);
            m_presentational.append(span);
        } else {
            report("attribute-not-allowed", span, {name, element.name});
        }
        return;
    }
    if (rule.status != ElementStatus::Current)
        return;
    if (needsHref(element, name) && !element.attribute(u"href"))
        report("attribute-needs-href", span, {name, element.name});
    if ((name == u"itemtype" || name == u"itemref" || name == u"itemid") && !element.attribute(u"itemscope"))
        report("attribute-needs-itemscope", span, {name});
    if ((name == u"defer" || name == u"integrity") && element.name == u"script" && !element.attribute(u"src"))
        report("script-attribute-needs-src", span, {name});
    if (element.name == u"input" || element.name == u"button")
        checkForType(element, attribute);
    checkValue(element, attribute);
}

bool AttributeRules::isAllowed(const HtmlNode &element, const ElementRule &rule, const QString &name) const
{
    const QString &elementName = element.name;
    if (elementName == u"source" && (name == u"src" || name == u"srcset" || name == u"sizes"
                                     || name == u"width" || name == u"height")) {
        // <source> in a <picture> names images by srcset, in audio and video media by src.
        const bool inPicture = element.parent && element.parent->isElement(u"picture");
        return inPicture != (name == u"src");
    }
    if (elementName == u"li" && name == u"value")
        return element.parent && element.parent->isElement(u"ol");
    // <embed> hands its other attributes to the plugin: any but its obsolete ones.
    if (elementName == u"embed" && m_catalog.obsoleteAttributeKey(rule, name).isNull())
        return !name.contains(u':');
    if (rule.attributes.contains(name) || m_catalog.isGlobalAttribute(name) || m_catalog.isEventHandler(name))
        return true;
    if (m_catalog.isWindowEventHandler(name))
        return element.name == u"body";
    if (name.startsWith(u"data-"))
        return name.size() > 5 && !name.contains(u':');
    return name.startsWith(u"aria-"); // ARIA is not judged yet
}

void AttributeRules::checkForType(const HtmlNode &element, const HtmlAttribute &attribute)
{
    const QString &name = attribute.name;
    if (element.name == u"button") {
        const QString type = lowerTrimmed(element.attribute(u"type"));
        if (isButtonSubmitAttribute(name) && (type == u"reset" || type == u"button"))
            report("attribute-for-other-type", attributeSpan(attribute),
                   {name, element.name, type, QStringLiteral("submit")});
        return;
    }
    // Like the validator, only where the page names a type it knows (a wrong one is told by
    // the value check).
    const QString type = lowerTrimmed(element.attribute(u"type"));
    if (!ConformanceCatalog::inputTypes().contains(type))
        return;
    const QStringList types = m_catalog.inputTypesFor(name);
    if (!types.isEmpty() && !types.contains(type))
        report("attribute-for-other-type", attributeSpan(attribute),
               {name, element.name, type, types.join(QStringLiteral(", "))});
}

void AttributeRules::checkRequired(const HtmlNode &element, const ElementRule &rule)
{
    for (const QStringList &oneOf : rule.required) {
        bool present = false;
        for (const QString &name : oneOf)
            present = present || element.attribute(name);
        if (!present)
            report("attribute-missing", placeOf(element),
                   {element.name, oneOf.join(QStringLiteral("“ oder „"))});
    }
    const QString &name = element.name;
    if (name == u"a" && element.attribute(u"name") && !element.attribute(u"href"))
        report("a-name-without-href", placeOf(element), {});
    else if (name == u"area" && element.attribute(u"href") && !element.attribute(u"alt"))
        report("area-without-alt", placeOf(element), {});
    else if (name == u"map" && element.attribute(u"id") && element.attribute(u"name")
             && element.attribute(u"id")->value != element.attribute(u"name")->value)
        report("map-id-not-name", placeOf(element), {});
    else if (name == u"input") {
        const QString type = inputType(element);
        if (type == u"image" && !element.attribute(u"alt"))
            report("input-image-without-alt", placeOf(element), {});
        else if (type == u"button" && !hasNonBlank(element.attribute(u"value")))
            report("input-button-without-value", placeOf(element), {});
    }
}

void AttributeRules::checkImage(const HtmlNode &element)
{
    if (!element.attribute(u"alt") && !hasNonBlank(element.attribute(u"title"))
        && !isCaptionedFigureImage(element))
        report("img-without-alt", placeOf(element), {});
    if (element.attribute(u"sizes") && !element.attribute(u"srcset"))
        report("img-sizes-without-srcset", attributeSpan(*element.attribute(u"sizes")), {});
}

void AttributeRules::checkMetaAndLink(const HtmlNode &element)
{
    const bool property = element.attribute(u"property");
    if (element.name == u"meta") {
        const HtmlAttribute *named = nullptr;
        for (const char16_t *name : {u"name", u"http-equiv", u"itemprop"}) {
            if (!named)
                named = element.attribute(name);
        }
        if (!named && !property && !element.attribute(u"charset"))
            report("meta-without-name", placeOf(element), {});
        else if (named && !element.attribute(u"content") && !property)
            report("meta-without-content", placeOf(element), {named->name});
        return;
    }
    if (!element.attribute(u"href") && !element.attribute(u"imagesrcset"))
        report("link-without-href", placeOf(element), {});
    if (!element.attribute(u"rel") && !element.attribute(u"itemprop") && !property)
        report("link-without-rel", placeOf(element), {});
    if (element.attribute(u"imagesizes") && !element.attribute(u"imagesrcset"))
        report("link-imagesizes-without-imagesrcset", attributeSpan(*element.attribute(u"imagesizes")), {});
}

void AttributeRules::checkSource(const HtmlNode &element)
{
    const HtmlNode *parent = element.parent;
    if (!parent)
        return;
    if (parent->isElement(u"picture") && !element.attribute(u"srcset"))
        report("attribute-missing", placeOf(element), {element.name, QStringLiteral("srcset")});
    else if ((parent->isElement(u"audio") || parent->isElement(u"video")) && !element.attribute(u"src"))
        report("attribute-missing", placeOf(element), {element.name, QStringLiteral("src")});
}

void AttributeRules::checkTimeText(const HtmlNode &element)
{
    // Without datetime, the text itself must be a date or time: judged as that attribute.
    HtmlAttribute text;
    text.name = QStringLiteral("datetime");
    for (const HtmlNode *child : element.children) {
        if (child->kind != HtmlNode::Kind::Text)
            return;
        text.value += child->data;
        if (!text.valueSpan.isValid())
            text.valueSpan = child->startTag;
        else if (child->startTag.isValid())
            text.valueSpan.length = child->startTag.end() - text.valueSpan.offset;
    }
    if (!text.valueSpan.isValid())
        text.valueSpan = SourceSpan{element.startTag.isValid() ? element.startTag.end() : 0, 0};
    checkValue(element, text);
}

void AttributeRules::checkValue(const HtmlNode &element, const HtmlAttribute &attribute)
{
    if (std::optional<Finding> finding = checkAttributeValue(element, attribute))
        m_findings.append(*finding);
}

void AttributeRules::report(const char *key, SourceSpan span, const QStringList &arguments, CheckLevel level)
{
    m_findings.append(Finding{QString::fromLatin1(key), level, span, arguments});
}
