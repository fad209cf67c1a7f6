#include "html/conformance/table_rules.h"

#include "html/conformance/content_rules.h"
#include "html/conformance/rule_keys.h"

using namespace Qt::StringLiterals;

namespace {

// Wider tables are not laid out: a few cells with large colspans must not cost much memory.
constexpr int maximumColumns = 4096;

// The standard's rules for parsing a non-negative integer, limited to [minimum, maximum];
// `fallback` when the value has no digits.
int spanValue(const HtmlNode &element, QStringView name, int fallback, int minimum, int maximum)
{
    const HtmlAttribute *attribute = element.attribute(name);
    if (!attribute)
        return fallback;
    QStringView value = QStringView(attribute->value).trimmed();
    if (value.startsWith(u'+'))
        value = value.mid(1);
    qint64 number = 0;
    qsizetype digits = 0;
    while (digits < value.size() && value[digits].isDigit() && value[digits].unicode() < 128) {
        number = std::min<qint64>(number * 10 + (value[digits].unicode() - u'0'), 1000000);
        ++digits;
    }
    if (digits == 0)
        return fallback;
    return int(std::clamp<qint64>(number, minimum, maximum));
}

bool isCell(const HtmlNode &node)
{
    return node.isElement(u"td"_s) || node.isElement(u"th"_s);
}

// Where a row ends, as the validator names a row's width: its end tag, else where the next row
// begins, else the end tag of its row group or table.
SourceSpan rowEnd(const HtmlNode &row, const HtmlNode *next)
{
    if (row.endTag.isValid())
        return row.endTag;
    if (next && next->startTag.isValid())
        return SourceSpan{next->startTag.offset, 0};
    const HtmlNode *outer = row.parent;
    for (int step = 0; outer && step < 2; ++step, outer = outer->parent) {
        if (outer->endTag.isValid())
            return outer->endTag;
    }
    return placeOf(row);
}

bool isRowGroup(const HtmlNode &node)
{
    return node.isElement(u"thead"_s) || node.isElement(u"tbody"_s) || node.isElement(u"tfoot"_s);
}

} // namespace

TableRules::TableRules(QList<Finding> &findings) : m_findings(findings) {}

void TableRules::enter(const HtmlNode &element)
{
    if (element.name == u"table"_s)
        checkTable(element);
}

void TableRules::checkTable(const HtmlNode &table)
{
    m_columns.clear();
    m_firstRowWidth = -1;
    m_markupColumns = columnsFromMarkup(table);
    int y = 0;
    std::vector<const HtmlNode *> looseRows; // <tr> straight in <table>, as a script may put them
    auto flushLooseRows = [&]() {
        const bool fits = looseRows.empty() || checkRowGroup(table, looseRows, y);
        looseRows.clear();
        return fits;
    };
    for (const HtmlNode *child : table.children) {
        if (child->isElement(u"tr"_s)) {
            looseRows.push_back(child);
            continue;
        }
        if (!isRowGroup(*child))
            continue;
        if (!flushLooseRows())
            return;
        std::vector<const HtmlNode *> rows;
        for (const HtmlNode *row : child->children) {
            if (row->isElement(u"tr"_s))
                rows.push_back(row);
        }
        if (!checkRowGroup(*child, rows, y))
            return;
    }
    if (flushLooseRows())
        checkColumns();
}

int TableRules::columnsFromMarkup(const HtmlNode &table)
{
    for (const HtmlNode *group : table.children) {
        if (!group->isElement(u"colgroup"_s))
            continue;
        bool hasCols = false;
        for (const HtmlNode *col : group->children) {
            if (col->isElement(u"col"_s)) {
                hasCols = true;
                m_columns.resize(std::min<std::size_t>(m_columns.size() + spanValue(*col, u"span"_s, 1, 1, 1000),
                                                       maximumColumns),
                                 Column{0, nullptr, false, col});
            }
        }
        if (!hasCols)
            m_columns.resize(std::min<std::size_t>(m_columns.size() + spanValue(*group, u"span"_s, 1, 1, 1000),
                                                   maximumColumns),
                             Column{0, nullptr, false, group});
    }
    return int(m_columns.size());
}

bool TableRules::checkRowGroup(const HtmlNode &group, const std::vector<const HtmlNode *> &rows, int &y)
{
    const int groupEnd = y + int(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!placeRow(*rows[i], i + 1 < rows.size() ? rows[i + 1] : nullptr, y, groupEnd, group))
            return false;
        ++y;
    }
    // No cell reaches into the next row group.
    for (Column &column : m_columns)
        column.takenUntil = 0;
    return true;
}

bool TableRules::placeRow(const HtmlNode &row, const HtmlNode *next, int y, int groupEnd, const HtmlNode &group)
{
    int x = 0;
    bool hasCell = false;
    for (const HtmlNode *cell : row.children) {
        if (!isCell(*cell))
            continue;
        while (x < int(m_columns.size()) && m_columns[x].takenUntil > y)
            ++x;
        const int colspan = spanValue(*cell, u"colspan"_s, 1, 1, 1000);
        const int rowspan = spanValue(*cell, u"rowspan"_s, 1, 0, 65534);
        if (x + colspan > maximumColumns)
            return false;
        if (int(m_columns.size()) < x + colspan)
            m_columns.resize(x + colspan, Column{0, nullptr, false, cell});
        int end = rowspan == 0 ? groupEnd : y + rowspan;
        if (end > groupEnd) {
            report(RuleKey::TableCellPastRowGroup, placeOf(*cell), {QString::number(rowspan), group.name});
            end = groupEnd;
        }
        bool overlaps = false;
        for (int column = x; column < x + colspan; ++column) {
            Column &slot = m_columns[column];
            overlaps = overlaps || slot.takenUntil > y;
            slot.takenUntil = std::max(slot.takenUntil, end);
            slot.takenBy = cell;
        }
        if (overlaps)
            report(RuleKey::TableCellsOverlap, placeOf(*cell), {});
        m_columns[x].hasCell = true;
        x += colspan;
        hasCell = true;
    }
    // The row is as wide as its own cells and those reaching down into it from above.
    int width = x;
    for (int column = int(m_columns.size()) - 1; column >= width; --column) {
        if (m_columns[column].takenUntil > y) {
            width = column + 1;
            break;
        }
    }
    if (!hasCell)
        report(RuleKey::TableRowEmpty, placeOf(row), {});
    checkRowWidth(row, next, width);
    return true;
}

void TableRules::checkRowWidth(const HtmlNode &row, const HtmlNode *next, int width)
{
    const int expected = m_markupColumns > 0 ? m_markupColumns : m_firstRowWidth;
    if (expected < 0) {
        m_firstRowWidth = width;
        return;
    }
    if (width == expected)
        return;
    const QStringList arguments = {QString::number(width), QString::number(expected)};
    if (m_markupColumns > 0)
        report(width < expected ? RuleKey::TableRowNarrowerThanColumns : RuleKey::TableRowWiderThanColumns,
               rowEnd(row, next), arguments);
    else
        report(width < expected ? RuleKey::TableRowNarrower : RuleKey::TableRowWider, rowEnd(row, next), arguments,
               CheckLevel::Warning);
}

void TableRules::checkColumns()
{
    for (int column = 0; column < int(m_columns.size()); ++column) {
        if (m_columns[column].hasCell)
            continue;
        int last = column;
        while (last + 1 < int(m_columns.size()) && !m_columns[last + 1].hasCell
               && m_columns[last + 1].madeBy == m_columns[column].madeBy)
            ++last;
        const SourceSpan place = m_columns[column].madeBy ? placeOf(*m_columns[column].madeBy) : SourceSpan{};
        if (last == column)
            report(RuleKey::TableColumnEmpty, place, {QString::number(column + 1)});
        else
            report(RuleKey::TableColumnsEmpty, place, {QString::number(column + 1), QString::number(last + 1)});
        column = last;
    }
}

void TableRules::report(const char *key, SourceSpan span, const QStringList &arguments, CheckLevel level)
{
    m_findings.append(Finding{QString::fromLatin1(key), level, span, arguments});
}
