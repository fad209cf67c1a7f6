// The readers of attribute value syntaxes on any text: they end, and what they find lies within
// the value. The first byte picks the attribute, the rest is the value as UTF-16.

#include "html/conformance/attribute_values.h"
#include "html/conformance/date_time_syntax.h"
#include "html/conformance/language_tags.h"
#include "html/conformance/media_queries.h"
#include "html/conformance/url_syntax.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void requireWithin(const ValueCheck &check, qsizetype size)
{
    if (check)
        require(check->position >= 0 && check->length >= 0 && check->position + check->length <= size);
}

struct Target
{
    const char *element;
    const char *attribute;
    const char *type; // the input's type, where it matters
};

const Target targets[] = {
    {"a", "href", nullptr},       {"img", "srcset", nullptr},   {"img", "sizes", nullptr},
    {"img", "width", nullptr},    {"link", "media", nullptr},   {"link", "type", nullptr},
    {"div", "lang", nullptr},     {"time", "datetime", nullptr}, {"del", "datetime", nullptr},
    {"area", "coords", nullptr},  {"input", "value", "week"},   {"input", "step", "date"},
    {"input", "autocomplete", nullptr}, {"input", "accept", nullptr}, {"meta", "content", nullptr},
    {"iframe", "sandbox", nullptr}, {"div", "accesskey", nullptr}, {"link", "sizes", nullptr},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Target &target = targets[data[0] % (sizeof targets / sizeof targets[0])];
    QString value(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(value.data(), data + 1, size_t(value.size()) * sizeof(QChar));

    requireWithin(checkUrl(value), value.size());
    requireWithin(checkDateOrTime(value), value.size());
    requireWithin(checkLanguageTag(value), value.size());
    requireWithin(checkMediaQueryList(value), value.size());
    requireWithin(checkSourceSizeList(value), value.size());

    HtmlNode element;
    element.name = QString::fromLatin1(target.element);
    HtmlAttribute attribute;
    attribute.name = QString::fromLatin1(target.attribute);
    attribute.value = value;
    attribute.valueSpan = {5, value.size()};
    element.attributes.append(attribute);
    if (target.type) {
        HtmlAttribute type;
        type.name = QStringLiteral("type");
        type.value = QString::fromLatin1(target.type);
        element.attributes.append(type);
    }
    if (const std::optional<Finding> finding = checkAttributeValue(element, attribute)) {
        require(!finding->key.isEmpty());
        require(finding->span.offset >= 5 && finding->span.end() <= 5 + value.size());
    }
    return 0;
}
