#pragma once

#include "html/parser/html_tree.h"

#include <QStringView>

// Where the pieces of a run of characters came from. The tokenizer gives a run of text one span;
// when the tree construction splits the run (blanks before <html>, text in a table), each piece
// needs its own. Line breaks (CR LF is one LF) and character references (&amp; is one '&') make
// the run's text shorter than its source, so the source is read again alongside the text.
class CharacterSource
{
public:
    CharacterSource(QStringView source, QStringView data, SourceSpan span);

    // The source of the characters [from, to) of the run's text.
    SourceSpan span(qsizetype from, qsizetype to);

private:
    qsizetype offsetOf(qsizetype index);
    void step();
    bool stepOverReference();

    QStringView m_source;
    QStringView m_data;
    SourceSpan m_span;
    // data[m_index] begins at m_offset in the source
    qsizetype m_index = 0;
    qsizetype m_offset = 0;
};
