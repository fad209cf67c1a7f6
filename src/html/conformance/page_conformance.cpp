#include "html/conformance/page_conformance.h"

#include "html/conformance/attribute_rules.h"
#include "html/conformance/content_rules.h"
#include "html/conformance/document_rules.h"
#include "html/conformance/local_references.h"
#include "html/conformance/rule_keys.h"
#include "html/conformance/table_rules.h"
#include "html/conformance/tree_walk.h"
#include "html/parser/html_tree.h"
#include "html/parser/source_lines.h"

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// Slips of attribute syntax that old presentational markup carries, like the empty color= the
// font button writes: within such markup they are part of its warning.
bool isAttributeSlip(QLatin1StringView code)
{
    for (const char *slip : {"missing-attribute-value", "unexpected-character-in-unquoted-attribute-value",
                             "unexpected-character-in-attribute-name", "missing-whitespace-between-attributes",
                             "unexpected-equals-sign-before-attribute-name"}) {
        if (code == QLatin1StringView(slip))
            return true;
    }
    return false;
}

bool lies(SourceSpan span, const QList<SourceSpan> &sortedRanges)
{
    // The last range starting at or before the span.
    auto after = std::upper_bound(sortedRanges.cbegin(), sortedRanges.cend(), span.offset,
                                  [](qsizetype offset, const SourceSpan &range) { return offset < range.offset; });
    if (after == sortedRanges.cbegin())
        return false;
    const SourceSpan &range = *std::prev(after);
    return span.offset < range.end() + 1; // the closing quote of a value counts
}

// The doctype the rules judge themselves, telling an old doctype from a wrong one.
bool isDoctypeJudgedByRules(QLatin1StringView code)
{
    return code == QLatin1StringView("missing-doctype") || code == QLatin1StringView("non-conforming-doctype");
}

bool contains(SourceSpan outer, const QList<SourceSpan> &sortedSpans)
{
    for (const SourceSpan &span : sortedSpans) {
        if (span.offset >= outer.offset && span.end() <= outer.end())
            return true;
    }
    return false;
}

void addParseErrors(const HtmlDocument &document, QList<SourceSpan> presentational, QList<Finding> &findings)
{
    std::sort(presentational.begin(), presentational.end(),
              [](const SourceSpan &a, const SourceSpan &b) { return a.offset < b.offset; });
    for (const HtmlParseError &error : document.errors) {
        const QLatin1StringView code(error.code);
        if (isDoctypeJudgedByRules(code))
            continue;
        Finding finding{QString(code), CheckLevel::Error, error.span, {}};
        if (!error.name.isEmpty())
            finding.arguments.append(error.name);
        if (isAttributeSlip(code) && error.span.isValid() && lies(error.span, presentational))
            finding.level = CheckLevel::Warning;
        // The background button after the page skeleton writes a second <body>: the browser
        // takes its presentational attributes over to the first.
        if (code == QLatin1StringView("repeated-start-tag") && error.name == u"body"_s
            && contains(error.span, presentational)) {
            finding.key = QString::fromLatin1(RuleKey::BodySecondPresentational);
            finding.level = CheckLevel::Warning;
        }
        findings.append(finding);
    }
}

// The findings sorted by place, with line, column and length as the editor counts them: the
// column is counted on from the previous finding on the same line, so a long line is read once.
QList<CheckMessage> toMessages(QList<Finding> &findings, QStringView page)
{
    // Sorted by place through their indexes: a finding is dear to move.
    std::vector<qsizetype> order(findings.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return std::max<qsizetype>(findings[a].span.offset, 0) < std::max<qsizetype>(findings[b].span.offset, 0);
    });
    const SourceLines lines(page);
    QList<CheckMessage> messages;
    messages.reserve(findings.size());
    qsizetype previousOffset = -1;
    int previousLine = 0;
    int previousColumn = 0;
    for (const qsizetype index : order) {
        Finding &finding = findings[index];
        const qsizetype offset = std::clamp<qsizetype>(finding.span.offset, 0, page.size());
        const int line = lines.line(offset);
        int column = 0;
        if (line == previousLine && offset >= previousOffset)
            column = previousColumn + int(lines.characters(previousOffset, offset));
        else
            column = lines.column(offset);
        const qsizetype length = std::clamp<qsizetype>(finding.span.length, 0, 4096);
        CheckMessage message;
        message.key = std::move(finding.key);
        message.line = line;
        message.column = column;
        message.length = int(lines.characters(offset, offset + length));
        message.level = finding.level;
        message.arguments = std::move(finding.arguments);
        messages.append(std::move(message));
        previousOffset = offset;
        previousLine = line;
        previousColumn = column;
    }
    return messages;
}

// One walk over the tree for every rule: inside SVG and MathML only the page-wide rules (ids)
// look, the others judge such an element as a whole where it stands.
class RuleWalk
{
public:
    RuleWalk(QStringView page, QList<Finding> &findings)
        : m_catalog(ConformanceCatalog::instance()), m_attributes(findings), m_content(page, findings),
          m_document(page, findings), m_tables(findings)
    {
    }

    void run(const HtmlDocument &document)
    {
        if (!document.root())
            return;
        m_content.begin(document);
        m_document.begin(document);
        walkTree(*document.root(), *this);
        m_document.end();
    }

    const QList<SourceSpan> &presentationalSpans() const { return m_attributes.presentationalSpans(); }

    bool enter(const HtmlNode &node)
    {
        const bool element = node.kind == HtmlNode::Kind::Element;
        m_document.enter(node);
        if (m_foreign > 0) {
            m_foreign += element;
            return true;
        }
        const bool html = element && node.ns == HtmlNamespace::Html;
        const ElementRule *rule = html ? m_catalog.element(node.name) : nullptr;
        m_content.enter(node, rule);
        if (html) {
            m_attributes.enter(node, rule);
            m_tables.enter(node);
        } else if (element) {
            m_foreign = 1;
        }
        return true;
    }

    void leave(const HtmlNode &node)
    {
        m_document.leave(node);
        if (m_foreign > 0 && node.kind == HtmlNode::Kind::Element) {
            --m_foreign;
            return;
        }
        m_content.leave(node);
    }

private:
    const ConformanceCatalog &m_catalog;
    AttributeRules m_attributes;
    ContentRules m_content;
    DocumentRules m_document;
    TableRules m_tables;
    int m_foreign = 0; // elements open inside SVG or MathML, the outermost included
};

} // namespace

QList<CheckMessage> checkPage(QStringView page, const ConformanceOptions &options)
{
    return checkDocument(parseHtml(page), page, options);
}

QList<CheckMessage> checkDocument(const HtmlDocument &document, QStringView page,
                                  const ConformanceOptions &options)
{
    QList<Finding> findings;
    RuleWalk rules(page, findings);
    rules.run(document);
    addParseErrors(document, rules.presentationalSpans(), findings);
    // Told no folder (as for pages read from a test suite), the page's links are not followed.
    if (!options.pageFolder.isEmpty())
        findings += checkLocalReferences(document, options.pageFolder);
    return toMessages(findings, page);
}
