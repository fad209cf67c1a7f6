#include "document/tag_completion.h"

#include "document/text_editor.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

// The offers of one place: the list shows their descriptions and filters on their names.
class OfferModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void setOffers(const QList<HtmlOffer> &offers)
    {
        if (offers.isSharedWith(m_offers))
            return; // the same list again (the references): the completer keeps its filter
        beginResetModel();
        m_offers = offers;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_offers.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_offers.size())
            return {};
        const HtmlOffer &offer = m_offers.at(index.row());
        if (role == Qt::DisplayRole)
            return offer.display;
        if (role == Qt::EditRole)
            return offer.name;
        return {};
    }

private:
    QList<HtmlOffer> m_offers;
};

namespace {

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
           || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

// Wide enough for the longest entry, measured on that one alone: asking the list for the width
// of every row would take longer than the rest of opening it, with the 2,125 references.
int listWidth(const QAbstractItemView *list, const QList<HtmlOffer> &offers)
{
    const auto longest = std::max_element(offers.begin(), offers.end(),
                                          [](const HtmlOffer &a, const HtmlOffer &b) {
                                              return a.display.size() < b.display.size();
                                          });
    const int text = list->fontMetrics().horizontalAdvance(longest->display);
    return text * 11 / 10 + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
}

} // namespace

TagCompletion::TagCompletion(TextEditor *editor) : QObject(editor), m_editor(editor)
{
    editor->installEventFilter(this);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &TagCompletion::follow);
}

bool TagCompletion::isOpen() const
{
    return m_completer && m_completer->popup()->isVisible();
}

bool TagCompletion::open()
{
    if (m_editor->isReadOnly())
        return false;
    const QString &text = m_editor->rawText();
    const int caret = m_editor->textCursor().position();
    m_completion = htmlCompletionAt(text, caret);
    if (m_completion.isEmpty())
        return false;
    if (!m_completer) {
        m_model = new OfferModel(this);
        m_completer = new QCompleter(m_model, this);
        m_completer->setWidget(m_editor);
        m_completer->setCompletionMode(QCompleter::PopupCompletion);
        m_completer->setMaxVisibleItems(12);
        // Installed after the completer's own filter, so it sees the list's keys first.
        m_completer->popup()->installEventFilter(this);
        connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this,
                &TagCompletion::choose);
    }
    m_model->setOffers(m_completion.offers);
    m_completer->setCaseSensitivity(m_completion.caseSensitive ? Qt::CaseSensitive
                                                               : Qt::CaseInsensitive);
    m_completer->setCompletionPrefix(
        text.sliced(m_completion.from, caret - m_completion.from));
    QAbstractItemView *popup = m_completer->popup();
    QTextCursor start = m_editor->textCursor();
    start.setPosition(int(m_completion.from));
    QRect place = m_editor->cursorRect(start);
    place.setWidth(listWidth(popup, m_completion.offers));
    m_completer->complete(place);
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    return true;
}

// While the list is open, what is typed filters it; the list goes when the caret leaves the name.
void TagCompletion::follow()
{
    if (!isOpen())
        return;
    const QString &text = m_editor->rawText();
    const qsizetype caret = m_editor->textCursor().position();
    if (caret < m_completion.from || caret > text.size()) {
        close();
        return;
    }
    const QStringView typed = QStringView(text).sliced(m_completion.from, caret - m_completion.from);
    if (!std::all_of(typed.begin(), typed.end(), isNameCharacter)) {
        close();
        return;
    }
    m_completer->setCompletionPrefix(typed.toString());
    if (m_completer->completionCount() == 0) {
        close();
        return;
    }
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

void TagCompletion::choose(const QModelIndex &index)
{
    close();
    if (!index.isValid())
        return;
    const QString &text = m_editor->rawText();
    const int caret = m_editor->textCursor().position();
    // The place read anew: the name has grown since the list opened.
    const HtmlCompletion here = htmlCompletionAt(text, caret);
    if (here.isEmpty() || here.from != m_completion.from)
        return;
    const HtmlOffer offer{index.data(Qt::EditRole).toString(), {}};
    const QString rest = htmlCompletionRest(here, text, caret, offer);
    if (QStringView(text).sliced(caret, here.to - caret) == rest)
        return;
    m_editor->editAsOneChange([&](QTextCursor &cursor) {
        cursor.setPosition(caret);
        cursor.setPosition(int(here.to), QTextCursor::KeepAnchor);
        cursor.insertText(rest);
    });
}

void TagCompletion::close()
{
    if (isOpen())
        m_completer->popup()->hide();
}

bool TagCompletion::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_editor) {
        const bool ctrlSpace = key->key() == Qt::Key_Space
                               && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (!ctrlSpace)
            return false;
        open();
        return true; // never a blank, whether something fits or not
    }
    if (m_completer && watched == m_completer->popup()) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            choose(m_completer->popup()->currentIndex());
            return true;
        case Qt::Key_Escape:
            close();
            return true;
        default:
            return false;
        }
    }
    return false;
}
