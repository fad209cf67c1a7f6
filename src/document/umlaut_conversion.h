#pragma once

#include <QStringView>

#include <array>
#include <vector>

class TextEditor;

// One row of the conversion table: the hidden find component of the main window that holds the
// search text, the character, and the entity that replaces it.
struct UmlautRow
{
    const char16_t *findDialog;
    char16_t character;
    const char16_t *entity;
};

// The rows in the order of the passes of a sweep. Nothing else is ever converted.
inline constexpr std::array<UmlautRow, 7> umlautRows = {{
    {u"FindDialog1", u'ä', u"&auml;"},
    {u"FindDialog2", u'Ä', u"&Auml;"},
    {u"FindDialog3", u'ö', u"&ouml;"},
    {u"FindDialog4", u'Ö', u"&Ouml;"},
    {u"FindDialog5", u'ü', u"&uuml;"},
    {u"FindDialog6", u'Ü', u"&Uuml;"},
    {u"FindDialog7", u'ß', u"&szlig;"},
}};

// What one sweep does to a text whose lines are separated by lineBreak: in every line the first
// occurrence of each table character is replaced. The replacements do not depend on each other
// (no entity holds a table character or a line break), so the sweep is planned in one scan.
struct SweepPlan
{
    struct Replacement
    {
        qsizetype position; // in the text before the sweep
        int row;            // index into umlautRows
    };
    std::vector<Replacement> replacements; // by position
    qsizetype caret = -1; // after the sweep: behind the entity replaced last, pass by pass
    qsizetype growth = 0; // how much longer the text gets
};

SweepPlan planSweep(QStringView text, QChar lineBreak);

// The first table character at or after from, or -1.
qsizetype findConvertible(QStringView text, qsizetype from = 0);

// The conversion that the save command's timer drives on an editor.
class UmlautConversion
{
public:
    explicit UmlautConversion(TextEditor *editor) : m_editor(editor) {}

    // One sweep over the editor's text as one change; true when anything was replaced. A sweep
    // that finds nothing touches neither the text, the caret nor the focus.
    bool sweep();

private:
    TextEditor *m_editor;
};
