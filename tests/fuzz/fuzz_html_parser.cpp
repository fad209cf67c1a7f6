// The standard's parser on any text, as a page or as a fragment: it ends, every node sits once
// in a tree whose parent links agree, every place lies in the text, and the errors come sorted.

#include "html/parser/html_tree.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void requireInside(SourceSpan span, qsizetype size)
{
    require(!span.isValid() || (span.length >= 0 && span.end() <= size));
}

void checkTree(const HtmlDocument &document, qsizetype size)
{
    std::unordered_set<const HtmlNode *> seen;
    std::vector<const HtmlNode *> work{document.root()};
    while (!work.empty()) {
        const HtmlNode *node = work.back();
        work.pop_back();
        require(seen.insert(node).second);
        requireInside(node->startTag, size);
        requireInside(node->endTag, size);
        for (const HtmlAttribute &attribute : node->attributes) {
            requireInside(attribute.nameSpan, size);
            requireInside(attribute.valueSpan, size);
        }
        for (const HtmlNode *child : node->children) {
            require(child->parent == node);
            work.push_back(child);
        }
        if (node->templateContents) {
            require(node->templateContents->kind == HtmlNode::Kind::DocumentFragment);
            work.push_back(node->templateContents);
        }
    }
    qsizetype last = -1;
    for (const HtmlParseError &error : document.errors) {
        require(error.code && *error.code);
        require(error.span.isValid());
        requireInside(error.span, size);
        require(error.span.offset >= last);
        last = error.span.offset;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks a page or a fragment in one of a few contexts; the rest is the text
    // as UTF-16, so that any code unit, a lone surrogate or a NUL, can occur.
    static const struct
    {
        const char16_t *name;
        HtmlNamespace ns;
    } contexts[] = {{u"body", HtmlNamespace::Html},     {u"table", HtmlNamespace::Html},
                    {u"tr", HtmlNamespace::Html},       {u"select", HtmlNamespace::Html},
                    {u"template", HtmlNamespace::Html}, {u"textarea", HtmlNamespace::Html},
                    {u"html", HtmlNamespace::Html},     {u"svg", HtmlNamespace::Svg},
                    {u"mi", HtmlNamespace::MathMl}};
    const int choice = data[0] % 16;
    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * sizeof(QChar));
    if (choice < int(std::size(contexts))) {
        const auto &context = contexts[choice];
        checkTree(parseHtmlFragment(text, QString::fromUtf16(context.name), context.ns), text.size());
    } else {
        checkTree(parseHtml(text), text.size());
    }
    return 0;
}
