#include "document/tag_matching.h"

#include "document/text_editor.h"
#include "html/html_tag_pair.h"

#include <QTextCursor>

namespace {

// Tells our marks from those others put into the editor.
constexpr int markProperty = QTextFormat::UserProperty + 19;

QTextEdit::ExtraSelection mark(QTextDocument *document, const HtmlTagRange &range)
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(document);
    selection.cursor.setPosition(int(range.start));
    selection.cursor.setPosition(int(range.end), QTextCursor::KeepAnchor);
    selection.format.setBackground(QColor(0xff, 0xee, 0xa0));
    selection.format.setProperty(markProperty, true);
    return selection;
}

} // namespace

TagMatching::TagMatching(TextEditor *editor) : QObject(editor), m_editor(editor)
{
    m_later.setSingleShot(true);
    m_later.setInterval(0);
    connect(&m_later, &QTimer::timeout, this, &TagMatching::update);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, &m_later, qOverload<>(&QTimer::start));
    connect(editor, &TextEditor::documentChanged, &m_later, qOverload<>(&QTimer::start));
}

void TagMatching::update()
{
    const QTextCursor caret = m_editor->textCursor();
    const std::optional<HtmlTagPair> pair =
        caret.hasSelection() ? std::nullopt : htmlTagPairAt(m_editor->rawText(), caret.position());
    if (!pair && !m_marking)
        return;
    QList<QTextEdit::ExtraSelection> selections;
    for (const QTextEdit::ExtraSelection &selection : m_editor->extraSelections()) {
        if (!selection.format.hasProperty(markProperty))
            selections.append(selection);
    }
    m_marking = bool(pair);
    if (pair) {
        selections.append(mark(m_editor->document(), pair->at));
        selections.append(mark(m_editor->document(), pair->partner));
    }
    m_editor->setExtraSelections(selections);
}
