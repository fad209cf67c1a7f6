#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Which name of the HTML source a position stands in, read from the text around it alone, and
// only so far around it, so that asking is cheap anywhere in a large page.
struct HtmlPlace
{
    enum Kind { Nothing, StartTagName, EndTagName, AttributeName, Reference };
    Kind kind = Nothing;
    // The name's characters, [nameStart, nameEnd); the position lies inside or at either end.
    // An empty name counts: a position right after "<", "</", "&" or a blank inside a tag.
    qsizetype nameStart = 0;
    qsizetype nameEnd = 0;
    qsizetype tagStart = -1; // the tag's '<', for tag and attribute names
    QString element;         // the tag's element name, for an attribute name
    QStringList others;      // the tag's other attribute names, for an attribute name

    QStringView name(QStringView text) const { return text.sliced(nameStart, nameEnd - nameStart); }
};

HtmlPlace htmlPlaceAt(QStringView text, qsizetype position);
