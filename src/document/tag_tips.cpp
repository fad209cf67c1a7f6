#include "document/tag_tips.h"

#include "document/text_editor.h"
#include "html/html_place.h"
#include "html/html_reference.h"

#include <QHelpEvent>
#include <QTextCursor>
#include <QToolTip>

TagTips::TagTips(TextEditor *editor) : QObject(editor), m_editor(editor)
{
    editor->viewport()->installEventFilter(this);
}

QString TagTips::tipAt(const QPoint &position, QRect *name) const
{
    const QTextCursor cursor = m_editor->cursorForPosition(position);
    // Right of a line's end the nearest position is that end: no name is under the mouse there.
    const QRect caret = m_editor->cursorRect(cursor);
    if (position.x() > caret.right() + m_editor->fontMetrics().averageCharWidth())
        return {};
    const QString &text = m_editor->rawText();
    const HtmlPlace place = htmlPlaceAt(text, cursor.position());
    if (place.nameStart == place.nameEnd)
        return {};
    if (name) {
        QTextCursor edge(m_editor->document());
        edge.setPosition(int(place.nameStart));
        *name = m_editor->cursorRect(edge);
        edge.setPosition(int(place.nameEnd));
        *name = name->united(m_editor->cursorRect(edge));
    }
    switch (place.kind) {
    case HtmlPlace::StartTagName:
    case HtmlPlace::EndTagName:
        return htmlElementTip(place.name(text));
    case HtmlPlace::AttributeName:
        return htmlAttributeTip(place.element, place.name(text));
    default:
        return {};
    }
}

bool TagTips::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    QRect name;
    const QString tip = tipAt(help->pos(), &name);
    if (tip.isEmpty())
        return false; // no name here: whoever else shows tips in the editor may
    QToolTip::showText(help->globalPos(), tip, m_editor->viewport(), name);
    return true;
}
