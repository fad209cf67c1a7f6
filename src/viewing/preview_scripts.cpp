#include "viewing/preview_scripts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointF>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

// Helpers the scripts share. elementCount() counts as TreePaths::elementCount() does (a
// browser runs scripts, so a <noscript> holds no elements); pageFile() names the page as the
// program names its file.
const QString helpers = uR"js(
const mark = 'data-tagschmied-frame';
function elementCount() {
    return document.getElementsByTagName('*').length;
}
function pageFile() {
    if (location.protocol !== 'file:')
        return '';
    try {
        return decodeURIComponent(location.pathname);
    } catch (e) {
        return '';
    }
}
)js"_s;

const QString frameBody = uR"js(
(function (request) {
    'use strict';
    for (const framed of document.querySelectorAll('[' + mark + ']'))
        framed.removeAttribute(mark);
    if (!request)
        return 'cleared';
    if (pageFile() !== request.file)
        return 'other page';
    if (elementCount() !== request.elementCount)
        return 'changed';
    let element = document;
    for (let i = 0; i < request.positions.length; ++i) {
        if (element.children.length !== request.siblings[i])
            return 'changed';
        element = element.children[request.positions[i]];
        if (!element || element.localName !== request.names[i])
            return 'changed';
    }
    // A style sheet of its own, beside the page's, that only this world's script adds.
    if (!window.tagschmiedFrame) {
        window.tagschmiedFrame = new CSSStyleSheet();
        window.tagschmiedFrame.replaceSync(
            '[' + mark + '] { outline: 2px solid #e0218a !important; outline-offset: 1px !important; }' +
            'html[' + mark + '], body[' + mark + '] { outline-offset: -2px !important; }');
    }
    if (!document.adoptedStyleSheets.includes(window.tagschmiedFrame))
        document.adoptedStyleSheets = [...document.adoptedStyleSheets, window.tagschmiedFrame];
    element.setAttribute(mark, '');
    if (request.scroll) {
        const box = element.getBoundingClientRect();
        const outside = box.bottom <= 0 || box.top >= innerHeight || box.right <= 0 || box.left >= innerWidth;
        if ((box.width || box.height) && outside)
            element.scrollIntoView({block: box.height < innerHeight ? 'center' : 'start', inline: 'nearest'});
    }
    return 'framed';
})
)js"_s;

const QString clickBody = uR"js(
(function (x, y) {
    'use strict';
    const element = document.elementFromPoint(x, y);
    if (!element)
        return null;
    const positions = [];
    const names = [];
    const siblings = [];
    for (let node = element; node !== document; node = node.parentNode) {
        if (!node.parentNode)
            return null;
        positions.unshift(Array.prototype.indexOf.call(node.parentNode.children, node));
        names.unshift(node.localName);
        siblings.unshift(node.parentNode.children.length);
    }
    const answer = {file: pageFile(), elementCount: elementCount(), positions: positions,
                    names: names, siblings: siblings};

    // The character under the place, if it is in a text right inside the element.
    const range = document.caretRangeFromPoint(x, y);
    const text = range && range.startContainer;
    if (!text || text.nodeType !== Node.TEXT_NODE || text.parentNode !== element)
        return answer;
    const under = (i) => {
        if (i < 0 || i >= text.length)
            return false;
        const one = document.createRange();
        one.setStart(text, i);
        one.setEnd(text, i + 1);
        for (const box of one.getClientRects())
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                return true;
        return false;
    };
    const at = under(range.startOffset) ? range.startOffset
        : under(range.startOffset - 1) ? range.startOffset - 1 : -1;
    if (at < 0)
        return answer;
    // Adjacent texts count as one child, as they do in the program's tree.
    let index = -1;
    let afterText = false;
    let data = '';
    let character = -1;
    for (const child of element.childNodes) {
        const isText = child.nodeType === Node.TEXT_NODE;
        if (!(isText && afterText)) {
            if (character >= 0)
                break;
            ++index;
            data = '';
        }
        afterText = isText;
        if (child === text)
            character = data.length + at;
        if (isText)
            data += child.data;
    }
    answer.textIndex = index;
    answer.character = character;
    answer.textData = data;
    return answer;
})
)js"_s;

QString asJson(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Wraps the helpers and a call in a block of its own, so that repeated runs in the same
// world define nothing twice.
QString call(const QString &function, const QString &arguments)
{
    return u"{\n"_s + helpers + function + u"("_s + arguments + u");\n}"_s;
}

} // namespace

QString frameScript(const std::optional<FrameRequest> &request, bool scroll)
{
    if (!request)
        return call(frameBody, u"null"_s);
    QJsonArray positions;
    for (const int position : request->path.positions)
        positions.append(position);
    QJsonArray siblings;
    for (const int count : request->path.siblings)
        siblings.append(count);
    const QJsonObject json{
        {u"file"_s, request->file},
        {u"elementCount"_s, qint64(request->elementCount)},
        {u"positions"_s, positions},
        {u"siblings"_s, siblings},
        {u"names"_s, QJsonArray::fromStringList(request->path.names)},
        {u"scroll"_s, scroll},
    };
    return call(frameBody, asJson(json));
}

QString clickScript(const QPointF &place)
{
    return call(clickBody, u"%1, %2"_s.arg(place.x(), 0, 'f', 2).arg(place.y(), 0, 'f', 2));
}

std::optional<PreviewClick> readClick(const QVariant &answer)
{
    const QVariantMap map = answer.toMap();
    const QVariantList positions = map.value(u"positions"_s).toList();
    const QStringList names = map.value(u"names"_s).toStringList();
    const QVariantList siblings = map.value(u"siblings"_s).toList();
    if (positions.isEmpty() || positions.size() != names.size()
        || positions.size() != siblings.size())
        return std::nullopt;
    PreviewClick click;
    click.file = map.value(u"file"_s).toString();
    click.elementCount = map.value(u"elementCount"_s).toLongLong();
    for (const QVariant &position : positions)
        click.path.positions.append(position.toInt());
    click.path.names = names;
    for (const QVariant &count : siblings)
        click.path.siblings.append(count.toInt());
    if (map.contains(u"textIndex"_s)) {
        click.textIndex = map.value(u"textIndex"_s).toInt();
        click.character = map.value(u"character"_s).toLongLong();
        click.textData = map.value(u"textData"_s).toString();
    }
    return click;
}
