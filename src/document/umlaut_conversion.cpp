#include "document/umlaut_conversion.h"

#include "document/text_editor.h"
#include "foundation/error.h"

#include <QTextCursor>

#include <algorithm>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// All table characters lie in U+00C4 ... U+00FC; a cheap range test over a block of text tells
// whether that block needs a closer look.
constexpr char16_t lowest = 0xC4;
constexpr char16_t span = 0xFC - lowest + 1;

constexpr std::array<signed char, span> rowTable = [] {
    std::array<signed char, span> table{};
    table.fill(-1);
    for (size_t row = 0; row < umlautRows.size(); ++row)
        table[umlautRows[row].character - lowest] = static_cast<signed char>(row);
    return table;
}();

static_assert(std::all_of(umlautRows.begin(), umlautRows.end(),
                          [](const UmlautRow &row) { return row.character >= lowest
                                                            && row.character - lowest < span; }));

inline bool inRange(char16_t c)
{
    return char16_t(c - lowest) < span;
}

inline int rowOf(char16_t c)
{
    return inRange(c) ? rowTable[c - lowest] : -1;
}

qsizetype entityLength(int row)
{
    return qsizetype(std::char_traits<char16_t>::length(umlautRows[row].entity));
}

} // namespace

qsizetype findConvertible(QStringView text, qsizetype from)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    // Blocks of a fixed size with no early exit inside, so that the compiler can vectorise the
    // range test; only blocks that hold a character of the range are searched exactly.
    constexpr qsizetype block = 64;
    qsizetype i = from;
    for (; i + block <= size; i += block) {
        bool any = false;
        for (qsizetype j = 0; j < block; ++j)
            any |= inRange(data[i + j]);
        if (!any)
            continue;
        for (qsizetype j = 0; j < block; ++j) {
            if (rowOf(data[i + j]) >= 0)
                return i + j;
        }
    }
    for (; i < size; ++i) {
        if (rowOf(data[i]) >= 0)
            return i;
    }
    return -1;
}

SweepPlan planSweep(QStringView text, QChar lineBreak)
{
    SweepPlan plan;
    qsizetype lineEnd = -1; // the line break that ends the line of the last hit
    unsigned seen = 0;      // rows already met in that line
    int lastRow = -1;
    qsizetype lastPosition = -1;
    for (qsizetype i = findConvertible(text); i >= 0; i = findConvertible(text, i + 1)) {
        if (i > lineEnd) {
            seen = 0;
            lineEnd = text.indexOf(lineBreak, i);
            if (lineEnd < 0)
                lineEnd = text.size();
        }
        const int row = rowOf(text[i].unicode());
        if (seen & (1u << row))
            continue; // later occurrences wait for later sweeps
        seen |= 1u << row;
        plan.replacements.push_back({i, row});
        // Pass by pass, the last replacement is the one furthest down in the highest pass.
        if (row >= lastRow) {
            lastRow = row;
            lastPosition = i;
        }
    }
    qsizetype shift = 0; // what the replacements before the last one add in front of it
    for (const SweepPlan::Replacement &r : plan.replacements) {
        const qsizetype added = entityLength(r.row) - 1;
        if (r.position < lastPosition)
            shift += added;
        plan.growth += added;
    }
    if (lastRow >= 0)
        plan.caret = lastPosition + shift + entityLength(lastRow);
    return plan;
}

bool UmlautConversion::sweep()
{
    const SweepPlan plan = planSweep(m_editor->rawText(), QChar::ParagraphSeparator);
    if (plan.replacements.empty())
        return false;
    if (m_editor->length() + plan.growth > m_editor->capacity())
        throw Error(u"Text exceeds memo capacity"_s);

    // While a modal dialog is open this only marks the editor as the one to get the focus when
    // the main window is active again; the keyboard focus stays in the dialog.
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->editAsOneChange([&](QTextCursor &cursor) {
        // From the end backwards, so that the planned positions stay valid.
        for (auto r = plan.replacements.rbegin(); r != plan.replacements.rend(); ++r) {
            cursor.setPosition(r->position);
            cursor.setPosition(r->position + 1, QTextCursor::KeepAnchor);
            cursor.insertText(QString::fromUtf16(umlautRows[r->row].entity));
        }
        cursor.setPosition(plan.caret);
    });
    return true;
}
