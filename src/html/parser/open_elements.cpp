#include "html/parser/open_elements.h"

void OpenElements::push(ParserElement *element)
{
    m_entries.push_back(Entry{element, -1, {}});
    link(size() - 1);
}

ParserElement *OpenElements::pop()
{
    ParserElement *element = current();
    unlink(size() - 1);
    m_entries.pop_back();
    return element;
}

// Entries above a change in the middle are taken off the bookkeeping and put back, which costs
// no more than moving them in the vector.
void OpenElements::removeAt(int index)
{
    unlinkDownTo(index);
    m_entries.erase(m_entries.begin() + index);
    relinkFrom(index);
}

void OpenElements::insertAt(int index, ParserElement *element)
{
    unlinkDownTo(index);
    m_entries.insert(m_entries.begin() + index, Entry{element, -1, {}});
    relinkFrom(index);
}

void OpenElements::replaceAt(int index, ParserElement *element)
{
    unlinkDownTo(index);
    m_entries[size_t(index)].element = element;
    relinkFrom(index);
}

int OpenElements::topIndexOf(int tag) const
{
    return tag < int(m_topIndex.size()) ? m_topIndex[size_t(tag)] : -1;
}

bool OpenElements::inScope(int tag, Boundary scope) const
{
    const int index = topIndexOf(tag);
    return index >= 0 && index >= boundaryAtOrBelow(size() - 1, scope);
}

bool OpenElements::inScope(const ParserElement *element, Boundary scope) const
{
    return element->stackIndex >= 0
        && element->stackIndex >= boundaryAtOrBelow(size() - 1, scope);
}

int OpenElements::boundaryAtOrBelow(int index, Boundary kind) const
{
    return index < 0 ? -1 : m_entries[size_t(index)].boundary[size_t(kind)];
}

void OpenElements::link(int index)
{
    Entry &entry = m_entries[size_t(index)];
    const int tag = entry.element->tag;
    if (tag >= int(m_topIndex.size()))
        m_topIndex.resize(size_t(tag) + 64, -1);
    entry.previousSameTag = m_topIndex[size_t(tag)];
    m_topIndex[size_t(tag)] = index;
    const unsigned flags = tagFlags(tag);
    for (int kind = 0; kind < boundaryKinds; ++kind) {
        if (flags & (1u << kind))
            entry.boundary[size_t(kind)] = index;
        else
            entry.boundary[size_t(kind)] = index > 0 ? m_entries[size_t(index - 1)].boundary[size_t(kind)] : -1;
    }
    entry.element->stackIndex = index;
}

void OpenElements::unlink(int index)
{
    Entry &entry = m_entries[size_t(index)];
    m_topIndex[size_t(entry.element->tag)] = entry.previousSameTag;
    entry.element->stackIndex = -1;
}

void OpenElements::unlinkDownTo(int index)
{
    for (int i = size() - 1; i >= index; --i)
        unlink(i);
}

void OpenElements::relinkFrom(int index)
{
    for (int i = index; i < size(); ++i)
        link(i);
}
