#pragma once

#include "html/conformance/finding.h"

#include <QList>

#include <vector>


// The standard's table model: cells laid into rows and columns by colspan and rowspan, where no
// two cells may overlap, no cell may reach past its row group, and every row and column must
// have a cell that begins in it.
class TableRules
{
public:
    explicit TableRules(QList<Finding> &findings);

    // The walk's step for each HTML element, in document order.
    void enter(const HtmlNode &element);

private:
    // A column: how far down it is taken (row index, exclusive), by which cell, whether a cell
    // begins in it, and which element made it.
    struct Column
    {
        int takenUntil = 0;
        const HtmlNode *takenBy = nullptr;
        bool hasCell = false;
        const HtmlNode *madeBy = nullptr;
    };

    void checkTable(const HtmlNode &table);
    int columnsFromMarkup(const HtmlNode &table);
    bool checkRowGroup(const HtmlNode &group, const std::vector<const HtmlNode *> &rows, int &y);
    // `next`: the row after it in its group, if any.
    bool placeRow(const HtmlNode &row, const HtmlNode *next, int y, int groupEnd, const HtmlNode &group);
    void checkRowWidth(const HtmlNode &row, const HtmlNode *next, int width);
    void checkColumns();

    void report(const char *key, SourceSpan span, const QStringList &arguments,
                CheckLevel level = CheckLevel::Error);

    QList<Finding> &m_findings;
    std::vector<Column> m_columns;
    int m_markupColumns = 0;
    int m_firstRowWidth = -1;
};
