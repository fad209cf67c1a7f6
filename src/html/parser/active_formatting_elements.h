#pragma once

#include "html/parser/html_tree.h"

#include <QList>
#include <QString>

#include <vector>

struct ParserElement;

// The list of active formatting elements: <b>, <i>, <a>, ... still to be reopened where text
// follows, with markers at table cells, captions, templates and objects. Each entry keeps the
// name and attributes of the tag it came from, to make the element again.
class ActiveFormattingElements
{
public:
    struct Entry
    {
        ParserElement *element = nullptr; // nullptr for a marker
        QString name;
        QList<HtmlAttribute> attributes;

        bool isMarker() const { return element == nullptr; }
    };

    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return int(m_entries.size()); }
    Entry &at(int index) { return m_entries[size_t(index)]; }

    void pushMarker();
    // Adds an element, first dropping the earliest of three equal ones since the last marker.
    void push(ParserElement *element, const QString &name, const QList<HtmlAttribute> &attributes);
    void clearToLastMarker();

    // The last element of that name after the last marker, or -1.
    int lastIndexAfterMarker(int tag) const;
    int indexOf(const ParserElement *element) const;
    void removeAt(int index);
    void insertAt(int index, Entry entry);
    void replaceElement(int index, ParserElement *element);

private:
    std::vector<Entry> m_entries;
    std::vector<int> m_countByTag; // entries of each name, markers or not; spares the search
};
