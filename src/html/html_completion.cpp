#include "html/html_completion.h"

#include "html/html_place.h"
#include "html/html_reference.h"
#include "html/html_tables.h"

#include <QLatin1StringView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void offerElements(HtmlCompletion &completion, bool endTag)
{
    for (int i = 0; i < HtmlTables::elementCount; ++i) {
        const HtmlElementEntry &entry = HtmlTables::elements[i];
        if (entry.status == HtmlStatus::NotHtml || (endTag && entry.isVoid))
            continue;
        const QString name = QString::fromLatin1(entry.name);
        completion.offers.append({name, name + u": "_s + QString::fromUtf8(entry.description)});
    }
}

void offerAttributes(HtmlCompletion &completion, const HtmlPlace &place)
{
    for (const QString &name : htmlAttributesOf(place.element)) {
        if (place.others.contains(name))
            continue;
        completion.offers.append(
            {name, name + u": "_s + htmlAttributeDescription(place.element, name)});
    }
}

// A character the list could not show as itself (a line break, a blank of some width, a
// joiner) is shown by its code.
QString shown(const QString &text)
{
    const bool visible = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() && !c.isSpace() && c.category() != QChar::Other_Format;
    });
    if (visible)
        return text;
    QStringList codes;
    for (const char32_t c : text.toUcs4())
        codes.append(u"U+%1"_s.arg(uint(c), 4, 16, QChar(u'0')).toUpper());
    return codes.join(u' ');
}

// The references' offers are the same each time: made once, on first use, then shared.
const QList<HtmlOffer> &referenceOffers()
{
    static const QList<HtmlOffer> offers = [] {
        QList<HtmlOffer> made;
        made.reserve(HtmlTables::referenceCount);
        for (int i = 0; i < HtmlTables::referenceCount; ++i) {
            const HtmlReferenceEntry &entry = HtmlTables::references[i];
            const QString name = QString::fromLatin1(entry.name);
            made.append({name, u"&"_s + name + u"; "_s + shown(QString::fromUtf8(entry.text))});
        }
        return made;
    }();
    return offers;
}

bool anyFits(const HtmlCompletion &completion, QStringView typed)
{
    const Qt::CaseSensitivity cs = completion.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return std::any_of(completion.offers.begin(), completion.offers.end(),
                       [&](const HtmlOffer &offer) { return offer.name.startsWith(typed, cs); });
}

} // namespace

QList<HtmlOffer> HtmlCompletion::fitting(QStringView typed) const
{
    QList<HtmlOffer> result;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const HtmlOffer &offer : offers) {
        if (offer.name.startsWith(typed, cs))
            result.append(offer);
    }
    return result;
}

HtmlCompletion htmlCompletionAt(QStringView text, qsizetype position)
{
    const HtmlPlace place = htmlPlaceAt(text, position);
    HtmlCompletion completion;
    completion.from = place.nameStart;
    completion.to = place.nameEnd;
    switch (place.kind) {
    case HtmlPlace::Nothing:
        return {};
    case HtmlPlace::StartTagName:
    case HtmlPlace::EndTagName:
        offerElements(completion, place.kind == HtmlPlace::EndTagName);
        break;
    case HtmlPlace::AttributeName:
        offerAttributes(completion, place);
        break;
    case HtmlPlace::Reference:
        completion.caseSensitive = true;
        completion.reference = true;
        completion.offers = referenceOffers();
        break;
    }
    if (!anyFits(completion, text.sliced(completion.from, position - completion.from)))
        return {};
    return completion;
}

QString htmlCompletionRest(const HtmlCompletion &completion, QStringView text, qsizetype position,
                           const HtmlOffer &offer)
{
    const QStringView typed = text.sliced(completion.from, position - completion.from);
    QString rest = offer.name.mid(typed.size());
    const bool capitals = !completion.caseSensitive && !typed.isEmpty()
                          && std::none_of(typed.begin(), typed.end(),
                                          [](QChar c) { return c.isLower(); })
                          && std::any_of(typed.begin(), typed.end(),
                                         [](QChar c) { return c.isUpper(); });
    if (capitals)
        rest = rest.toUpper();
    const bool semicolonFollows = completion.to < text.size() && text[completion.to] == u';';
    if (completion.reference && !semicolonFollows)
        rest += u';';
    return rest;
}
