#pragma once

#include "html/parser/active_formatting_elements.h"
#include "html/parser/html_tokenizer.h"
#include "html/parser/html_tree.h"
#include "html/parser/open_elements.h"
#include "html/parser/tag_names.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <deque>
#include <vector>

// The standard's tree construction: pulls tokens from the tokenizer and builds the tree a
// browser builds, insertion mode by insertion mode, with scripting off. Every node keeps where
// in the source it came from; parse errors go to the document beside the tokenizer's.
class HtmlTreeBuilder
{
public:
    HtmlTreeBuilder(HtmlDocument &document, QStringView source);
    ~HtmlTreeBuilder();
    HtmlTreeBuilder(const HtmlTreeBuilder &) = delete;
    HtmlTreeBuilder &operator=(const HtmlTreeBuilder &) = delete;

    void parseDocument();
    // Parses as for innerHTML on an element of that name; the document's root then holds the
    // fragment's nodes.
    void parseFragment(const QString &contextName, HtmlNamespace contextNamespace);

private:
    enum class Mode : unsigned char {
        Initial, BeforeHtml, BeforeHead, InHead, InHeadNoscript, AfterHead, InBody, Text,
        InTable, InTableText, InCaption, InColumnGroup, InTableBody, InRow, InCell, InTemplate,
        AfterBody, InFrameset, AfterFrameset, AfterAfterBody, AfterAfterFrameset,
    };
    // Where a node goes: into `parent`, before `before` or, when that is null, at the end.
    struct Place
    {
        HtmlNode *parent = nullptr;
        HtmlNode *before = nullptr;
    };
    struct PendingText
    {
        QString text;
        SourceSpan span;
    };
    // What a <select> needs for its <selectedcontent>: which option is chosen, where it shows.
    struct SelectState
    {
        HtmlNode *selectedContent = nullptr;
        ParserElement *selectedOption = nullptr;
    };

    // The driver (tree_builder.cpp)
    void run();
    void dispatch(HtmlToken &token);
    void process(Mode mode, HtmlToken &token);
    void reprocess(HtmlToken &token);
    bool inHtmlContent(const HtmlToken &token) const;
    void stopParsing();
    void finish();

    // Characters of the current Characters token, from m_textFrom on
    QStringView restOfText() const;
    qsizetype leadingWhitespace() const;
    SourceSpan textSpan(qsizetype from, qsizetype to);
    void insertTextFromToken(qsizetype count);
    void skipText(qsizetype count);
    void skipTextWithError(qsizetype count, const char *code);

    // Errors
    void parseError(const char *code, const QString &name = {});
    void parseErrorAt(const char *code, SourceSpan span, const QString &name = {});
    void reportOpenElements(int from, SourceSpan fallback);
    void unexpectedToken(const HtmlToken &token);

    // Making and placing nodes
    ParserElement *newElement(HtmlNamespace ns, const QString &name, int tag,
                              const QList<HtmlAttribute> &attributes, SourceSpan startTag);
    ParserElement *elementFor(const HtmlToken &token);
    Place appropriatePlace(ParserElement *overrideTarget = nullptr) const;
    void insertAt(Place place, HtmlNode *node);
    static void appendChild(HtmlNode *parent, HtmlNode *child);
    static void detach(HtmlNode *node);
    ParserElement *insertElement(ParserElement *element);
    ParserElement *insertHtmlElement(const HtmlToken &token);
    ParserElement *insertImpliedElement(int tag, const QString &name);
    ParserElement *insertForeignElement(HtmlToken &token, HtmlNamespace ns);
    // `whole`, where given, is the same text as a string the node may share.
    void insertText(QStringView text, SourceSpan span, const QString *whole = nullptr);
    void insertComment(const HtmlToken &token);
    void appendComment(const HtmlToken &token, HtmlNode *parent);
    void addMissingAttributes(HtmlNode *node, const QList<HtmlAttribute> &attributes);

    // The stack of open elements
    ParserElement *currentElement() const { return m_open.current(); }
    bool currentIs(int tag) const { return !m_open.isEmpty() && currentElement()->tag == tag; }
    bool currentHas(unsigned flag) const;
    ParserElement *adjustedCurrentNode() const;
    void popCurrent();
    void popUntil(int tag, SourceSpan endTag = {});
    void popUntilElement(const ParserElement *element, SourceSpan endTag = {});
    void popUntilHeading(SourceSpan endTag);
    void popWhileNot(std::initializer_list<int> tags);
    void generateImpliedEndTags(int except = -1);
    void generateImpliedEndTagsThoroughly();
    void expectCurrent(int tag);
    bool isFragmentCase() const { return m_context != nullptr; }

    // The algorithms the insertion modes share
    void reconstructFormatting();
    bool adoptionAgency(const HtmlToken &token, int subject);
    void resetInsertionMode();
    void closePElement();
    void closeCell();
    void closeSelect();
    void insertCharactersInBody(QStringView text, SourceSpan span);
    void insertWhitespaceInBody(qsizetype count);
    void parseRawText(const HtmlToken &token, HtmlTokenizer::State state);
    void ignoreNextNewline() { m_skipNewline = true; }
    void acknowledgeSelfClosing() { m_acknowledged = true; }
    void noteOptionInserted(ParserElement *option);
    void noteSelectedContentInserted(ParserElement *selectedContent);
    ParserElement *selectOfOption() const;
    void optionPopped(ParserElement *option);
    void cloneChildren(const HtmlNode *from, HtmlNode *into);

    // The insertion modes (tree_builder_modes.cpp)
    void initial(HtmlToken &token);
    void beforeHtml(HtmlToken &token);
    void beforeHead(HtmlToken &token);
    void inHead(HtmlToken &token);
    void inHeadNoscript(HtmlToken &token);
    void afterHead(HtmlToken &token);
    void inBody(HtmlToken &token);
    void inBodyStartTag(HtmlToken &token);
    void inBodyEndTag(HtmlToken &token);
    void inBodyEndOfFile(HtmlToken &token);
    void inBodyListItem(HtmlToken &token);
    void inBodyOtherEndTag(HtmlToken &token);
    void inBodyBlockEndTag(HtmlToken &token);
    void text(HtmlToken &token);
    void inTable(HtmlToken &token);
    void inTableAnythingElse(HtmlToken &token);
    void inTableText(HtmlToken &token);
    void inCaption(HtmlToken &token);
    void inColumnGroup(HtmlToken &token);
    void inTableBody(HtmlToken &token);
    void inRow(HtmlToken &token);
    void inCell(HtmlToken &token);
    void inTemplate(HtmlToken &token);
    void afterBody(HtmlToken &token);
    void inFrameset(HtmlToken &token);
    void afterFrameset(HtmlToken &token);
    void afterAfterBody(HtmlToken &token);
    void afterAfterFrameset(HtmlToken &token);
    void inForeignContent(HtmlToken &token);
    void inForeignContentEndTag(HtmlToken &token);
    void breakOutOfForeignContent(HtmlToken &token);
    void switchToTemplateMode(Mode mode, HtmlToken &token);
    void leaveEndBodyOrHtml();

    HtmlDocument &m_document;
    QStringView m_source;
    HtmlTokenizer m_tokenizer;
    TagNames m_tags;
    std::deque<ParserElement> m_elements;
    OpenElements m_open;
    ActiveFormattingElements m_formatting;
    std::vector<Mode> m_templateModes;
    std::vector<PendingText> m_pendingTableText;
    QHash<const HtmlNode *, SelectState> m_selects;

    Mode m_mode = Mode::Initial;
    Mode m_originalMode = Mode::Initial;
    ParserElement *m_head = nullptr;
    ParserElement *m_form = nullptr;
    ParserElement *m_context = nullptr;
    bool m_framesetOk = true;
    bool m_fosterParenting = false;
    bool m_skipNewline = false;
    bool m_acknowledged = false;
    bool m_stopped = false;

    // The token being processed
    int m_tokenTag = 0;
    qsizetype m_textFrom = 0;
    const HtmlToken *m_token = nullptr;
};
