#include "html/parser/tree_paths.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool isElement(const HtmlNode *node)
{
    return node->kind == HtmlNode::Kind::Element;
}

// Elements whose content the paths do not enter (see the class comment).
bool isClosed(const HtmlNode *node)
{
    return node->isElement(u"noscript");
}

int elementPosition(const HtmlNode *element)
{
    int position = 0;
    for (const HtmlNode *sibling : element->parent->children) {
        if (sibling == element)
            return position;
        if (isElement(sibling))
            ++position;
    }
    return -1;
}

int elementChildren(const HtmlNode *parent)
{
    return int(std::count_if(parent->children.begin(), parent->children.end(), isElement));
}

const HtmlNode *elementChild(const HtmlNode *parent, int position)
{
    if (position < 0)
        return nullptr;
    for (const HtmlNode *child : parent->children)
        if (isElement(child) && position-- == 0)
            return child;
    return nullptr;
}

} // namespace

TreePaths::TreePaths(QString text) : m_text(std::move(text)), m_document(parseHtml(m_text))
{
    measure();
}

void TreePaths::measure()
{
    // The elements, parents first, each with whether a <noscript> holds it; without recursion,
    // as a page may nest deeper than a thread's stack allows.
    std::vector<const HtmlNode *> order;
    std::vector<std::pair<const HtmlNode *, bool>> stack{{m_document.root(), false}};
    while (!stack.empty()) {
        const auto [node, closedIn] = stack.back();
        stack.pop_back();
        if (isElement(node)) {
            order.push_back(node);
            m_elementCount += closedIn ? 0 : 1;
        }
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
            stack.emplace_back(*child, closedIn || isClosed(node));
    }
    // Children before their parents: that order reversed.
    m_extents.reserve(qsizetype(order.size()));
    for (auto node = order.rbegin(); node != order.rend(); ++node) {
        const HtmlNode *element = *node;
        Extent extent;
        if (element->startTag.isValid())
            extent = {element->startTag.offset, element->startTag.end()};
        Extent content;
        for (const HtmlNode *child : element->children) {
            const Extent part = extentOf(child);
            if (part.start < 0)
                continue;
            content.start = content.start < 0 ? part.start : std::min(content.start, part.start);
            content.end = std::max(content.end, part.end);
        }
        if (extent.start < 0)
            extent.start = content.start;
        extent.end = element->endTag.isValid() ? element->endTag.end()
                                               : std::max(extent.end, content.end);
        m_extents.insert(element, extent);
    }
}

TreePaths::Extent TreePaths::extentOf(const HtmlNode *node) const
{
    if (isElement(node))
        return m_extents.value(node);
    if (node->startTag.isValid())
        return {node->startTag.offset, node->startTag.end()};
    return {};
}

const HtmlNode *TreePaths::elementAround(qsizetype offset) const
{
    const HtmlNode *around = nullptr;
    const HtmlNode *parent = m_document.root();
    while (parent && !(around && isClosed(around))) {
        const auto holder = std::find_if(parent->children.begin(), parent->children.end(),
                                         [&](const HtmlNode *child) {
                                             return isElement(child) && extentOf(child).holds(offset);
                                         });
        if (holder == parent->children.end())
            break;
        around = *holder;
        parent = around;
    }
    return around;
}

bool TreePaths::isInBody(const HtmlNode *element)
{
    for (; element; element = element->parent) {
        const HtmlNode *parent = element->parent;
        if (element->isElement(u"body") && parent && parent->isElement(u"html") && parent->parent
            && parent->parent->kind == HtmlNode::Kind::Document)
            return true;
    }
    return false;
}

ElementPath TreePaths::pathOf(const HtmlNode *element)
{
    ElementPath path;
    for (; element && element->parent; element = element->parent) {
        path.positions.prepend(elementPosition(element));
        path.names.prepend(element->name);
        path.siblings.prepend(elementChildren(element->parent));
    }
    return path;
}

const HtmlNode *TreePaths::elementAt(const ElementPath &path) const
{
    const qsizetype steps = path.positions.size();
    if (steps == 0 || path.names.size() != steps
        || !(path.siblings.isEmpty() || path.siblings.size() == steps))
        return nullptr;
    const HtmlNode *element = m_document.root();
    for (qsizetype i = 0; i < steps; ++i) {
        if (!path.siblings.isEmpty() && elementChildren(element) != path.siblings.at(i))
            return nullptr;
        element = elementChild(element, path.positions.at(i));
        if (!element || element->name != path.names.at(i))
            return nullptr;
    }
    return element;
}

qsizetype TreePaths::startOf(const HtmlNode *element) const
{
    if (element->startTag.isValid())
        return element->startTag.offset;
    return m_extents.value(element).start;
}

qsizetype TreePaths::characterOffset(const HtmlNode *element, int childIndex,
                                     qsizetype character, QStringView data) const
{
    // The run of adjacent texts at the child index, as a browser's child nodes count it.
    std::vector<const HtmlNode *> run;
    int index = -1;
    bool afterText = false;
    for (const HtmlNode *child : element->children) {
        const bool text = child->kind == HtmlNode::Kind::Text;
        if (!(text && afterText))
            ++index;
        afterText = text;
        if (index == childIndex && text)
            run.push_back(child);
        if (index > childIndex)
            break;
    }
    QString runData;
    for (const HtmlNode *text : run)
        runData += text->data;
    if (run.empty() || runData != data || character < 0 || character >= data.size())
        return -1;

    for (const HtmlNode *text : run) {
        if (character >= text->data.size()) {
            character -= text->data.size();
            continue;
        }
        const SourceSpan span = text->startTag;
        if (!span.isValid() || span.offset + character >= m_text.size())
            return -1;
        const QStringView source = QStringView(m_text).mid(span.offset, character + 1);
        const bool literal = !source.contains(u'&')
            && source == QStringView(text->data).left(character + 1);
        return literal ? span.offset + character : -1;
    }
    return -1;
}
