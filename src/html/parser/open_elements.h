#pragma once

#include "html/parser/tag_names.h"

#include <array>
#include <vector>

struct HtmlNode;

// An element as the tree construction sees it: the node with its name's number and where it
// stands in the parser's two lists.
struct ParserElement
{
    HtmlNode *node = nullptr;
    int tag = 0;
    int stackIndex = -1; // in the stack of open elements, -1 when not open
    bool inFormattingList = false;
    bool htmlIntegrationPoint = false; // foreignObject, desc, title, annotation-xml for HTML
    bool reportedOpen = false;         // named once as not closed
};

// The stack of open elements. Besides the elements it keeps, for every entry, where the nearest
// boundary of each kind lies below it and where the last element of the same name lies, so that
// "has an element in scope" and its variants are answered without walking a deep stack.
class OpenElements
{
public:
    enum Boundary { DefaultScope, ListItemScope, ButtonScope, TableScope, Special, SpecialForItems,
                    ModeDecider };

    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return int(m_entries.size()); }
    ParserElement *at(int index) const { return m_entries[size_t(index)].element; }
    ParserElement *current() const { return m_entries.back().element; }

    void push(ParserElement *element);
    ParserElement *pop();
    void removeAt(int index);
    void insertAt(int index, ParserElement *element);
    void replaceAt(int index, ParserElement *element);

    // The index of the topmost element with that name, or -1.
    int topIndexOf(int tag) const;
    bool contains(int tag) const { return topIndexOf(tag) >= 0; }
    bool inScope(int tag, Boundary scope) const;
    bool inScope(const ParserElement *element, Boundary scope) const;
    // The highest index at or below `index` whose element is a boundary of that kind, or -1.
    int boundaryAtOrBelow(int index, Boundary kind) const;

private:
    struct Entry
    {
        ParserElement *element;
        int previousSameTag;
        std::array<int, boundaryKinds> boundary;
    };

    void link(int index);
    void unlink(int index);
    void unlinkDownTo(int index);
    void relinkFrom(int index);

    std::vector<Entry> m_entries;
    std::vector<int> m_topIndex; // by tag
};
