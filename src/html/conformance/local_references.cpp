#include "html/conformance/local_references.h"

#include "html/parser/html_tree.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// An address as it stands in an attribute's value.
struct Address
{
    QStringView text;
    SourceSpan span;
    bool mayNameAnId = false; // a link's "#name" within the page
};

bool isAsciiWhitespace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

bool isOneOf(QStringView name, std::initializer_list<QStringView> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether an attribute of an HTML element holds one address of a file the page loads or
// links to.
bool holdsAddress(QStringView element, QStringView attribute)
{
    if (attribute == u"href")
        return isOneOf(element, {u"a", u"area", u"link"});
    if (attribute == u"src")
        return isOneOf(element, {u"img", u"script", u"iframe", u"frame", u"embed", u"audio",
                                 u"video", u"source", u"track", u"input"});
    if (attribute == u"poster")
        return element == u"video";
    if (attribute == u"data")
        return element == u"object";
    if (attribute == u"action")
        return element == u"form";
    if (attribute == u"background")
        return isOneOf(element,
                       {u"body", u"table", u"thead", u"tbody", u"tfoot", u"tr", u"td", u"th"});
    return false;
}

// Where a stretch of an attribute's value stands in the page. A value written with character
// references is longer in the page than read: its stretches are not known, only the value's.
SourceSpan spanIn(const HtmlAttribute &attribute, qsizetype from, qsizetype length)
{
    if (attribute.value.size() != attribute.valueSpan.length)
        return attribute.valueSpan;
    return {attribute.valueSpan.offset + from, length};
}

// The addresses of a srcset: candidates separated by commas, each an address and its
// descriptors ("klein.jpg 1x, gross.jpg 2x").
void addSrcsetAddresses(const HtmlAttribute &attribute, QList<Address> &addresses)
{
    const QString &value = attribute.value;
    qsizetype i = 0;
    while (i < value.size()) {
        while (i < value.size() && (isAsciiWhitespace(value[i]) || value[i] == u','))
            ++i;
        const qsizetype start = i;
        while (i < value.size() && !isAsciiWhitespace(value[i]))
            ++i;
        qsizetype end = i;
        if (end > start && value[end - 1] == u',') {
            while (end > start && value[end - 1] == u',')
                --end; // no descriptors
        } else {
            for (int depth = 0; i < value.size() && (value[i] != u',' || depth > 0); ++i)
                depth += value[i] == u'(' ? 1 : value[i] == u')' ? -1 : 0;
        }
        if (end > start)
            addresses.append({QStringView(value).sliced(start, end - start),
                              spanIn(attribute, start, end - start)});
    }
}

// The addresses of the url(...) in a style attribute; the span is the whole url(...).
void addStyleAddresses(const HtmlAttribute &attribute, QList<Address> &addresses)
{
    const QString &value = attribute.value;
    for (qsizetype at = 0; (at = value.indexOf(u"url(", at, Qt::CaseInsensitive)) >= 0;) {
        qsizetype i = at + 4;
        while (i < value.size() && isAsciiWhitespace(value[i]))
            ++i;
        qsizetype start = i;
        qsizetype end = -1;
        if (i < value.size() && (value[i] == u'"' || value[i] == u'\'')) {
            start = i + 1;
            end = value.indexOf(value[i], start);
            i = end < 0 ? -1 : value.indexOf(u')', end);
        } else {
            i = value.indexOf(u')', start);
            end = i;
            while (end > start && isAsciiWhitespace(value[end - 1]))
                --end;
        }
        if (i < 0 || end < 0)
            return; // not closed: nothing a browser would load
        addresses.append({QStringView(value).sliced(start, end - start),
                          spanIn(attribute, at, i + 1 - at)});
        at = i + 1;
    }
}

void addAddresses(const HtmlNode &element, QList<Address> &addresses)
{
    for (const HtmlAttribute &attribute : element.attributes) {
        if (!attribute.valueSpan.isValid() || attribute.ns != AttributeNamespace::None)
            continue;
        if (attribute.name == u"style") {
            addStyleAddresses(attribute, addresses);
        } else if (element.ns != HtmlNamespace::Html) {
            continue;
        } else if (attribute.name == u"srcset" && isOneOf(element.name, {u"img", u"source"})) {
            addSrcsetAddresses(attribute, addresses);
        } else if (holdsAddress(element.name, attribute.name)) {
            const bool link = attribute.name == u"href" && element.name != u"link";
            addresses.append({attribute.value, attribute.valueSpan, link});
        }
    }
}

// What an address points at on the author's disk: a file path relative to the page, a
// "#name" within the page, or nothing to look up.
struct Target
{
    enum class Kind { Nothing, File, Id };
    Kind kind = Kind::Nothing;
    QString path; // decoded, with "/" between names
    QString id;
};

bool hasScheme(QStringView address)
{
    if (address.isEmpty() || !address[0].isLetter() || address[0].unicode() > 0x7f)
        return false;
    for (const QChar c : address.sliced(1)) {
        if (c == u':')
            return true;
        if (!(c.isLetterOrNumber() && c.unicode() <= 0x7f) && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return false;
}

QString percentDecoded(QStringView text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

Target targetOf(QStringView written)
{
    // As a browser reads an address: blanks around it go, tabs and line breaks in it too, and
    // a backslash is a slash.
    QString address = written.trimmed().toString();
    address.remove(u'\t').remove(u'\n').remove(u'\r');
    if (address.startsWith(u'#'))
        return {Target::Kind::Id, {}, address.sliced(1)};
    address.replace(u'\\', u'/');
    // A host of its own, the server's root, or a scheme: nothing on this disk to look up.
    if (address.startsWith(u'/') || hasScheme(address))
        return {};
    const qsizetype end = std::find_if(address.cbegin(), address.cend(),
                                       [](QChar c) { return c == u'?' || c == u'#'; })
        - address.cbegin();
    const QString path = percentDecoded(QStringView(address).first(end));
    if (path.isEmpty())
        return {}; // this page again, with a query
    return {Target::Kind::File, path, {}};
}

// The names in the folders a page's addresses lead through, read once a folder.
class FolderNames
{
public:
    // A name in a folder as it is written on the disk: the same, another case of it, or none.
    QString onDisk(const QString &folder, const QString &name)
    {
        auto listing = m_listings.constFind(folder);
        if (listing == m_listings.cend())
            listing = m_listings.insert(folder, read(folder));
        if (listing->exact.contains(name))
            return name;
        return listing->byFolded.value(name.toCaseFolded());
    }

private:
    struct Listing
    {
        QSet<QString> exact;
        QHash<QString, QString> byFolded;
    };

    static Listing read(const QString &folder)
    {
        Listing listing;
        const QStringList names = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &name : names) {
            listing.exact.insert(name);
            listing.byFolded.insert(name.toCaseFolded(), name);
        }
        return listing;
    }

    QHash<QString, Listing> m_listings;
};

// The finding for a file path, or none when the file is there as written.
std::optional<Finding> lookUp(const QString &pageFolder, const QString &path, SourceSpan span,
                              FolderNames &names)
{
    QString folder = QDir::cleanPath(pageFolder);
    const QStringList parts = path.split(u'/');
    qsizetype firstOtherCase = -1;
    QStringList onDisk;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty() || part == u".") {
            onDisk.append(part);
            continue;
        }
        if (part == u"..") {
            folder = QDir::cleanPath(folder + u"/.."_s);
            onDisk.append(part);
            continue;
        }
        const QString name = names.onDisk(folder, part);
        if (name.isEmpty())
            return Finding{u"reference-file-missing"_s, CheckLevel::Warning, span, {path}};
        if (name != part && firstOtherCase < 0)
            firstOtherCase = i;
        onDisk.append(name);
        folder += u'/' + name;
    }
    if (firstOtherCase < 0)
        return std::nullopt;
    const QString named = onDisk.sliced(firstOtherCase).join(u'/');
    return Finding{u"reference-file-case"_s, CheckLevel::Error, span, {path, named}};
}

// The ids a "#name" may name: every element's id, and the name of an old <a name>, outside
// templates (their contents are not part of the page until a script uses them).
QSet<QString> targetsInPage(const HtmlNode &root)
{
    QSet<QString> targets;
    std::vector<const HtmlNode *> stack = {&root};
    while (!stack.empty()) {
        const HtmlNode *node = stack.back();
        stack.pop_back();
        if (node->kind == HtmlNode::Kind::Element) {
            if (const HtmlAttribute *id = node->attribute(u"id"))
                targets.insert(id->value);
            const HtmlAttribute *name = node->isElement(u"a") ? node->attribute(u"name") : nullptr;
            if (name)
                targets.insert(name->value);
        }
        stack.insert(stack.end(), node->children.rbegin(), node->children.rend());
    }
    return targets;
}

// Every element of the page, templates' contents included, in the page's order.
std::vector<const HtmlNode *> elementsOf(const HtmlNode &root)
{
    std::vector<const HtmlNode *> elements;
    std::vector<const HtmlNode *> stack = {&root};
    while (!stack.empty()) {
        const HtmlNode *node = stack.back();
        stack.pop_back();
        if (node->kind == HtmlNode::Kind::Element)
            elements.push_back(node);
        if (node->templateContents)
            stack.push_back(node->templateContents);
        stack.insert(stack.end(), node->children.rbegin(), node->children.rend());
    }
    return elements;
}

// A <base href> changes what the addresses are relative to: to another folder of the page's,
// or somewhere else entirely (then neither files nor "#name" are this page's to look up).
struct Base
{
    bool elsewhere = false;
    QString folder;
};

Base baseOf(const std::vector<const HtmlNode *> &elements, const QString &pageFolder)
{
    for (const HtmlNode *element : elements) {
        if (!element->isElement(u"base") || !element->attribute(u"href"))
            continue;
        const HtmlAttribute *href = element->attribute(u"href");
        if (href->value.trimmed().isEmpty())
            return {false, pageFolder};
        const Target target = targetOf(href->value);
        if (target.kind != Target::Kind::File || pageFolder.isEmpty())
            return {true, {}};
        // "unter/" and "unter/seite.html" both lead into the folder "unter".
        const qsizetype slash = target.path.lastIndexOf(u'/');
        if (slash < 0)
            return {false, pageFolder};
        return {false, QDir(pageFolder).filePath(target.path.first(slash))};
    }
    return {false, pageFolder};
}

} // namespace

QList<Finding> checkLocalReferences(const HtmlDocument &document, const QString &pageFolder)
{
    const std::vector<const HtmlNode *> elements = elementsOf(*document.root());
    const Base base = baseOf(elements, pageFolder);
    if (base.elsewhere)
        return {};
    QList<Address> addresses;
    for (const HtmlNode *element : elements)
        addAddresses(*element, addresses);

    QList<Finding> findings;
    FolderNames names;
    std::optional<QSet<QString>> targets; // gathered when a "#name" first asks
    for (const Address &address : std::as_const(addresses)) {
        const Target target = targetOf(address.text);
        if (target.kind == Target::Kind::File && !base.folder.isEmpty()) {
            const std::optional<Finding> finding =
                lookUp(base.folder, target.path, address.span, names);
            if (finding)
                findings.append(*finding);
        } else if (target.kind == Target::Kind::Id && address.mayNameAnId) {
            // "#" and "#top" lead to the page's top without an element of that name.
            const QString decoded = percentDecoded(target.id);
            if (target.id.isEmpty() || decoded.compare(u"top"_s, Qt::CaseInsensitive) == 0)
                continue;
            if (!targets)
                targets = targetsInPage(*document.root());
            if (!targets->contains(target.id) && !targets->contains(decoded))
                findings.append(
                    {u"reference-id-missing"_s, CheckLevel::Warning, address.span, {decoded}});
        }
    }
    return findings;
}
