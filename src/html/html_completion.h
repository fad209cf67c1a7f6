#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// One name the completion offers: what it completes to, and how the list shows it.
struct HtmlOffer
{
    QString name;    // "table", "alt", "auml"
    QString display; // "table: Tabelle", "&auml; ä"
};

// What fits at a position of the HTML source: element names after "<" or "</" and in a tag's
// name, the attribute names an element takes (without those it has) in a start tag, named
// character references after "&".
struct HtmlCompletion
{
    bool caseSensitive = false;  // references are; element and attribute names are not
    bool reference = false;      // a chosen name gets its ';'
    qsizetype from = 0;          // where the name being typed starts
    qsizetype to = 0;            // where it ends, behind the position too
    QList<HtmlOffer> offers;     // every offer of the place, in the order shown

    bool isEmpty() const { return offers.isEmpty(); }
    // The offers that start with what is typed between `from` and the position.
    QList<HtmlOffer> fitting(QStringView typed) const;
};

HtmlCompletion htmlCompletionAt(QStringView text, qsizetype position);

// The text that takes the place of [position, completion.to) when `offer` is chosen with
// the caret at `position`: the rest of the name (in capitals after a typed capital name),
// and a reference's ';' unless one follows already.
QString htmlCompletionRest(const HtmlCompletion &completion, QStringView text, qsizetype position,
                           const HtmlOffer &offer);
