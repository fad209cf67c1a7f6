#pragma once

#include "document/byte_model.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <utility>

// A plain editor on the byte form of a text, offering just what the conversion asks of an
// editor: lines, focus, a selection by offset and length, replacing the selection.
struct ReferenceEditor
{
    QByteArray text;
    qsizetype caret = 0;
    qsizetype selectionStart = 0;
    qsizetype selectionLength = 0;
    bool focused = false;
    int changes = 0;

    qsizetype lineCount() const { return LineModel::lineCount(text); }
    QByteArray line(qsizetype i) const { return LineModel::line(text, i).toByteArray(); }
    void focus() { focused = true; }
    void select(qsizetype start, qsizetype length)
    {
        selectionStart = start;
        selectionLength = length;
        caret = start + length;
    }
    void replaceSelection(const QByteArray &replacement)
    {
        text.replace(selectionStart, selectionLength, replacement);
        caret = selectionStart + replacement.size();
        selectionLength = 0;
        ++changes;
    }
};

// One sweep, step by step and slowly: pass by pass, line by line, every line read afresh and
// every offset summed up from the lines before it. True when anything was replaced.
inline bool referenceSweep(ReferenceEditor &editor)
{
    static const std::pair<char, QByteArray> passes[] = {
        {'\xe4', "&auml;"}, {'\xc4', "&Auml;"}, {'\xf6', "&ouml;"}, {'\xd6', "&Ouml;"},
        {'\xfc', "&uuml;"}, {'\xdc', "&Uuml;"}, {'\xdf', "&szlig;"},
    };
    bool replaced = false;
    for (const auto &[character, entity] : passes) {
        const qsizetype n = editor.lineCount();
        for (qsizetype i = 0; i < n; ++i) {
            const qsizetype p = editor.line(i).indexOf(character) + 1;
            if (p == 0)
                continue;
            qsizetype before = 0;
            for (qsizetype k = 0; k < i; ++k)
                before += editor.line(k).size();
            const qsizetype o = before + 2 * i + p - 1;
            editor.focus();
            editor.select(o, 1);
            editor.replaceSelection(entity);
            replaced = true;
        }
    }
    return replaced;
}

// A page of random lines in byte form: markup, plain letters, the seven characters, other
// accented letters, entities, empty lines and now and then a very long line.
inline QByteArray generatedPage(QRandomGenerator &random, int lines, int longLineLength)
{
    static const QByteArray convertible("\xe4\xc4\xf6\xd6\xfc\xdc\xdf");
    static const QByteArray otherLetters("\xe9\xe8\xeb\xe2\xc9\xf1\xe5\xf8\xc5\xff\xe3\xd5");
    static const QByteArray markup("<>/=\"&; ");
    static const QByteArray pieces[] = {"&auml;", "&amp;", "<img src=\"", "\">", "&#228;"};
    QByteArray page;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            page += "\r\n";
        const int kind = random.bounded(10);
        if (kind == 1 && longLineLength > 0) {
            // Long and mostly plain, with a few of the seven inside and one at the very end.
            QByteArray line(longLineLength / 2 + random.bounded(longLineLength / 2 + 1), 'x');
            for (int k = random.bounded(4); k > 0; --k)
                line[random.bounded(line.size())] = convertible[random.bounded(convertible.size())];
            page += line + convertible[random.bounded(convertible.size())];
            continue;
        }
        const int length = kind == 0 ? 0 : random.bounded(60);
        for (int k = 0; k < length; ++k) {
            const int pick = random.bounded(100);
            if (pick < 12)
                page += convertible[random.bounded(convertible.size())];
            else if (pick < 20)
                page += otherLetters[random.bounded(otherLetters.size())];
            else if (pick < 30)
                page += markup[random.bounded(markup.size())];
            else if (pick < 32)
                page += pieces[random.bounded(int(std::size(pieces)))];
            else
                page += char('a' + random.bounded(26));
        }
    }
    if (random.bounded(4) == 0)
        page += "\r\n";
    return page;
}
