#include "html/parser/html_tree.h"

#include "html/parser/tree_builder.h"

#include <algorithm>

QString HtmlAttribute::prefix() const
{
    switch (ns) {
    case AttributeNamespace::XLink:
        return QStringLiteral("xlink");
    case AttributeNamespace::Xml:
        return QStringLiteral("xml");
    case AttributeNamespace::Xmlns:
        return name == u"xmlns" ? QString() : QStringLiteral("xmlns");
    case AttributeNamespace::None:
        break;
    }
    return {};
}

const HtmlAttribute *HtmlNode::attribute(QStringView attributeName) const
{
    for (const HtmlAttribute &attribute : attributes) {
        if (attribute.name == attributeName)
            return &attribute;
    }
    return nullptr;
}

HtmlDocument::HtmlDocument()
{
    m_root = createNode(HtmlNode::Kind::Document);
}

HtmlNode *HtmlDocument::createNode(HtmlNode::Kind kind)
{
    if (m_blocks.empty() || m_usedInBlock == m_blockSize) { // empty also when moved from
        m_blockSize = std::clamp<qsizetype>(m_blockSize * 2, 16, 256); // below the size malloc maps afresh
        m_blocks.push_back(std::make_unique<HtmlNode[]>(size_t(m_blockSize)));
        m_usedInBlock = 0;
    }
    HtmlNode &node = m_blocks.back()[size_t(m_usedInBlock++)];
    node.kind = kind;
    return &node;
}

HtmlDocument parseHtml(QStringView text)
{
    HtmlDocument document;
    HtmlTreeBuilder(document, text).parseDocument();
    return document;
}

HtmlDocument parseHtmlFragment(QStringView text, const QString &contextName,
                               HtmlNamespace contextNamespace)
{
    HtmlDocument document;
    HtmlTreeBuilder(document, text).parseFragment(contextName, contextNamespace);
    return document;
}
