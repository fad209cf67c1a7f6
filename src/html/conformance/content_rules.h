#pragma once

#include "html/conformance/conformance_catalog.h"
#include "html/conformance/finding.h"

#include <QList>
#include <QStringView>

#include <optional>
#include <vector>

class HtmlDocument;

// Where an element may stand and what it must hold: the content models and contexts of the
// standard, read from the generated tables, judged in one walk over the tree.
class ContentRules
{
public:
    ContentRules(QStringView page, QList<Finding> &findings);

    void begin(const HtmlDocument &document);
    // The walk's steps, in document order; `rule` is an HTML element's rule, if it has one.
    void enter(const HtmlNode &node, const ElementRule *rule);
    void leave(const HtmlNode &node);

private:
    // Content models judged by code of their own.
    enum class Special : unsigned char {
        None, Head, Dl, DlGroup, Ruby, Select, SelectGroup, Optgroup, Option, NoscriptInHead
    };

    // An open element and what its children may be.
    struct Frame
    {
        const HtmlNode *node = nullptr;
        const ElementRule *rule = nullptr;
        ContentKind kind = ContentKind::Any;
        Special special = Special::None;
        ContentSet set;            // Set; for a Sequence, what its transparent slot takes
        const QList<ContentSlot> *sequence = nullptr;
        int slot = 0;
        int slotCount = 0;
        bool suppressed = false;   // misplaced itself: its content is not judged again
        const HtmlNode *mainBlocker = nullptr; // the nearest ancestor <main> may not be in
        int seen = 0;              // special models: dl state, titles, figcaptions, rt ...
        int seenOther = 0;         // bases, dd in a dl group, legends ...
        bool hasText = false;
        bool hasElementChild = false;
    };

    void enterElement(const HtmlNode &element, const ElementRule *rule);
    void judgeText(const HtmlNode &text);
    bool judgeChild(Frame &parent, const HtmlNode &child, quint32 categories);
    bool judgeSet(const Frame &parent, const HtmlNode &child, quint32 categories);
    bool judgeSequence(Frame &parent, const HtmlNode *child, quint32 categories);
    bool judgeSpecial(Frame &parent, const HtmlNode &child, quint32 categories);
    bool slotTakes(const Frame &frame, const ContentSlot &slot, const HtmlNode *child,
                   quint32 categories) const;
    bool takesFlow(const Frame &frame) const;
    void judgeExclusions(const HtmlNode &element, quint32 categories);
    void judgeContext(const HtmlNode &element, quint32 categories, const Frame &parent);
    Frame frameFor(const HtmlNode &element, const ElementRule *rule, const Frame &parent, bool placed) const;
    std::optional<ContentSet> childrenOf(const Frame &frame) const;
    void finishElement(const Frame &frame);
    void finishOption(const Frame &frame);
    void reportMissingSlots(const Frame &frame, int from, int to);

    void report(const char *key, SourceSpan span, const QStringList &arguments,
                CheckLevel level = CheckLevel::Error);
    SourceSpan textSpan(const HtmlNode &text) const;

    QStringView m_page;
    QList<Finding> &m_findings;
    const ConformanceCatalog &m_catalog;
    bool m_quirks = false;
    std::vector<Frame> m_frames; // not a deque: a walk up and down one level would allocate and free its blocks
    std::vector<std::vector<const HtmlNode *>> m_excluders; // open elements with exclusions
    int m_openExcluders = 0;
    std::vector<std::pair<const HtmlNode *, int>> m_labels; // open labels, their controls
    std::vector<std::size_t> m_options;                     // frames of open options
    const HtmlNode *m_text = nullptr; // the text judged by judgeSequence, if it is one
    int m_maps = 0;
    int m_links = 0;
    int m_visibleMains = 0;
};

// Where a message about an element goes: its start tag, else its end tag, else (for an element
// the parser implied) the place of its first child or of an ancestor.
SourceSpan placeOf(const HtmlNode &node);
