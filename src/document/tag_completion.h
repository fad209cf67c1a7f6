#pragma once

#include "html/html_completion.h"

#include <QObject>

class OfferModel;
class QCompleter;
class QModelIndex;
class TextEditor;

// Ctrl+Space in the editor lists the names that fit at the caret (elements, attributes,
// character references), each with a short German description. Typing on filters the list,
// Enter or Tab puts the rest of the chosen name in as one change, Escape closes it. Nothing
// opens unless asked, and nothing opens where nothing fits.
class TagCompletion : public QObject
{
    Q_OBJECT

public:
    explicit TagCompletion(TextEditor *editor);

    // Opens the list for the caret's place; false when nothing fits there.
    bool open();
    bool isOpen() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void choose(const QModelIndex &index);
    void close();

    TextEditor *m_editor;
    // Made on first use, so start-up pays nothing for the list.
    QCompleter *m_completer = nullptr;
    OfferModel *m_model = nullptr;
    HtmlCompletion m_completion;
};
