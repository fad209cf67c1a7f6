#include "html/html_reference.h"

#include "html/html_tables.h"

#include <QLatin1StringView>

using namespace Qt::StringLiterals;

namespace {

// The names in the tables are ASCII, so a Latin-1 view of them compares with any text.
bool sameName(QStringView name, const char *tableName, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    return name.compare(QLatin1StringView(tableName), cs) == 0;
}

QStringList words(const char *list)
{
    return QString::fromLatin1(list).split(u' ', Qt::SkipEmptyParts);
}

const char *descriptionOf(QStringView element, QStringView attribute)
{
    const QString own = element.toString().toLower() + u'.' + attribute.toString().toLower();
    const char *general = nullptr;
    for (int i = 0; i < HtmlTables::attributeCount; ++i) {
        const HtmlAttributeEntry &entry = HtmlTables::attributes[i];
        if (sameName(own, entry.name))
            return entry.description;
        if (!general && sameName(attribute, entry.name))
            general = entry.description;
    }
    return general;
}

} // namespace

const HtmlElementEntry *findHtmlElement(QStringView name)
{
    for (int i = 0; i < HtmlTables::elementCount; ++i) {
        if (sameName(name, HtmlTables::elements[i].name))
            return &HtmlTables::elements[i];
    }
    return nullptr;
}

QStringList htmlAttributesOf(QStringView element)
{
    QStringList current;
    QStringList obsolete;
    if (const HtmlElementEntry *entry = findHtmlElement(element)) {
        for (const QString &name : words(entry->attributes)) {
            if (name.startsWith(u'~'))
                obsolete.append(name.mid(1));
            else
                current.append(name);
        }
    }
    return current + words(HtmlTables::globalAttributes) + obsolete;
}

QString htmlAttributeDescription(QStringView element, QStringView attribute)
{
    const char *description = descriptionOf(element, attribute);
    return description ? QString::fromUtf8(description) : QString();
}

QString htmlElementTip(QStringView element)
{
    const HtmlElementEntry *entry = findHtmlElement(element);
    if (!entry)
        return {};
    QString tip = u"<b>%1</b>: %2"_s.arg(QLatin1StringView(entry->name),
                                            QString::fromUtf8(entry->description).toHtmlEscaped());
    if (entry->today)
        tip += u"<br>Heute: "_s + QString::fromUtf8(entry->today).toHtmlEscaped();
    QStringList own;
    QStringList obsolete;
    for (const QString &name : words(entry->attributes))
        (name.startsWith(u'~') ? obsolete : own).append(name.mid(name.startsWith(u'~') ? 1 : 0));
    if (!own.isEmpty())
        tip += u"<br>Attribute: "_s + own.join(u", "_s);
    if (!obsolete.isEmpty())
        tip += u"<br>Veraltete Attribute: "_s + obsolete.join(u", "_s);
    if (entry->status != HtmlStatus::NotHtml)
        tip += u"<br>Dazu die globalen Attribute (class, id, style, title, lang …)"_s;
    return tip;
}

QString htmlAttributeTip(QStringView element, QStringView attribute)
{
    const char *description = descriptionOf(element, attribute);
    if (!description)
        return {};
    return u"<b>%1</b>: %2"_s.arg(attribute.toString().toLower().toHtmlEscaped(),
                                     QString::fromUtf8(description).toHtmlEscaped());
}
