#include "html/parser/active_formatting_elements.h"

#include "html/parser/open_elements.h"

#include <algorithm>

namespace {

bool sameAttributes(const QList<HtmlAttribute> &a, const QList<HtmlAttribute> &b)
{
    if (a.size() != b.size())
        return false;
    // A tag holds each name once, so equal lengths and every one of `a` found in `b` suffice.
    return std::all_of(a.cbegin(), a.cend(), [&b](const HtmlAttribute &attribute) {
        return std::any_of(b.cbegin(), b.cend(), [&attribute](const HtmlAttribute &other) {
            return other.name == attribute.name && other.ns == attribute.ns
                && other.value == attribute.value;
        });
    });
}

} // namespace

void ActiveFormattingElements::pushMarker()
{
    m_entries.push_back(Entry{});
}

void ActiveFormattingElements::push(ParserElement *element, const QString &name,
                                    const QList<HtmlAttribute> &attributes)
{
    const int tag = element->tag;
    if (tag >= int(m_countByTag.size()))
        m_countByTag.resize(size_t(tag) + 64, 0);
    if (m_countByTag[size_t(tag)] >= 3) {
        // Never more than three equal entries follow the last marker, so the third found
        // from the end is the earliest.
        int equal = 0;
        for (int i = size() - 1; i >= 0 && !m_entries[size_t(i)].isMarker(); --i) {
            const Entry &entry = m_entries[size_t(i)];
            if (entry.element->tag == tag && sameAttributes(entry.attributes, attributes)
                && ++equal == 3) {
                removeAt(i);
                break;
            }
        }
    }
    element->inFormattingList = true;
    ++m_countByTag[size_t(tag)];
    m_entries.push_back(Entry{element, name, attributes});
}

void ActiveFormattingElements::clearToLastMarker()
{
    while (!m_entries.empty()) {
        const bool marker = m_entries.back().isMarker();
        removeAt(size() - 1);
        if (marker)
            return;
    }
}

int ActiveFormattingElements::lastIndexAfterMarker(int tag) const
{
    if (tag >= int(m_countByTag.size()) || m_countByTag[size_t(tag)] == 0)
        return -1;
    for (int i = size() - 1; i >= 0 && !m_entries[size_t(i)].isMarker(); --i) {
        if (m_entries[size_t(i)].element->tag == tag)
            return i;
    }
    return -1;
}

int ActiveFormattingElements::indexOf(const ParserElement *element) const
{
    if (!element->inFormattingList)
        return -1;
    for (int i = size() - 1; i >= 0; --i) {
        if (m_entries[size_t(i)].element == element)
            return i;
    }
    return -1;
}

void ActiveFormattingElements::removeAt(int index)
{
    Entry &entry = m_entries[size_t(index)];
    if (!entry.isMarker()) {
        entry.element->inFormattingList = false;
        --m_countByTag[size_t(entry.element->tag)];
    }
    m_entries.erase(m_entries.begin() + index);
}

void ActiveFormattingElements::insertAt(int index, Entry entry)
{
    if (!entry.isMarker()) {
        entry.element->inFormattingList = true;
        const int tag = entry.element->tag;
        if (tag >= int(m_countByTag.size()))
            m_countByTag.resize(size_t(tag) + 64, 0);
        ++m_countByTag[size_t(tag)];
    }
    m_entries.insert(m_entries.begin() + index, std::move(entry));
}

void ActiveFormattingElements::replaceElement(int index, ParserElement *element)
{
    Entry &entry = m_entries[size_t(index)];
    entry.element->inFormattingList = false;
    element->inFormattingList = true;
    entry.element = element; // same name, so the counts stay
}
