#include "app/main_window.h"
#include "document/text_editor.h"
#include "elements/background_window.h"
#include "elements/composer_picture_window.h"
#include "elements/picture_picker.h"
#include "elements/picture_window.h"
#include "elements/text_composer.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "platform/volumes.h"
#include "platform/working_folder.h"
#include "support/test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString mask = u"*.jpg;*.gif"_s;

QWidget *form(int number)
{
    const WindowSet &w = windows();
    switch (number) {
    case 5:
        return w.form5;
    case 6:
        return w.form6;
    case 8:
        return w.form8;
    }
    return nullptr;
}

PicturePicker *pickerOf(int number)
{
    return form(number)->findChild<PicturePicker *>();
}

template <typename T>
T *control(int number, const QString &name)
{
    auto *found = form(number)->findChild<T *>(name);
    Q_ASSERT(found);
    return found;
}

QListWidget *folderList(int number) { return control<QListWidget>(number, u"DirectoryListBox1"_s); }
QListWidget *fileList(int number) { return control<QListWidget>(number, u"FileListBox1"_s); }
QLineEdit *field(int number) { return control<QLineEdit>(number, u"Edit1"_s); }

// Opens a picker the way the user does: Form6 and Form8 by their main-window buttons.
void open(int number)
{
    Form1 *main = windows().form1;
    if (number == 6)
        QTest::mouseClick(main->Button8, Qt::LeftButton);
    else if (number == 8)
        QTest::mouseClick(main->Button12, Qt::LeftButton);
    else
        openWindow(form(number));
    QVERIFY(QTest::qWaitForWindowExposed(form(number)));
}

QStringList texts(const QListWidget *list)
{
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all.append(list->item(i)->text());
    return all;
}

QListWidgetItem *itemNamed(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.constLast();
}

QPoint centreOf(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
}

void clickEntry(QListWidget *list, const QString &text)
{
    QListWidgetItem *item = itemNamed(list, text);
    QVERIFY2(item, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, item));
}

void doubleClickEntry(QListWidget *list, const QString &text)
{
    QListWidgetItem *item = itemNamed(list, text);
    QVERIFY2(item, qPrintable(text));
    // As the system delivers it: press, release, double click, release.
    const QPoint at = centreOf(list, item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

QString selectedFolder(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.size() == 1 ? selected.constFirst()->text() : QString();
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QString canonical(const QString &path)
{
    return QDir(path).canonicalPath();
}

// Everything a failed navigation must leave alone (the entry clicked stays selected, as the
// click selected it).
struct PickerState
{
    QString workingFolder;
    QStringList folders;
    QStringList files;
    QString field;
    QString folder;
    bool operator==(const PickerState &) const = default;
};

PickerState stateOf(int number)
{
    return {Platform::currentFolder(), texts(folderList(number)), texts(fileList(number)),
            field(number)->text(),
            pickerOf(number)->folder()};
}

void makeFile(const QString &path, const QByteArray &bytes = "GIF89a")
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// A small tree in the fixture's folder: two pictures, a text file, two subfolders.
void makeTree(const ProgramFixture &program)
{
    makeFile(program.path(u"b.jpg"_s));
    makeFile(program.path(u"A.GIF"_s));
    makeFile(program.path(u"notiz.txt"_s));
    makeFile(program.path(u".geheim.jpg"_s));
    QVERIFY(QDir(program.path(u"."_s)).mkpath(u"Bilder/Urlaub"_s));
    QVERIFY(QDir(program.path(u"."_s)).mkpath(u"alt"_s));
    makeFile(program.path(u"Bilder/FOTO.JPG"_s));
    makeFile(program.path(u"Bilder/see.jpg"_s));
}

// A tmpfs mounted under /mnt for the test's life, where the system lets us.
class ScratchVolume
{
public:
    ScratchVolume() : m_root(u"/mnt/tagschmied-test-%1"_s.arg(::getpid()))
    {
        const QByteArray root = QFile::encodeName(m_root);
        if (::mkdir(root.constData(), 0755) != 0)
            return;
        m_made = true;
        m_mounted = ::mount("tmpfs", root.constData(), "tmpfs", 0, "size=1m") == 0;
    }
    ~ScratchVolume()
    {
        unmount();
        if (m_made)
            ::rmdir(QFile::encodeName(m_root).constData());
    }
    bool mounted() const { return m_mounted; }
    const QString &root() const { return m_root; }
    void unmount()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_root).constData(), MNT_DETACH);
        m_mounted = false;
    }

private:
    QString m_root;
    bool m_made = false;
    bool m_mounted = false;
};

// Chooses a drive box entry with the keyboard, as a user without the mouse would.
void chooseDrive(QComboBox *box, const QString &root)
{
    const int index = box->findData(root);
    QVERIFY2(index >= 0, qPrintable(root));
    if (index > 0) {
        box->setCurrentIndex(index - 1); // shown only; no choice is reported
        QTest::keyClick(box, Qt::Key_Down);
    } else {
        box->setCurrentIndex(1);
        QTest::keyClick(box, Qt::Key_Up);
    }
    QCOMPARE(box->currentIndex(), index);
}

} // namespace

class TestPicturePicker : public QObject
{
    Q_OBJECT

private slots:
    void startsInTheStartFolder()
    {
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        open(6);
        QCOMPARE(Platform::currentFolder(), start); // opening moves nothing

        const QStringList folders = texts(folderList(6));
        QCOMPARE(folders.constFirst(), u"/"_s);
        QCOMPARE(folders.mid(folders.size() - 3),
                 (QStringList{QFileInfo(start).fileName(), u"alt"_s, u"Bilder"_s}));
        QCOMPARE(selectedFolder(folderList(6)), QFileInfo(start).fileName());
        QCOMPARE(pickerOf(6)->folder(), start);
        QCOMPARE(texts(fileList(6)), (QStringList{u"A.GIF"_s, u"b.jpg"_s}));
        QVERIFY(fileList(6)->selectedItems().isEmpty());
        QCOMPARE(field(6)->text(), mask);
        QCOMPARE(field(6)->selectedText(), mask);
        QCOMPARE(fileList(6)->visualItemRect(fileList(6)->item(0)).height(), 16);
        QCOMPARE(folderList(6)->visualItemRect(folderList(6)->item(0)).height(), 16);

        QComboBox *drives = control<QComboBox>(6, u"DriveComboBox1"_s);
        QCOMPARE(drives->count(), Platform::volumes().size());
        QCOMPARE(drives->currentData().toString(),
                 Platform::volumeRootOf(start, Platform::volumes()));
        QVERIFY(program.errors.isEmpty());
    }

    void navigatingMovesTheWorkingFolderForThisPickerOnly()
    {
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        open(6);
        doubleClickEntry(folderList(6), u"Bilder"_s);
        QVERIFY(program.errors.isEmpty());
        QCOMPARE(Platform::currentFolder(), start + u"/Bilder"_s);
        QCOMPARE(selectedFolder(folderList(6)), u"Bilder"_s);
        QCOMPARE(texts(folderList(6)).constLast(), u"Urlaub"_s);
        QCOMPARE(texts(fileList(6)), (QStringList{u"FOTO.JPG"_s, u"see.jpg"_s}));

        // The next change of the document writes the preview copy where the picker went.
        QTest::keyClicks(windows().form1->HPQT, u"<p>"_s);
        QCOMPARE(program.read(u"Bilder/look.html"_s), QByteArray("<p>"));
        QVERIFY(!program.exists(u"look.html"_s));

        // A picker opened only now shows the folder of start-up, and leaves the working folder.
        open(8);
        QCOMPARE(pickerOf(8)->folder(), start);
        QCOMPARE(selectedFolder(folderList(8)), QFileInfo(start).fileName());
        QCOMPARE(texts(fileList(8)), (QStringList{u"A.GIF"_s, u"b.jpg"_s}));
        QCOMPARE(Platform::currentFolder(), start + u"/Bilder"_s);

        // Up again through the path entry.
        doubleClickEntry(folderList(6), QFileInfo(start).fileName());
        QCOMPARE(Platform::currentFolder(), start);
        QCOMPARE(texts(fileList(6)), (QStringList{u"A.GIF"_s, u"b.jpg"_s}));
        QCOMPARE(pickerOf(8)->folder(), start);
    }

    void onlyDoubleClickOrEnterOpens_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("opens");
        QTest::newRow("single click") << 0 << false;
        QTest::newRow("arrow key") << 1 << false;
        QTest::newRow("Enter") << 2 << true;
        QTest::newRow("Return") << 3 << true;
        QTest::newRow("double click") << 4 << true;
    }
    void onlyDoubleClickOrEnterOpens()
    {
        QFETCH(int, how);
        QFETCH(bool, opens);
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        open(6);
        QListWidget *list = folderList(6);
        switch (how) {
        case 0:
            clickEntry(list, u"Bilder"_s);
            break;
        case 1:
            QTest::keyClick(list, Qt::Key_End);
            break;
        case 2:
        case 3:
            clickEntry(list, u"Bilder"_s);
            QTest::keyClick(list, how == 2 ? Qt::Key_Enter : Qt::Key_Return);
            break;
        case 4:
            doubleClickEntry(list, u"Bilder"_s);
            break;
        }
        QCOMPARE(selectedFolder(list), u"Bilder"_s);
        QCOMPARE(Platform::currentFolder(), opens ? start + u"/Bilder"_s : start);
        QCOMPARE(pickerOf(6)->folder(), Platform::currentFolder());
    }

    void choosingAFileFillsTheField()
    {
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        open(6);
        QListWidget *files = fileList(6);
        QLineEdit *edit = field(6);

        clickEntry(files, u"b.jpg"_s);
        QCOMPARE(edit->text(), u"b.jpg"_s);
        QCOMPARE(edit->selectedText(), u"b.jpg"_s);

        // Typed over, the name comes back only with another choice.
        typeInto(edit, u"eigenes.jpg"_s);
        clickEntry(files, u"b.jpg"_s);
        QCOMPARE(edit->text(), u"eigenes.jpg"_s);
        QTest::keyClick(files, Qt::Key_Up);
        QCOMPARE(edit->text(), u"A.GIF"_s);
        clickEntry(files, u"b.jpg"_s);
        QCOMPARE(edit->text(), u"b.jpg"_s);

        // Taking the choice away puts the mask back.
        QTest::mouseClick(files->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          centreOf(files, itemNamed(files, u"b.jpg"_s)));
        QCOMPARE(edit->text(), mask);
        QCOMPARE(edit->selectedText(), mask);
        QCOMPARE(Platform::currentFolder(), start);
    }

    void navigatingResetsTheField()
    {
        ProgramFixture program;
        makeTree(program);
        open(6);
        clickEntry(fileList(6), u"b.jpg"_s);
        doubleClickEntry(folderList(6), u"alt"_s); // a folder without pictures
        QCOMPARE(texts(fileList(6)), QStringList());
        QCOMPARE(field(6)->text(), mask);
        QCOMPARE(field(6)->selectedText(), mask);

        typeInto(field(6), u"getippt.gif"_s);
        doubleClickEntry(folderList(6), QFileInfo(canonical(program.path(u"."_s))).fileName());
        QCOMPARE(field(6)->text(), mask);
        QVERIFY(fileList(6)->selectedItems().isEmpty());

        // The same file again after a re-read counts as a new choice.
        clickEntry(fileList(6), u"b.jpg"_s);
        QCOMPARE(field(6)->text(), u"b.jpg"_s);
    }

    void commandsAppendTheFieldUnchanged_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("typed"); // null: the field as it stands
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QByteArray>("composer");
        QTest::newRow("Form6 untouched") << 6 << QString() << QByteArray("<img src=\"*.jpg;*.gif\">\r\n")
                                         << QByteArray();
        QTest::newRow("Form6 emptied") << 6 << u""_s << QByteArray("<img src=\"\">\r\n") << QByteArray();
        QTest::newRow("Form6 typed as it stands")
            << 6 << u" ordner/\"x\" .jpg"_s << QByteArray("<img src=\" ordner/\"x\" .jpg\">\r\n")
            << QByteArray();
        QTest::newRow("Form8 untouched") << 8 << QString()
                                         << QByteArray("<body background=\"*.jpg;*.gif\">\r\n")
                                         << QByteArray();
        QTest::newRow("Form8 typed") << 8 << u"fehlt.gif"_s
                                     << QByteArray("<body background=\"fehlt.gif\">\r\n") << QByteArray();
        QTest::newRow("Form5 to the composer") << 5 << u"b.jpg"_s << QByteArray()
                                               << QByteArray("<img src=\"b.jpg\">\r\n");
    }
    void commandsAppendTheFieldUnchanged()
    {
        QFETCH(int, window);
        QFETCH(QString, typed);
        QFETCH(QByteArray, document);
        QFETCH(QByteArray, composer);
        ProgramFixture program;
        open(window);
        if (!typed.isNull())
            typeInto(field(window), typed);
        QTest::mouseClick(control<QPushButton>(window, u"Button1"_s), Qt::LeftButton);
        QVERIFY(program.errors.isEmpty());
        QCOMPARE(printable(windows().form1->HPQT->bytes()), printable(document));
        QCOMPARE(printable(windows().form3->Memo1->bytes()), printable(composer));
        QCOMPARE(program.exists(u"look.html"_s), !document.isEmpty());
        QVERIFY(!form(window)->isVisible());
        // Nothing is reset: the window shows the same field when opened again.
        open(window);
        QCOMPARE(field(window)->text(), typed.isNull() ? mask : typed);
    }

    void linkButtonOnlyCloses()
    {
        ProgramFixture program;
        makeTree(program);
        open(5);
        clickEntry(fileList(5), u"b.jpg"_s);
        QTest::mouseClick(control<QPushButton>(5, u"Button2"_s), Qt::LeftButton);
        QVERIFY(!form(5)->isVisible());
        QCOMPARE(field(5)->text(), u"b.jpg"_s);
        QCOMPARE(windows().form1->HPQT->bytes(), QByteArray());
        QCOMPARE(windows().form3->Memo1->bytes(), QByteArray());
        QVERIFY(!program.exists(u"look.html"_s));
    }

    void fullDocumentKeepsTheWindowOpen()
    {
        ProgramFixture program;
        open(6);
        windows().form1->HPQT->setCapacity(4);
        QTest::mouseClick(control<QPushButton>(6, u"Button1"_s), Qt::LeftButton);
        QCOMPARE(program.errors, QStringList{u"Text exceeds memo capacity."_s});
        QVERIFY(form(6)->isVisible());
        QCOMPARE(windows().form1->HPQT->bytes(), QByteArray());
    }

    void vanishedFolderChangesNothing_data()
    {
        QTest::addColumn<bool>("replaceByFile");
        QTest::addColumn<QString>("message");
        // The error box adds the full stop.
        QTest::newRow("removed") << false << u"File not found."_s;
        QTest::newRow("now a file") << true << u"Invalid filename."_s;
    }
    void vanishedFolderChangesNothing()
    {
        QFETCH(bool, replaceByFile);
        QFETCH(QString, message);
        ProgramFixture program;
        makeTree(program);
        open(6);
        clickEntry(fileList(6), u"b.jpg"_s);
        QVERIFY(QDir(program.path(u"alt"_s)).removeRecursively());
        if (replaceByFile)
            makeFile(program.path(u"alt"_s));
        const PickerState before = stateOf(6);

        doubleClickEntry(folderList(6), u"alt"_s);
        QCOMPARE(program.errors, QStringList{message});
        QVERIFY(stateOf(6) == before);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void folderWithoutAccessChangesNothing()
    {
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        QVERIFY(QDir(start).mkdir(u"gesperrt"_s));
        QVERIFY(QDir(start).mkdir(u"unlesbar"_s));
        makeFile(start + u"/unlesbar/drin.jpg"_s);
        ::chmod(QFile::encodeName(start).constData(), 0755);
        ::chmod(QFile::encodeName(start + u"/gesperrt"_s).constData(), 0700);
        ::chmod(QFile::encodeName(start + u"/unlesbar"_s).constData(), 0711); // enter, not list
        open(6);
        clickEntry(fileList(6), u"b.jpg"_s);

        // Returns 0, or the number of the check that failed.
        auto attempt = [&program]() -> int {
            const PickerState before = stateOf(6);
            doubleClickEntry(folderList(6), u"gesperrt"_s);
            if (program.errors != QStringList{u"File access denied."_s})
                return 1;
            if (!(stateOf(6) == before))
                return 2;
            doubleClickEntry(folderList(6), u"unlesbar"_s);
            if (program.errors.size() != 2 || program.errors.constLast() != u"File access denied."_s)
                return 3;
            if (!(stateOf(6) == before))
                return 4;
            if (QApplication::overrideCursor())
                return 5;
            return 0;
        };

        if (::geteuid() != 0) {
            QCOMPARE(attempt(), 0);
            return;
        }
        // As root every folder opens: the attempt runs in a child that is nobody.
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(100);
            ::_exit(attempt());
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == 100)
            QSKIP("cannot become an unprivileged user here");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void changingTheDrive()
    {
        ScratchVolume scratch;
        if (!scratch.mounted())
            QSKIP("cannot mount a scratch volume here (needs root)");
        ProgramFixture program;
        makeTree(program);
        const QString start = canonical(program.path(u"."_s));
        open(6);
        QComboBox *drives = control<QComboBox>(6, u"DriveComboBox1"_s);
        QVERIFY(drives->findText(scratch.root() + u" []"_s) >= 0); // a RAM disk without label
        const QString home = drives->currentData().toString();
        clickEntry(fileList(6), u"b.jpg"_s);

        chooseDrive(drives, scratch.root());
        QVERIFY(program.errors.isEmpty());
        QCOMPARE(Platform::currentFolder(), scratch.root());
        QCOMPARE(selectedFolder(folderList(6)), QFileInfo(scratch.root()).fileName());
        QCOMPARE(texts(fileList(6)), QStringList());
        QCOMPARE(field(6)->text(), mask);

        // Back to the first volume: its folder last current, not its root.
        chooseDrive(drives, home);
        QCOMPARE(Platform::currentFolder(), start);
        QCOMPARE(pickerOf(6)->folder(), start);
        QCOMPARE(texts(fileList(6)), (QStringList{u"A.GIF"_s, u"b.jpg"_s}));

        // Taken away since: the message, the lists as they were, the drive box on the choice.
        scratch.unmount();
        clickEntry(fileList(6), u"b.jpg"_s);
        const PickerState before = stateOf(6);
        chooseDrive(drives, scratch.root());
        QCOMPARE(program.errors, QStringList{u"File not found."_s});
        QVERIFY(stateOf(6) == before);
        QCOMPARE(drives->currentData().toString(), scratch.root());
        QCOMPARE(pickerOf(6)->drive(), scratch.root());
    }

    void longFolderListsEverything()
    {
        ProgramFixture program;
        QVERIFY(QDir(program.path(u"."_s)).mkdir(u"viele"_s));
        for (int i = 0; i < 250; ++i)
            makeFile(program.path(u"viele/bild%1.%2"_s.arg(i, 3, 10, QLatin1Char('0'))
                                      .arg(i % 3 ? u"jpg"_s : u"GIF"_s)));
        open(8);
        doubleClickEntry(folderList(8), u"viele"_s);
        QVERIFY(program.errors.isEmpty());
        QCOMPARE(fileList(8)->count(), 250);
        QCOMPARE(fileList(8)->item(0)->text(), u"bild000.GIF"_s);
        QCOMPARE(fileList(8)->item(249)->text(), u"bild249.GIF"_s);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestPicturePicker)
#include "tst_picture_picker.moc"
