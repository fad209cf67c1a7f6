#pragma once

#include "html/parser/html_tree.h"

#include <QList>
#include <QString>
#include <QStringView>

// Where the characters of a run were read, from one character of the run on: character i (i at or
// after `index`) was read at source offset `offset + (i - index)`, up to the next shift.
struct HtmlSourceShift
{
    qsizetype index;
    qsizetype offset;

    friend bool operator==(const HtmlSourceShift &, const HtmlSourceShift &) = default;
};

// One token of the standard's tokenizer.
struct HtmlToken
{
    enum class Type : unsigned char { Doctype, StartTag, EndTag, Comment, Characters, EndOfFile };

    Type type = Type::EndOfFile;
    QString name; // a tag's name in lower case, a doctype's name
    QString data; // Characters: a run of characters; Comment: its text
    QList<HtmlAttribute> attributes; // a repeated attribute is dropped, with its parse error
    bool selfClosing = false;
    // Doctype
    bool forceQuirks = false;
    bool hasName = false;
    bool hasPublicId = false;
    bool hasSystemId = false;
    QString publicId;
    QString systemId;
    // The whole token in the source; for Characters from the first character's source to the
    // last's.
    SourceSpan span;
    // Characters: where the run stops being one source unit per character, as after a line
    // break read from CR LF, a character reference, or markup that gave no token ("</>").
    // Empty for a run read as it stands.
    QList<HtmlSourceShift> shifts;

    // Characters: the source offset where data[index] was read; for data.size(), span.end().
    qsizetype sourceOffset(qsizetype index) const;
};

// The HTML standard's tokenizer, state for state. The tree construction pulls one token at a
// time and switches the state where the standard tells it to. Line breaks are read as the
// standard's input stream preprocessing does (CR LF and a lone CR are one LF), while the spans
// keep pointing into the text as it was given.
class HtmlTokenizer
{
public:
    // The states that the tree construction (or a test) sets from outside.
    enum class State : unsigned char { Data, Rcdata, Rawtext, ScriptData, Plaintext, CdataSection };

    // Parse errors are appended to `errors`, which must outlive the tokenizer. Each error's span
    // covers what it is about: the character read (length 0 at the end of the input), or a
    // whole character reference, a repeated attribute's name, an end tag, a "<!--" inside a
    // comment, the "/" before an attribute.
    HtmlTokenizer(QStringView input, QList<HtmlParseError> *errors);
    ~HtmlTokenizer();
    HtmlTokenizer(const HtmlTokenizer &) = delete;
    HtmlTokenizer &operator=(const HtmlTokenizer &) = delete;

    void switchTo(State state);
    // The name of the last start tag emitted, for "appropriate end tag" checks; tests set it.
    void setLastStartTag(const QString &name);
    // Whether <![CDATA[ opens a CDATA section: the adjusted current node is not in the HTML
    // namespace. The tree construction says so before each next().
    void setInForeignContent(bool foreign);

    // The next token; after the end of the input, EndOfFile again and again.
    HtmlToken next();

    // Every parse error code the tokenizer reports ("eof-in-tag", ...).
    static QList<const char *> errorCodes();

private:
    class Private;
    Private *d;
};
