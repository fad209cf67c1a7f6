#pragma once

#include "foundation/modal_dialogs.h"

#include <QTimer>
#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class CheckMarks;
class Form15;
class Form16;
class PageCheck;
class TextEditor;
class UmlautConversion;

// The main window: the page source in HPQT, the file commands, the column of element buttons
// and the custom tag group.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    QFrame *Panel1;
    QGroupBox *GroupBox1;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button23, *Button29;
    QGroupBox *GroupBox2;
    QScrollArea *ScrollBox1;
    QPushButton *Button5, *Button12, *Button7, *Button8, *Button9, *Button10, *Button11,
        *Button13, *Button6, *Button14, *Button15, *Button20, *Button16, *Button21, *Button17,
        *Button18, *Button22, *Button24, *Button25, *Button26, *Button27, *Button30, *Button19;
    TextEditor *HPQT;
    QGroupBox *GroupBox3;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button28, *Button31, *Button32;
    QListWidget *ListBox1;

    FileDialog OpenDialog1{FileDialog::Mode::Open};
    FileDialog SaveDialog1{FileDialog::Mode::Save};
    FileDialog OpenDialog2;
    FontDialog FontDialog1;
    QTimer Timer1;
    QTimer Timer2;

    // File commands.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // Reads a page file into the document, in the encoding its bytes show, as "Öffnen" does
    // after its dialog.
    void openPage(const QString &fileName);
    // Opening the dialogs, the preview and the info window.
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button12Click();
    void Button13Click();
    void Button15Click();
    void Button16Click();
    void Button18Click();
    void Button23Click();
    void Button29Click();
    // One-click tags.
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button14Click();
    void Button17Click();
    void Button19Click();
    void Button20Click();
    void Button21Click();
    void Button22Click();
    void Button24Click();
    void Button25Click();
    void Button26Click();
    void Button27Click();
    void Button30Click();
    // The custom tag list.
    void FormShow();
    void Button28Click();
    void Button31Click();
    void Button32Click();
    void ListBox1DblClick();
    // The document and the umlaut conversion.
    void HPQTChange();
    void Timer1Timer();
    void Timer2Timer();
    // Find and replace in the page (Ctrl+F, F3, Shift+F3); its window is made on first use.
    Form15 *findWindow();
    void openFindWindow();
    void findAgain(bool forward);
    // Ctrl+G: asks for a line and puts the caret at its start.
    void goToLine();
    // The page check (F7 and the editor's context menu); its window is made on first use, so
    // no helper runs before the first check.
    Form16 *checkWindow();
    void openCheckWindow();
    // The page check that the check window and the marks in the page share.
    PageCheck *pageCheck() const { return m_pageCheck; }
    CheckMarks *checkMarks() const { return m_checkMarks; }
    // The file the page was last opened from or saved to; empty after "Neu" and at start-up.
    QString pageFile() const { return m_pageFile; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControlGroup();
    void createElementColumn();
    void createCustomTagGroup();
    void toggleAlignment(QPushButton *button, const QString &openTag, const QString &closeTag);
    static void startIfStopped(QTimer &timer);
    void setPageFile(const QString &fileName);

    UmlautConversion *m_umlauts;
    Form15 *m_findWindow = nullptr;
    Form16 *m_checkWindow = nullptr;
    PageCheck *m_pageCheck;
    CheckMarks *m_checkMarks;
    QString m_pageFile;
    int m_dotsPerInch;
    bool m_shownBefore = false;
};
