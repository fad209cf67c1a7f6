#pragma once

#include "html/check_protocol.h"

#include <QList>
#include <QString>
#include <QStringView>

class HtmlDocument;

// What the page check is told besides the page's text.
struct ConformanceOptions
{
    // The folder the page's relative links and pictures are looked up in; empty: not looked up.
    QString pageFolder;
};

// Checks a page as the HTML standard judges it: the parse errors of its tokenizer and tree
// construction, then the authoring rules on the tree. The messages are sorted by place and
// carry keys whose German texts ConformanceTexts gives.
QList<CheckMessage> checkPage(QStringView page, const ConformanceOptions &options = {});

// The same on a page already parsed from `page`.
QList<CheckMessage> checkDocument(const HtmlDocument &document, QStringView page,
                                  const ConformanceOptions &options = {});
