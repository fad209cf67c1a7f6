#include "html/conformance/attribute_rules.h"

#include "html/conformance/attribute_values.h"
#include "html/conformance/content_rules.h"
#include "html/conformance/rule_keys.h"

using namespace Qt::StringLiterals;

namespace {

const QString xhtmlNamespace = QStringLiteral("http://www.w3.org/1999/xhtml");

QString lowerTrimmed(const HtmlAttribute *attribute)
{
    return attribute ? attribute->value.trimmed().toLower() : QString();
}

// The input type whose rules apply: an unknown or missing type is a text field.
QString inputType(const HtmlNode &input)
{
    const QString type = lowerTrimmed(input.attribute(u"type"_s));
    return ConformanceCatalog::inputTypes().contains(type) ? type : QStringLiteral("text");
}

bool isButtonSubmitAttribute(const QString &name)
{
    return name == u"formaction"_s || name == u"formenctype"_s || name == u"formmethod"_s
        || name == u"formnovalidate"_s || name == u"formtarget"_s;
}

// Attributes of <a> and <area> that mean nothing without href.
bool needsHref(const HtmlNode &element, const QString &name)
{
    static const QStringList forLinks = {
        QStringLiteral("target"), QStringLiteral("download"), QStringLiteral("ping"),
        QStringLiteral("rel"), QStringLiteral("hreflang"), QStringLiteral("type"),
        QStringLiteral("referrerpolicy"),
    };
    if (element.name == u"a"_s)
        return forLinks.contains(name);
    return element.name == u"area"_s && (name == u"alt"_s || (forLinks.contains(name) && name != u"hreflang"_s && name != u"type"_s));
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
        if (parent->isElement(u"figure"_s)) {
            for (const HtmlNode *child : parent->children) {
                if (child->isElement(u"figcaption"_s))
                    return true;
            }
            return false;
        }
        if (!parent->isElement(u"a"_s) && !parent->isElement(u"picture"_s))
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

void AttributeRules::enter(const HtmlNode &element, const ElementRule *rule)
{
    if (!rule) {
        if (!isCustomElementName(element.name))
            report(RuleKey::UnknownElement, placeOf(element), {element.name});
        return;
    }
    switch (rule->status) {
    case ElementStatus::ObsoleteWarning:
        report(rule->statusKey, placeOf(element), {element.name}, CheckLevel::Warning);
        if (element.startTag.isValid())
            m_presentational.append(element.startTag);
        break;
    case ElementStatus::ObsoleteError:
    case ElementStatus::NotHtml:
        report(rule->statusKey, placeOf(element), {element.name});
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
    if (name == u"img"_s)
        checkImage(element);
    else if (name == u"meta"_s || name == u"link"_s)
        checkMetaAndLink(element);
    else if (name == u"source"_s)
        checkSource(element);
    else if (name == u"time"_s && !element.attribute(u"datetime"_s))
        checkTimeText(element);
}

void AttributeRules::checkAttribute(const HtmlNode &element, const ElementRule &rule, const HtmlAttribute &attribute)
{
    const QString &name = attribute.name;
    const SourceSpan span = attributeSpan(attribute);
    if (name == u"xmlns"_s) {
        if (attribute.value != xhtmlNamespace)
            report(RuleKey::XmlnsWrong, span, {attribute.value});
        return;
    }
    if (name == u"xml:lang"_s) {
        const HtmlAttribute *lang = element.attribute(u"lang"_s);
        if (!lang || lang->value.compare(attribute.value, Qt::CaseInsensitive) != 0)
            report(RuleKey::XmlLangWithoutLang, span, {});
        return;
    }
    if (!isAllowed(element, rule, name)) {
        const QString obsolete = m_catalog.obsoleteAttributeKey(rule, name);
        if (!obsolete.isNull()) {
            report(obsolete, span, {name, element.name}, CheckLevel::Warning);
            m_presentational.append(span);
        } else {
            report(RuleKey::AttributeNotAllowed, span, {name, element.name});
        }
        return;
    }
    if (rule.status != ElementStatus::Current)
        return;
    if (needsHref(element, name) && !element.attribute(u"href"_s))
        report(RuleKey::AttributeNeedsHref, span, {name, element.name});
    if ((name == u"itemtype"_s || name == u"itemref"_s || name == u"itemid"_s) && !element.attribute(u"itemscope"_s))
        report(RuleKey::AttributeNeedsItemscope, span, {name});
    if ((name == u"defer"_s || name == u"integrity"_s) && element.name == u"script"_s && !element.attribute(u"src"_s))
        report(RuleKey::ScriptAttributeNeedsSrc, span, {name});
    if (element.name == u"input"_s || element.name == u"button"_s)
        checkForType(element, attribute);
    checkValue(element, attribute);
}

bool AttributeRules::isAllowed(const HtmlNode &element, const ElementRule &rule, const QString &name) const
{
    const QString &elementName = element.name;
    if (elementName == u"source"_s && (name == u"src"_s || name == u"srcset"_s || name == u"sizes"_s
                                     || name == u"width"_s || name == u"height"_s)) {
        // <source> in a <picture> names images by srcset, in audio and video media by src.
        const bool inPicture = element.parent && element.parent->isElement(u"picture"_s);
        return inPicture != (name == u"src"_s);
    }
    if (elementName == u"li"_s && name == u"value"_s)
        return element.parent && element.parent->isElement(u"ol"_s);
    // <embed> hands its other attributes to the plugin: any but its obsolete ones.
    if (elementName == u"embed"_s && m_catalog.obsoleteAttributeKey(rule, name).isNull())
        return !name.contains(u':');
    if (rule.attributes.contains(name) || m_catalog.isGlobalAttribute(name) || m_catalog.isEventHandler(name))
        return true;
    if (m_catalog.isWindowEventHandler(name))
        return element.name == u"body"_s;
    if (name.startsWith(u"data-"_s))
        return name.size() > 5 && !name.contains(u':');
    return name.startsWith(u"aria-"_s); // ARIA is not judged yet
}

void AttributeRules::checkForType(const HtmlNode &element, const HtmlAttribute &attribute)
{
    const QString &name = attribute.name;
    if (element.name == u"button"_s) {
        const QString type = lowerTrimmed(element.attribute(u"type"_s));
        if (isButtonSubmitAttribute(name) && (type == u"reset"_s || type == u"button"_s))
            report(RuleKey::AttributeForOtherType, attributeSpan(attribute),
                   {name, element.name, type, QStringLiteral("submit")});
        return;
    }
    // Like the validator, only where the page names a type it knows (a wrong one is told by
    // the value check).
    const QString type = lowerTrimmed(element.attribute(u"type"_s));
    if (!ConformanceCatalog::inputTypes().contains(type))
        return;
    const QStringList types = m_catalog.inputTypesFor(name);
    if (!types.isEmpty() && !types.contains(type))
        report(RuleKey::AttributeForOtherType, attributeSpan(attribute),
               {name, element.name, type, types.join(QStringLiteral(", "))});
}

void AttributeRules::checkRequired(const HtmlNode &element, const ElementRule &rule)
{
    for (const QStringList &oneOf : rule.required) {
        bool present = false;
        for (const QString &name : oneOf)
            present = present || element.attribute(name);
        if (!present)
            report(RuleKey::AttributeMissing, placeOf(element),
                   {element.name, oneOf.join(QStringLiteral("“ oder „"))});
    }
    const QString &name = element.name;
    if (name == u"a"_s && element.attribute(u"name"_s) && !element.attribute(u"href"_s))
        report(RuleKey::ANameWithoutHref, placeOf(element), {});
    else if (name == u"area"_s && element.attribute(u"href"_s) && !element.attribute(u"alt"_s))
        report(RuleKey::AreaWithoutAlt, placeOf(element), {});
    else if (name == u"map"_s && element.attribute(u"id"_s) && element.attribute(u"name"_s)
             && element.attribute(u"id"_s)->value != element.attribute(u"name"_s)->value)
        report(RuleKey::MapIdNotName, placeOf(element), {});
    else if (name == u"input"_s) {
        const QString type = inputType(element);
        if (type == u"image"_s && !element.attribute(u"alt"_s))
            report(RuleKey::InputImageWithoutAlt, placeOf(element), {});
        else if (type == u"button"_s && !hasNonBlank(element.attribute(u"value"_s)))
            report(RuleKey::InputButtonWithoutValue, placeOf(element), {});
    }
}

void AttributeRules::checkImage(const HtmlNode &element)
{
    if (!element.attribute(u"alt"_s) && !hasNonBlank(element.attribute(u"title"_s))
        && !isCaptionedFigureImage(element))
        report(RuleKey::ImgWithoutAlt, placeOf(element), {});
    if (element.attribute(u"sizes"_s) && !element.attribute(u"srcset"_s))
        report(RuleKey::ImgSizesWithoutSrcset, attributeSpan(*element.attribute(u"sizes"_s)), {});
}

void AttributeRules::checkMetaAndLink(const HtmlNode &element)
{
    const bool property = element.attribute(u"property"_s);
    if (element.name == u"meta"_s) {
        const HtmlAttribute *named = nullptr;
        for (const QString &name : {u"name"_s, u"http-equiv"_s, u"itemprop"_s}) {
            if (!named)
                named = element.attribute(name);
        }
        if (!named && !property && !element.attribute(u"charset"_s))
            report(RuleKey::MetaWithoutName, placeOf(element), {});
        else if (named && !element.attribute(u"content"_s) && !property)
            report(RuleKey::MetaWithoutContent, placeOf(element), {named->name});
        return;
    }
    if (!element.attribute(u"href"_s) && !element.attribute(u"imagesrcset"_s))
        report(RuleKey::LinkWithoutHref, placeOf(element), {});
    if (!element.attribute(u"rel"_s) && !element.attribute(u"itemprop"_s) && !property)
        report(RuleKey::LinkWithoutRel, placeOf(element), {});
    if (element.attribute(u"imagesizes"_s) && !element.attribute(u"imagesrcset"_s))
        report(RuleKey::LinkImagesizesWithoutImagesrcset, attributeSpan(*element.attribute(u"imagesizes"_s)), {});
}

void AttributeRules::checkSource(const HtmlNode &element)
{
    const HtmlNode *parent = element.parent;
    if (!parent)
        return;
    if (parent->isElement(u"picture"_s) && !element.attribute(u"srcset"_s))
        report(RuleKey::AttributeMissing, placeOf(element), {element.name, QStringLiteral("srcset")});
    else if ((parent->isElement(u"audio"_s) || parent->isElement(u"video"_s)) && !element.attribute(u"src"_s))
        report(RuleKey::AttributeMissing, placeOf(element), {element.name, QStringLiteral("src")});
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
    report(QString::fromLatin1(key), span, arguments, level);
}

void AttributeRules::report(const QString &key, SourceSpan span, const QStringList &arguments, CheckLevel level)
{
    m_findings.append(Finding{key, level, span, arguments});
}
