#pragma once

#include "html/parser/html_tree.h"

#include <vector>

// Visits a tree in document order with a stack of its own, so that a page of 100,000 nested
// elements does not overflow the call stack. `visitor.enter(node)` returns whether to go into
// the node's children (and then a template's contents, as one more child); `visitor.leave(node)`
// follows for every node entered, after its children.
template <typename Visitor>
void walkTree(const HtmlNode &root, Visitor &visitor)
{
    struct Step
    {
        const HtmlNode *node;
        std::size_t next;
    };
    std::vector<Step> stack;
    if (visitor.enter(root))
        stack.push_back({&root, 0});
    else
        visitor.leave(root);
    while (!stack.empty()) {
        Step &step = stack.back();
        const HtmlNode &node = *step.node;
        const HtmlNode *child = nullptr;
        if (step.next < node.children.size())
            child = node.children[step.next];
        else if (step.next == node.children.size())
            child = node.templateContents;
        if (step.next > node.children.size() || !child) {
            stack.pop_back();
            visitor.leave(node);
            continue;
        }
        ++step.next;
        if (visitor.enter(*child))
            stack.push_back({child, 0}); // `step` may dangle from here on
        else
            visitor.leave(*child);
    }
}
