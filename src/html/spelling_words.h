#pragma once

#include "html/html_lexer.h"

#include <QList>
#include <QString>
#include <QStringView>

// A word of a page's readable text: [start, end) in the line's characters, and what it reads
// as, with character references taken as the characters they stand for.
struct SpellingWord
{
    int start;
    int end;
    QString text;
    bool writtenWithReferences; // a letter of it stood as a character reference
    bool fullStopAfter;         // "bzw." is a word only with its full stop

    friend bool operator==(const SpellingWord &, const SpellingWord &) = default;
};

// The words of a line that a dictionary should know: the text between tags and the values of
// alt and title attributes. Not tag or attribute names, other values, comments, script or
// style content, web and e-mail addresses, words with digits or in capitals only. `state` is
// the state the line starts in, `spans` what lexHtmlLine() gave for it.
QList<SpellingWord> spellingWords(QStringView line, int state, const QList<HtmlSpan> &spans);
QList<SpellingWord> spellingWords(QStringView line, int state);

// A word as a page writes it that stood with references: every letter beyond ASCII as one.
QString withCharacterReferences(QStringView word);
