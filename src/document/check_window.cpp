#include "document/check_window.h"

#include "document/text_editor.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "html/check_message_model.h"
#include "html/check_texts.h"
#include "html/page_check.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTextBlock>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

Form16::Form16(TextEditor *editor, PageCheck *check, QWidget *parent)
    : QWidget(parent), m_editor(editor), m_check(check),
      m_messages(new CheckMessageModel(this))
{
    setObjectName(u"Form16"_s);
    setUpWindow(this, u"Seite prüfen"_s, Border::Sizeable, 260, 180, 640, 360);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setModel(m_messages);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true); // thousands of rows on a large broken page
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setColumnWidth(0, 60);
    ListView1->setColumnWidth(1, 60);
    ListView1->setColumnWidth(2, 80);
    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setTextFormat(Qt::PlainText);
    Button1 = new QPushButton(u"Erneut prüfen"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"Schließen"_s, this);
    Button2->setObjectName(u"Button2"_s);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    auto *column = new QVBoxLayout(this);
    column->addWidget(ListView1, 1);
    column->addLayout(bottom);
    setTabChain({ListView1, Button1, Button2});

    m_pause.setSingleShot(true);
    m_pause.setInterval(pauseAfterChange);
    // Typing only restarts the pause; the page is read when it is over.
    connect(editor, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible())
            m_pause.start();
    });
    connect(&m_pause, &QTimer::timeout, this, &Form16::checkNow);
    connect(m_check, &PageCheck::finished, this, &Form16::showMessages);
    connect(m_check, &PageCheck::failed, this, &Form16::showFailure);
    connectHandler(Button1, &QPushButton::clicked, this, &Form16::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &Form16::Button2Click);
    // Double click and Enter.
    connectHandler(ListView1, &QTreeView::activated, this, &Form16::ListView1DblClick);
    connectHandler(new QShortcut(QKeySequence(Qt::Key_F7), this), &QShortcut::activated, this,
                   &Form16::Button1Click);
}

void Form16::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void Form16::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_pause.stop(); // no checks while nobody looks
}

void Form16::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form16::FormShow()
{
    if (m_messages->rowCount() == 0)
        Label1->setText(u"Die Seite wird geprüft …"_s);
    checkNow();
}

void Form16::Button1Click()
{
    checkNow();
}

void Form16::Button2Click()
{
    hide();
}

void Form16::checkNow()
{
    m_pause.stop();
    m_check->start(m_editor->text().toUtf8());
}

void Form16::showMessages(const QList<CheckMessage> &messages)
{
    if (!isVisible())
        return; // the marks' check, while nobody looks here
    int counts[3] = {};
    for (const CheckMessage &message : messages)
        ++counts[int(message.level)];
    // The row the user stood on stays current when the same message is still reported.
    const QModelIndex current = ListView1->currentIndex();
    const std::optional<CheckMessage> before =
        current.isValid() ? std::optional(m_messages->messages()[current.row()]) : std::nullopt;
    m_messages->setMessages(messages);
    if (before) {
        const int row = m_messages->rowOf(*before);
        if (row >= 0)
            ListView1->setCurrentIndex(m_messages->index(row, 0));
    }
    Label1->setToolTip(QString());
    Label1->setText(CheckTexts::summary(counts[int(CheckLevel::Error)],
                                        counts[int(CheckLevel::Warning)],
                                        counts[int(CheckLevel::Hint)]));
    emit checkShown();
}

void Form16::showFailure(const QString &reason)
{
    if (!isVisible())
        return;
    m_messages->setMessages({});
    Label1->setText(u"Die Prüfung ist fehlgeschlagen"_s);
    Label1->setToolTip(reason);
    emit checkShown();
}

void Form16::ListView1DblClick()
{
    const QModelIndex current = ListView1->currentIndex();
    if (!current.isValid())
        return;
    const CheckMessage &message = m_messages->messages()[current.row()];
    // The page may have got shorter since the check.
    const int line = std::clamp(message.line, 1, m_editor->blockCount());
    const QString text = m_editor->document()->findBlockByNumber(line - 1).text();
    m_editor->moveCaretTo(line, int(offsetOfColumn(text, message.column)) + 1);
    m_editor->window()->activateWindow();
    m_editor->setFocus(Qt::OtherFocusReason);
}
