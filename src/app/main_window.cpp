#include "app/main_window.h"

#include "document/check_marks.h"
#include "document/check_window.h"
#include "document/find_window.h"
#include "document/line_breaks.h"
#include "document/line_number_margin.h"
#include "document/page_encoding.h"
#include "document/page_files.h"
#include "document/spelling_marks.h"
#include "document/tag_completion.h"
#include "document/tag_list.h"
#include "document/tag_matching.h"
#include "document/tag_tips.h"
#include "document/text_editor.h"
#include "document/umlaut_conversion.h"
#include "elements/background_window.h"
#include "elements/bold_italic_dialog.h"
#include "elements/link_dialog.h"
#include "elements/marquee_dialog.h"
#include "elements/page_skeleton_dialog.h"
#include "elements/picture_window.h"
#include "elements/snippets.h"
#include "elements/table_dialogs.h"
#include "elements/text_composer.h"
#include "foundation/error.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "html/html_colouring.h"
#include "html/page_check.h"
#include "viewing/info_window.h"
#include "viewing/preview_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct ButtonRow
{
    QPushButton *Form1::*button;
    const char16_t *name;
    const char16_t *caption;
    int tabOrder;
    void (Form1::*handler)();
};

// The "Kontrollen" group: top, caption, width, tab order, handler.
struct ControlRow
{
    QPushButton *Form1::*button;
    const char16_t *name;
    int top;
    int width;
    const char16_t *caption;
    int tabOrder;
    void (Form1::*handler)();
};

const ControlRow controlRows[] = {
    {&Form1::Button1, u"Button1", 16, 81, u"Neu", 0, &Form1::Button1Click},
    {&Form1::Button2, u"Button2", 40, 81, u"Öffnen", 1, &Form1::Button2Click},
    {&Form1::Button3, u"Button3", 64, 81, u"Speichern", 2, &Form1::Button3Click},
    {&Form1::Button23, u"Button23", 88, 97, u"Website anzeigen", 4, &Form1::Button23Click},
    {&Form1::Button29, u"Button29", 112, 81, u"Info", 5, &Form1::Button29Click},
    {&Form1::Button4, u"Button4", 139, 81, u"Ende", 3, &Form1::Button4Click},
};

// The "Elemente" column, top to bottom.
const ButtonRow elementRows[] = {
    {&Form1::Button5, u"Button5", u"Grundgerüst (A)", 0, &Form1::Button5Click},
    {&Form1::Button12, u"Button12", u"Hintergrund", 7, &Form1::Button12Click},
    {&Form1::Button7, u"Button7", u"Link", 2, &Form1::Button7Click},
    {&Form1::Button8, u"Button8", u"Bild", 3, &Form1::Button8Click},
    {&Form1::Button9, u"Button9", u"Zeilenumbruch", 4, &Form1::Button9Click},
    {&Form1::Button10, u"Button10", u"Absatz", 5, &Form1::Button10Click},
    {&Form1::Button11, u"Button11", u"Trennlinie", 6, &Form1::Button11Click},
    {&Form1::Button13, u"Button13", u"Tabelle Anfang", 8, &Form1::Button13Click},
    {&Form1::Button6, u"Button6", u"Text", 1, &Form1::Button6Click},
    {&Form1::Button14, u"Button14", u"Tabelleneintrag (A)", 9, &Form1::Button14Click},
    {&Form1::Button15, u"Button15", u"Zelle Anfang", 10, &Form1::Button15Click},
    {&Form1::Button20, u"Button20", u"Zelle Ende", 15, &Form1::Button20Click},
    {&Form1::Button16, u"Button16", u"Kopfzelle Anfang", 11, &Form1::Button16Click},
    {&Form1::Button21, u"Button21", u"Kopfzelle Ende", 16, &Form1::Button21Click},
    {&Form1::Button17, u"Button17", u"Tabelleneintrag (E)", 12, &Form1::Button17Click},
    {&Form1::Button18, u"Button18", u"Laufzeile", 13, &Form1::Button18Click},
    {&Form1::Button22, u"Button22", u"Tabelle (Ende)", 17, &Form1::Button22Click},
    {&Form1::Button24, u"Button24", u"<center>", 18, &Form1::Button24Click},
    {&Form1::Button25, u"Button25", u"<left>", 19, &Form1::Button25Click},
    {&Form1::Button26, u"Button26", u"<right>", 20, &Form1::Button26Click},
    {&Form1::Button27, u"Button27", u"Schritart-Text", 21, &Form1::Button27Click},
    {&Form1::Button30, u"Button30", u"</font>", 22, &Form1::Button30Click},
    {&Form1::Button19, u"Button19", u"Grundgerüst (E)", 14, &Form1::Button19Click},
};

constexpr int panelWidth = 153;
constexpr int customGroupHeight = 133;
constexpr int elementPitch = 24;

template <typename Row, size_t N>
std::vector<const Row *> inTabOrder(const Row (&rows)[N])
{
    std::vector<const Row *> ordered;
    for (const Row &row : rows)
        ordered.push_back(&row);
    std::sort(ordered.begin(), ordered.end(),
              [](const Row *a, const Row *b) { return a->tabOrder < b->tabOrder; });
    return ordered;
}

const QString informationText = u"Bitte wählen Sie jetzt die Internetseite die Sie betrachten "
                                u"wollen. Wenn Sie ihre momentan geschriebene Website sehen "
                                u"wollen, wählen ie im Tagschmied Verzeichnis die Datei "
                                u"\"look.html\""_s;

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent),
      OpenDialog2(FileDialog::Mode::Open, u"Website wählen"_s, u"Websites (*.html *.htm)"_s)
{
    setObjectName(u"Form1"_s);
    setUpWindow(this, u"Tagschmied 2.0"_s, Border::Sizeable, 227, 72, 789, 704);
    m_dotsPerInch = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFixedWidth(panelWidth);
    createControlGroup();
    createElementColumn();

    HPQT = new TextEditor(this);
    HPQT->setObjectName(u"HPQT"_s);
    QFont editorFont;
    editorFont.setFamilies({u"Courier New"_s, u"Liberation Mono"_s, u"monospace"_s});
    editorFont.setPointSize(10);
    editorFont.setBold(true);
    HPQT->setFont(editorFont);
    HPQT->setLineWrapMode(QPlainTextEdit::NoWrap);
    HPQT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HPQT->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HPQT->setTabChangesFocus(false);
    connectHandler(HPQT, &TextEditor::documentChanged, this, &Form1::HPQTChange);
    connectHandler(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this),
                   &QShortcut::activated, this, &Form1::openFindWindow);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
                     [this] { runGuarded([this] { findAgain(true); }); });
    QObject::connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this),
                     &QShortcut::activated, this,
                     [this] { runGuarded([this] { findAgain(false); }); });
    connectHandler(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this),
                   &QShortcut::activated, this, &Form1::goToLine);
    // The preview is made after this window, so it is looked up when F12 comes.
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this,
                     [] { runGuarded([] { windows().form13->showCurrentPage(); }); });
    connectHandler(new QShortcut(QKeySequence(Qt::Key_F7), this), &QShortcut::activated, this,
                   &Form1::openCheckWindow);
    QObject::connect(HPQT, &TextEditor::contextMenuAboutToShow, this, [this](QMenu *menu) {
        menu->addSeparator();
        connectHandler(menu->addAction(u"Seite prüfen"_s), &QAction::triggered, this,
                       &Form1::openCheckWindow);
    });
    // Help for the page only; the composer memos stay plain.
    auto *colouring = new HtmlColouring(HPQT);
    new SpellingMarks(HPQT, colouring);
    auto *margin = new LineNumberMargin(HPQT);
    new TagCompletion(HPQT);
    new TagTips(HPQT);
    new TagMatching(HPQT);
    // After the tag tips: over a mark its message is the tool tip, not the name's.
    m_pageCheck = new PageCheck(this);
    m_checkMarks = new CheckMarks(HPQT, colouring, margin, m_pageCheck);

    createCustomTagGroup();

    // Panel on the left and the editor beside it, the custom tag group along the bottom.
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(Panel1);
    top->addWidget(HPQT, 1);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(top, 1);
    column->addWidget(GroupBox3);

    std::vector<QWidget *> chain;
    for (const ControlRow *row : inTabOrder(controlRows))
        chain.push_back(this->*(row->button));
    for (const ButtonRow *row : inTabOrder(elementRows))
        chain.push_back(this->*(row->button));
    chain.insert(chain.end(), {HPQT, Button28, ListBox1, Edit1, Button31, Button32});
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    new DefaultButton(this, Button28);

    // Both precise: a coarse 1000 ms timer may fire 50 ms early or late.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(1);
    Timer2.setTimerType(Qt::PreciseTimer);
    Timer2.setInterval(1000);
    connectHandler(&Timer1, &QTimer::timeout, this, &Form1::Timer1Timer);
    connectHandler(&Timer2, &QTimer::timeout, this, &Form1::Timer2Timer);
    m_umlauts = new UmlautConversion(HPQT);
}

Form1::~Form1()
{
    delete m_umlauts;
}

void Form1::createControlGroup()
{
    GroupBox1 = new QGroupBox(u"Kontrollen"_s, Panel1);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    place(GroupBox1, 8, 8, 137, 169);
    for (const ControlRow &row : controlRows) {
        auto *button = new QPushButton(QString::fromUtf16(row.caption), GroupBox1);
        button->setObjectName(QString::fromUtf16(row.name));
        place(button, 8, row.top, row.width, 25);
        this->*(row.button) = button;
        connectHandler(button, &QPushButton::clicked, this, row.handler);
    }
}

void Form1::createElementColumn()
{
    GroupBox2 = new QGroupBox(u"Elemente"_s, Panel1);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    place(GroupBox2, 8, 184, 137, 353);
    ScrollBox1 = new QScrollArea(GroupBox2);
    ScrollBox1->setObjectName(u"ScrollBox1"_s);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    place(ScrollBox1, 2, 15, 133, 336);

    auto *column = new QWidget;
    int top = 0;
    for (const ButtonRow &row : elementRows) {
        auto *button = new QPushButton(QString::fromUtf16(row.caption), column);
        button->setObjectName(QString::fromUtf16(row.name));
        place(button, 8, top, 97, 25);
        top += elementPitch;
        this->*(row.button) = button;
        connectHandler(button, &QPushButton::clicked, this, row.handler);
    }
    column->setFixedSize(113, top);
    ScrollBox1->setWidget(column);
    Button14->setToolTip(u"Tabelleneintrag (Anfang)"_s);
}

void Form1::createCustomTagGroup()
{
    GroupBox3 = new QGroupBox(u"Eigene"_s, this);
    GroupBox3->setObjectName(u"GroupBox3"_s);
    GroupBox3->setFixedHeight(customGroupHeight);

    Label1 = addLabel(u"Label1"_s, u"HTML Tag (z.B <br>, <center>,  ...)"_s, GroupBox3, 8, 16);
    Edit1 = addControl<QLineEdit>(u"Edit1"_s, GroupBox3, 8, 32, 185, 21);
    Button28 = addControl<QPushButton>(u"Button28"_s, GroupBox3, 8, 56, 185, 25, u"Hinzufügen"_s);
    Button28->setDefault(true);
    Button31 = addControl<QPushButton>(u"Button31"_s, GroupBox3, 8, 80, 185, 25, u"Löschen"_s);
    Button32 = addControl<QPushButton>(u"Button32"_s, GroupBox3, 8, 104, 185, 25,
                                       u"Alles Löschen"_s);
    ListBox1 = new QListWidget(GroupBox3);
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Entries are single lines; without this a list of many thousands lays out for seconds.
    ListBox1->setUniformItemSizes(true);
    place(ListBox1, 200, 16, 577, 113);
    ListBox1->viewport()->installEventFilter(this);

    connectHandler(Button28, &QPushButton::clicked, this, &Form1::Button28Click);
    connectHandler(Button31, &QPushButton::clicked, this, &Form1::Button31Click);
    connectHandler(Button32, &QPushButton::clicked, this, &Form1::Button32Click);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || m_shownBefore)
        return;
    m_shownBefore = true;
    runGuarded([this] { FormShow(); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever other windows are open.
    event->accept();
    QCoreApplication::quit();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // A double click anywhere in the list, on an entry or not, inserts the selected entry.
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        runGuarded([this] { ListBox1DblClick(); });
    return QWidget::eventFilter(watched, event);
}

void Form1::startIfStopped(QTimer &timer)
{
    // Starting a running timer must not restart its period.
    if (timer.isActive())
        return;
    timer.start();
    // A timer the event dispatcher refused has no valid id (QTimer still calls it active).
    if (timer.timerId() <= 0) {
        timer.stop();
        throw Error(u"Not enough timers available"_s);
    }
}

// ---- file commands

void Form1::Button1Click()
{
    HPQT->clearSilently();
    setPageFile(QString());
}

void Form1::setPageFile(const QString &fileName)
{
    // A page without a file of its own is previewed as look.html in the working folder, and
    // its links are looked up from there.
    const QFileInfo file(fileName);
    m_pageFile = fileName.isEmpty() ? QString() : file.absoluteFilePath();
    windows().pageFile = m_pageFile;
    m_pageCheck->setPageFolder(fileName.isEmpty() ? QString() : file.absolutePath());
}

void Form1::Button2Click()
{
    if (!OpenDialog1.execute(this))
        return;
    openPage(OpenDialog1.fileName());
}

void Form1::openPage(const QString &fileName)
{
    const DecodedPage page = decodePage(readWholeFile(fileName));
    HPQT->replaceText(toEditorLineBreaks(page.text), page.encoding);
    setPageFile(fileName);
}

void Form1::Button3Click()
{
    startIfStopped(Timer1);
    startIfStopped(Timer2);
    if (!SaveDialog1.execute(this))
        return;
    writeWholeFile(SaveDialog1.fileName(), HPQT->bytes());
    setPageFile(SaveDialog1.fileName());
}

void Form1::Button4Click()
{
    close();
}

// ---- windows

void Form1::Button5Click() { openWindow(windows().form2); }
void Form1::Button6Click() { openWindow(windows().form3); }
void Form1::Button7Click() { openWindow(windows().form7); }
void Form1::Button8Click() { openWindow(windows().form6); }
void Form1::Button12Click() { openWindow(windows().form8); }
void Form1::Button13Click() { openWindow(windows().form9); }
void Form1::Button15Click() { openWindow(windows().form10); }
void Form1::Button16Click() { openWindow(windows().form11); }
void Form1::Button18Click() { openWindow(windows().form12); }
void Form1::Button29Click() { openWindow(windows().form14); }

void Form1::Button23Click()
{
    if (!modalHooks().okAbortBox(u"Information"_s, informationText))
        return;
    OpenDialog2.execute(this); // picked or not, the preview opens
    openWindow(windows().form13);
}

// ---- one-click tags

void Form1::Button9Click() { AppendRaw(QString::fromUtf16(Snippets::lineBreak), HPQT); }
void Form1::Button10Click() { AppendRaw(QString::fromUtf16(Snippets::paragraph), HPQT); }
void Form1::Button11Click() { AppendRaw(QString::fromUtf16(Snippets::rule), HPQT); }
void Form1::Button14Click() { AppendLines(QString::fromUtf16(Snippets::tableRowStart), HPQT); }
void Form1::Button17Click() { AppendLines(QString::fromUtf16(Snippets::tableRowEnd), HPQT); }
void Form1::Button20Click() { AppendRaw(QString::fromUtf16(Snippets::cellEnd), HPQT); }
void Form1::Button21Click() { AppendRaw(QString::fromUtf16(Snippets::headerCellEnd), HPQT); }
void Form1::Button22Click() { AppendRaw(QString::fromUtf16(Snippets::tableEnd), HPQT); }
void Form1::Button30Click() { AppendLines(QString::fromUtf16(Snippets::fontEnd), HPQT); }

void Form1::Button19Click()
{
    // Three appends, each a change of its own.
    for (const QString &piece : Snippets::pageEnd())
        AppendLines(piece, HPQT);
}

void Form1::toggleAlignment(QPushButton *button, const QString &openTag, const QString &closeTag)
{
    // The caption is the state: it shows the tag the next click appends. Some desktops (KDE)
    // put accelerator marks into captions on their own; the tags never hold an '&'.
    const bool opening = QString(button->text()).remove(u'&') == openTag;
    AppendLines(opening ? openTag : closeTag, HPQT);
    button->setText(opening ? closeTag : openTag);
}

void Form1::Button24Click() { toggleAlignment(Button24, u"<center>"_s, u"</center>"_s); }
void Form1::Button25Click() { toggleAlignment(Button25, u"<left>"_s, u"</left>"_s); }
void Form1::Button26Click() { toggleAlignment(Button26, u"<right>"_s, u"</right>"_s); }

void Form1::Button27Click()
{
    if (!FontDialog1.execute(this))
        return;
    const QFont &font = FontDialog1.font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF()
                                                : font.pixelSize() * 72.0 / m_dotsPerInch;
    AppendLines(Snippets::fontTag(Snippets::fontTagSize(points, m_dotsPerInch), font.family()),
                HPQT);
}

// ---- custom tag list

void Form1::FormShow()
{
    ListBox1->clear();
    const TagList::Contents contents = TagList::load();
    ListBox1->addItems(contents.entries); // one insertion, one redraw
    if (!contents.cutLines.isEmpty())
        throw Error(TagList::cutLinesMessage(contents.cutLines));
}

void Form1::Button28Click()
{
    const QString entry = Edit1->text();
    TagList::checkEntry(entry); // refused texts stay in the field, nothing is cut
    ListBox1->addItem(entry);
    QStringList entries;
    entries.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        entries.append(ListBox1->item(i)->text());
    TagList::save(entries);
}

void Form1::Button31Click()
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    delete selected.constFirst();
    // The view would select the next entry by itself; a second "Löschen" must not delete it.
    ListBox1->clearSelection();
}

void Form1::Button32Click()
{
    ListBox1->clear();
}

void Form1::ListBox1DblClick()
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        throw Error(u"List index out of bounds (-1)"_s);
    AppendLines(u"\r"_s + selected.constFirst()->text(), HPQT);
}

// ---- document and umlaut conversion

void Form1::HPQTChange()
{
    writePreviewCopy(HPQT->bytes());
}

void Form1::Timer1Timer()
{
    m_umlauts->sweep();
}

void Form1::Timer2Timer()
{
    Timer1.stop();
    Timer2.stop();
}

// ---- find and replace

Form15 *Form1::findWindow()
{
    if (!m_findWindow)
        m_findWindow = new Form15(HPQT, this); // a window of its own, owned by this one
    return m_findWindow;
}

void Form1::openFindWindow()
{
    Form15 *window = findWindow();
    // A selection within one line is what the user most likely wants to find.
    const QString selected = HPQT->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        window->Edit1->setText(selected);
    openWindow(window);
    window->Edit1->setFocus();
    window->Edit1->selectAll();
}

void Form1::findAgain(bool forward)
{
    if (!m_findWindow || m_findWindow->Edit1->text().isEmpty()) {
        openFindWindow();
        return;
    }
    if (forward)
        m_findWindow->Button1Click();
    else
        m_findWindow->Button2Click();
}

void Form1::goToLine()
{
    const int current = HPQT->textCursor().blockNumber() + 1;
    const std::optional<int> line = modalHooks().lineNumberBox(this, HPQT->blockCount(), current);
    if (!line)
        return;
    HPQT->moveCaretTo(*line);
    HPQT->setFocus();
}

// ---- page check

Form16 *Form1::checkWindow()
{
    if (!m_checkWindow)
        // A window of its own, owned by this one.
        m_checkWindow = new Form16(HPQT, m_pageCheck, this);
    return m_checkWindow;
}

void Form1::openCheckWindow()
{
    Form16 *window = checkWindow();
    if (window->isVisible())
        window->Button1Click(); // already open: check again at once
    openWindow(window);
}
