#pragma once

#include <QTimer>
#include <QWidget>

struct CheckMessage;
class CheckMessageModel;
class PageCheck;
class QLabel;
class QPushButton;
class QTreeView;
class TextEditor;

// "Seite prüfen": the page check's messages, one row each, checked again in the background
// while the window is visible; a row takes the caret in the editor to its place. The check is
// shared with the marks in the editor; its answers count here only while the window is visible.
class Form16 : public QWidget
{
    Q_OBJECT

public:
    Form16(TextEditor *editor, PageCheck *check, QWidget *parent = nullptr);

    // The pause after the last change before the page is checked again.
    static constexpr int pauseAfterChange = 400;

    QTreeView *ListView1; // "Zeile", "Spalte", "Art", "Meldung"
    QLabel *Label1; // the summary
    QPushButton *Button1; // "Erneut prüfen"
    QPushButton *Button2; // "Schließen"

    PageCheck *check() const { return m_check; }
    CheckMessageModel *messages() const { return m_messages; }

    void FormShow(); // checks at once
    void Button1Click();
    void Button2Click();
    void ListView1DblClick(); // also Enter: the caret to the current row's place

signals:
    // After the rows of a check, or its failure, are shown.
    void checkShown();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void checkNow();
    void showMessages(const QList<CheckMessage> &messages);
    void showFailure(const QString &reason);

    TextEditor *m_editor;
    PageCheck *m_check;
    CheckMessageModel *m_messages;
    QTimer m_pause;
};
