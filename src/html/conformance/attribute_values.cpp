#include "html/conformance/attribute_values.h"

#include "html/conformance/attribute_value_tables.h"
#include "html/conformance/autofill.h"
#include "html/conformance/date_time_syntax.h"
#include "html/conformance/image_candidates.h"
#include "html/conformance/language_tags.h"
#include "html/conformance/media_queries.h"
#include "html/conformance/mime_syntax.h"
#include "html/conformance/url_syntax.h"
#include "html/conformance/value_syntax.h"

#include <QHash>

using namespace AttributeValueTables;

namespace {

// The rules by "element.attribute", the global ones by "*.attribute".
const AttributeValueRule *findRule(const QString &element, const QString &attribute)
{
    static const QHash<QString, const AttributeValueRule *> byName = [] {
        QHash<QString, const AttributeValueRule *> table;
        for (int i = 0; i < ruleCount; ++i) {
            table.insert(QString::fromLatin1(rules[i].element) + u'.' + QString::fromLatin1(rules[i].attribute),
                         &rules[i]);
        }
        return table;
    }();
    if (const AttributeValueRule *rule = byName.value(element + u'.' + attribute))
        return rule;
    return byName.value(QStringLiteral("*.") + attribute);
}

QString attributeValue(const HtmlNode &element, QStringView name)
{
    const auto found = std::find_if(element.attributes.cbegin(), element.attributes.cend(),
                                    [name](const HtmlAttribute &attribute) { return attribute.name == name; });
    return found == element.attributes.cend() ? QString() : found->value;
}

bool hasAttribute(const HtmlNode &element, QStringView name)
{
    return std::any_of(element.attributes.cbegin(), element.attributes.cend(),
                       [name](const HtmlAttribute &attribute) { return attribute.name == name; });
}

QString keywordList(const QStringList &keywords)
{
    QStringList shown;
    for (const QString &keyword : keywords)
        shown.append(keyword.isEmpty() ? QStringLiteral("\u201E\u201C") : keyword);
    return shown.join(u", ");
}

QStringList keywordsOf(const AttributeValueRule &rule)
{
    QStringList keywords = QString::fromLatin1(rule.keywords).split(u' ', Qt::SkipEmptyParts);
    for (QString &keyword : keywords) {
        if (keyword == u"\"\"")
            keyword.clear();
    }
    return keywords;
}

ValueCheck checkKeyword(QStringView value, const QStringList &keywords, Qt::CaseSensitivity sensitivity)
{
    for (const QString &keyword : keywords) {
        if (value.compare(keyword, sensitivity) == 0)
            return {};
    }
    return valueProblem("value-keyword", 0, value.size(), keywordList(keywords));
}

ValueCheck checkBoolean(QStringView value, const QString &name)
{
    if (value.isEmpty() || value.compare(name, Qt::CaseInsensitive) == 0)
        return {};
    return valueProblem("value-boolean", 0, value.size());
}

// Tokens separated by blanks, each checked by `check`.
template<typename Check>
ValueCheck checkEachToken(QStringView value, Check check)
{
    for (qsizetype i = 0; i < value.size();) {
        if (isHtmlSpace(value[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && !isHtmlSpace(value[end]))
            ++end;
        if (ValueCheck problem = check(value.sliced(i, end - i)))
            return shifted(problem, i);
        i = end;
    }
    return {};
}

ValueCheck checkAbsoluteUrlList(QStringView value)
{
    if (trimHtmlSpace(value).isEmpty())
        return valueProblem("url-list-empty", 0, value.size());
    return checkEachToken(value, checkAbsoluteUrl);
}

ValueCheck checkPingUrls(QStringView value)
{
    return checkEachToken(value, [](QStringView url) -> ValueCheck {
        if (ValueCheck problem = checkUrl(url))
            return problem;
        if (!url.startsWith(u"http:", Qt::CaseInsensitive) && !url.startsWith(u"https:", Qt::CaseInsensitive))
            return valueProblem("url-ping-scheme", 0, url.size());
        return {};
    });
}

ValueCheck checkIdReferences(QStringView value)
{
    if (trimHtmlSpace(value).isEmpty())
        return valueProblem("value-id-empty");
    return {};
}

// "any", or sizes such as 16x16 without leading zeros.
ValueCheck checkIconSizes(QStringView value)
{
    if (value.compare(u"any", Qt::CaseInsensitive) == 0)
        return {};
    if (trimHtmlSpace(value).isEmpty())
        return valueProblem("value-icon-sizes", 0, value.size());
    return checkEachToken(value, [](QStringView size) -> ValueCheck {
        const qsizetype x = size.indexOf(u'x', 0, Qt::CaseInsensitive);
        const auto isDimension = [](QStringView digits) {
            return !digits.isEmpty() && digits[0] != u'0' && !checkNonNegativeInteger(digits);
        };
        if (x < 0 || !isDimension(size.first(x)) || !isDimension(size.sliced(x + 1)))
            return valueProblem("value-icon-sizes", 0, size.size(), size.toString());
        return {};
    });
}

ValueCheck checkIntegrity(QStringView value)
{
    return checkEachToken(value, [](QStringView hash) -> ValueCheck {
        if (!hash.startsWith(u"sha256-") && !hash.startsWith(u"sha384-") && !hash.startsWith(u"sha512-"))
            return valueProblem("value-integrity", 0, hash.size());
        return {};
    });
}

ValueCheck checkUtf8(QStringView value, const char *key)
{
    if (value.compare(u"utf-8", Qt::CaseInsensitive) == 0)
        return {};
    return valueProblem(key, 0, value.size());
}

ValueCheck checkBrowsingContextName(QStringView value, bool keywordsAllowed)
{
    if (value.isEmpty())
        return valueProblem("value-browsing-context-empty");
    if (!value.startsWith(u'_'))
        return {};
    if (keywordsAllowed) {
        for (const QStringView keyword : {u"_blank", u"_self", u"_parent", u"_top"}) {
            if (value.compare(keyword, Qt::CaseInsensitive) == 0)
                return {};
        }
        return valueProblem("value-browsing-context-keyword", 0, value.size());
    }
    return valueProblem("value-browsing-context-underscore", 0, 1);
}

ValueCheck checkScriptType(QStringView value)
{
    const QString type = trimHtmlSpace(value).toString().toLower();
    if (type.isEmpty() || type == u"module" || type == u"importmap" || type == u"speculationrules")
        return {};
    if (isJavaScriptMimeType(type))
        return valueWarning("value-script-type-needless", 0, value.size());
    return checkMimeType(value);
}

ValueCheck checkStyleType(QStringView value)
{
    if (value.compare(u"text/css", Qt::CaseInsensitive) == 0)
        return valueWarning("value-style-type-needless", 0, value.size());
    return valueProblem("value-style-type", 0, value.size());
}

// The sizes "auto" only lets a lazily loaded picture choose its own.
ValueCheck checkSizes(const HtmlNode &element, QStringView value)
{
    if (ValueCheck problem = checkSourceSizeList(value))
        return problem;
    const QStringView trimmed = trimHtmlSpace(value);
    if (trimmed.startsWith(u"auto", Qt::CaseInsensitive) && element.name == u"img"
        && attributeValue(element, u"loading").compare(u"lazy", Qt::CaseInsensitive) != 0)
        return valueProblem("value-sizes-auto", 0, value.size());
    return {};
}

ValueCheck checkSrcsetOf(const HtmlNode &element, const HtmlAttribute &attribute)
{
    const bool hasSizes = hasAttribute(element, attribute.name == u"imagesrcset" ? u"imagesizes" : u"sizes");
    return checkSrcset(attribute.value, hasSizes);
}

QString inputType(const HtmlNode &element)
{
    return attributeValue(element, u"type").trimmed().toLower();
}

ValueCheck checkInputDateLike(QStringView value, const QString &type)
{
    if (type == u"date")
        return checkDate(value);
    if (type == u"month")
        return checkMonth(value);
    if (type == u"week")
        return checkWeek(value);
    if (type == u"time")
        return checkTime(value);
    if (type == u"datetime-local")
        return checkLocalDateTime(value);
    if (type == u"number" || type == u"range")
        return checkFloatingPoint(value);
    return {};
}

ValueCheck checkInputValue(const HtmlNode &element, QStringView value)
{
    const QString type = inputType(element);
    if (value.isEmpty())
        return {};
    if (type == u"color")
        return checkSimpleColor(value);
    if (type == u"url")
        return checkAbsoluteUrl(trimHtmlSpace(value));
    return checkInputDateLike(value, type);
}

ValueCheck checkInputStep(const HtmlNode &element, QStringView value)
{
    if (value.compare(u"any", Qt::CaseInsensitive) == 0)
        return {};
    const QString type = inputType(element);
    // Days, months and weeks step in whole units.
    if (type == u"date" || type == u"month" || type == u"week")
        return checkPositiveInteger(value);
    return checkPositiveFloatingPoint(value);
}

// "5" or "5; URL=seite.html", the address checked like any other.
ValueCheck checkRefresh(QStringView value)
{
    qsizetype i = 0;
    while (i < value.size() && isAsciiDigit(value[i]))
        ++i;
    if (i == 0)
        return valueProblem("value-refresh", 0, value.size());
    if (i == value.size())
        return {};
    if (value[i] != u';' && value[i] != u',')
        return valueProblem("value-refresh", i, 1);
    ++i;
    const qsizetype blanks = i;
    while (i < value.size() && isHtmlSpace(value[i]))
        ++i;
    if (i == blanks || i == value.size())
        return valueProblem("value-refresh", i, i < value.size() ? 1 : 0);
    if (value.sliced(i).startsWith(u"url", Qt::CaseInsensitive)) {
        qsizetype j = i + 3;
        while (j < value.size() && isHtmlSpace(value[j]))
            ++j;
        if (j < value.size() && value[j] == u'=') {
            ++j;
            while (j < value.size() && isHtmlSpace(value[j]))
                ++j;
            i = j;
        }
    }
    return shifted(checkUrl(value.sliced(i)), i);
}

ValueCheck checkContentType(QStringView value)
{
    const qsizetype semicolon = value.indexOf(u';');
    if (semicolon >= 0 && trimHtmlSpace(value.first(semicolon)).compare(u"text/html", Qt::CaseInsensitive) == 0) {
        const QStringView parameter = trimHtmlSpace(value.sliced(semicolon + 1));
        if (parameter.startsWith(u"charset=", Qt::CaseInsensitive)
            && parameter.sliced(8).compare(u"utf-8", Qt::CaseInsensitive) == 0)
            return {};
    }
    return valueProblem("value-content-type", 0, value.size());
}

// Page zoom stays with the reader: a viewport that forbids it is worth a warning.
ValueCheck checkViewport(QStringView value)
{
    for (const QStringView part : value.split(u',')) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString name = trimHtmlSpace(part.first(equals)).toString().toLower();
        const QString setting = trimHtmlSpace(part.sliced(equals + 1)).toString().toLower();
        if ((name == u"user-scalable" && (setting == u"no" || setting == u"0"))
            || (name == u"maximum-scale" && setting.toDouble() > 0 && setting.toDouble() < 2))
            return valueWarning("value-viewport-zoom", part.data() - value.data(), part.size());
    }
    return {};
}

ValueCheck checkMetaContent(const HtmlNode &element, QStringView value)
{
    const QString httpEquiv = attributeValue(element, u"http-equiv").trimmed().toLower();
    if (httpEquiv == u"content-type")
        return checkContentType(value);
    if (httpEquiv == u"refresh")
        return checkRefresh(value);
    if (httpEquiv == u"x-ua-compatible" && value.compare(u"ie=edge", Qt::CaseInsensitive) != 0)
        return valueProblem("value-x-ua-compatible", 0, value.size());
    if (attributeValue(element, u"name").trimmed().compare(u"viewport", Qt::CaseInsensitive) == 0)
        return checkViewport(value);
    return {};
}

ValueCheck checkByType(const AttributeValueRule &rule, const HtmlNode &element, const HtmlAttribute &attribute)
{
    const QStringView value = attribute.value;
    switch (rule.type) {
    case ValueType::Keywords:
        return checkKeyword(value, keywordsOf(rule), Qt::CaseInsensitive);
    case ValueType::CaseSensitiveKeywords:
        return checkKeyword(value, keywordsOf(rule), Qt::CaseSensitive);
    case ValueType::KeywordSet:
        return checkKeywordSet(value, keywordsOf(rule));
    case ValueType::Boolean:
        return checkBoolean(value, attribute.name);
    case ValueType::NonNegativeInteger:
        return checkNonNegativeInteger(value);
    case ValueType::PositiveInteger:
        return checkPositiveInteger(value);
    case ValueType::Integer:
        return checkInteger(value);
    case ValueType::FloatingPoint:
        return checkFloatingPoint(value);
    case ValueType::NonNegativeFloatingPoint:
        return checkNonNegativeFloatingPoint(value);
    case ValueType::PositiveFloatingPoint:
        return checkPositiveFloatingPoint(value);
    case ValueType::ColumnSpan:
        return checkIntegerInRange(value, 1, 1000);
    case ValueType::RowSpan:
        return checkIntegerInRange(value, 0, 65534);
    case ValueType::Url:
        return checkUrlSurroundedBySpaces(value, false);
    case ValueType::NonEmptyUrl:
        return checkUrlSurroundedBySpaces(value, true);
    case ValueType::AbsoluteUrlList:
        return checkAbsoluteUrlList(value);
    case ValueType::PingUrls:
        return checkPingUrls(value);
    case ValueType::Srcset:
        return checkSrcsetOf(element, attribute);
    case ValueType::SourceSizes:
        return checkSizes(element, value);
    case ValueType::IconSizes:
        return checkIconSizes(value);
    case ValueType::MimeType:
        return checkMimeType(value);
    case ValueType::ScriptType:
        return checkScriptType(value);
    case ValueType::StyleType:
        return checkStyleType(value);
    case ValueType::AcceptList:
        return checkAcceptList(value);
    case ValueType::MetaCharset:
        return checkUtf8(value, "value-meta-charset");
    case ValueType::AcceptCharset:
        return checkUtf8(trimHtmlSpace(value), "value-accept-charset");
    case ValueType::ScriptCharset:
        return checkUtf8(value, "value-script-charset");
    case ValueType::MetaContent:
        return checkMetaContent(element, value);
    case ValueType::LanguageTag:
        return checkLanguageTag(value);
    case ValueType::LanguageTagNonEmpty:
        return value.isEmpty() ? ValueCheck(valueProblem("lang-empty")) : checkLanguageTag(value);
    case ValueType::Id:
    case ValueType::IdReference:
        return checkId(value);
    case ValueType::IdReferences:
        return checkIdReferences(value);
    case ValueType::HashNameReference:
        return checkHashNameReference(value);
    case ValueType::AccessKeys:
        return checkAccessKeys(value);
    case ValueType::BrowsingContextTarget:
        return checkBrowsingContextName(value, true);
    case ValueType::BrowsingContextName:
        return checkBrowsingContextName(value, false);
    case ValueType::MediaQueryList:
        return checkMediaQueryList(value);
    case ValueType::Coordinates:
        return checkCoordinates(value, attributeValue(element, u"shape"));
    case ValueType::Autocomplete:
        return checkAutofill(value, element.name != u"input");
    case ValueType::Integrity:
        return checkIntegrity(value);
    case ValueType::DateOrTime:
        return checkDateOrTime(value);
    case ValueType::DateWithOptionalTime:
        return checkDateWithOptionalTime(value);
    case ValueType::InputValue:
        return checkInputValue(element, value);
    case ValueType::InputBound:
        return checkInputDateLike(value, inputType(element));
    case ValueType::InputStep:
        return checkInputStep(element, value);
    }
    return {};
}

// The value as a message shows it: on one line, and not longer than a message should be.
QString shownValue(const QString &value)
{
    QString shown = value.size() > 60 ? value.first(57) + QStringLiteral("\u2026") : value;
    shown.replace(u'\n', u'\u21B5');
    shown.replace(u'\r', u'\u21B5');
    shown.replace(u'\t', u'\u21E5');
    return shown;
}

// Where the problem stands in the page: within the value where its characters stand one for one
// in the source, else (character references) the whole value, or the name of a bare attribute.
SourceSpan placeOf(const HtmlAttribute &attribute, const ValueProblem &problem)
{
    if (!attribute.valueSpan.isValid())
        return attribute.nameSpan;
    if (attribute.valueSpan.length != attribute.value.size())
        return attribute.valueSpan;
    const qsizetype position = qBound<qsizetype>(0, problem.position, attribute.value.size());
    const qsizetype length = qBound<qsizetype>(0, problem.length, attribute.value.size() - position);
    return SourceSpan{attribute.valueSpan.offset + position, length};
}

} // namespace

std::optional<Finding> checkAttributeValue(const HtmlNode &element, const HtmlAttribute &attribute)
{
    if (element.kind != HtmlNode::Kind::Element || element.ns != HtmlNamespace::Html
        || attribute.ns != AttributeNamespace::None)
        return std::nullopt;
    const AttributeValueRule *rule = findRule(element.name, attribute.name);
    if (!rule)
        return std::nullopt;
    const ValueCheck problem = checkByType(*rule, element, attribute);
    if (!problem)
        return std::nullopt;
    Finding finding;
    finding.key = problem->key;
    finding.level = problem->level;
    finding.span = placeOf(attribute, *problem);
    finding.arguments = {attribute.name, shownValue(attribute.value), element.name, problem->detail};
    return finding;
}
