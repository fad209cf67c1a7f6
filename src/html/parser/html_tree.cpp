#include "html/parser/html_tree.h"

#include "html/parser/tree_builder.h"

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
    HtmlNode &node = m_nodes.emplace_back();
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
