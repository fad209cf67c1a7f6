// A folder of 20,000 pictures, listed by the picker's file list and by the whole picker, beside
// a plain QDir listing of the same folder as the floor.
#include "elements/folder_entries.h"
#include "elements/picture_picker.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int pictureCount = 20000;

// The parent folder holds only "viele"; "viele" holds the pictures and a few other files.
const QTemporaryDir &tree()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        QDir(dir.path()).mkdir(u"viele"_s);
        const QString folder = dir.filePath(u"viele"_s);
        for (int i = 0; i < pictureCount; ++i) {
            const QString name = u"%1/Bild %2.%3"_s.arg(folder).arg((i * 7919) % pictureCount)
                                     .arg(i % 4 ? u"jpg"_s : u"GIF"_s);
            QFile(name).open(QIODevice::WriteOnly);
        }
        for (int i = 0; i < 200; ++i)
            QFile(u"%1/notiz %2.txt"_s.arg(folder).arg(i)).open(QIODevice::WriteOnly);
        return true;
    }();
    Q_UNUSED(made);
    return dir;
}

QString bigFolder()
{
    return QDir(tree().filePath(u"viele"_s)).canonicalPath();
}

void BM_Floor_QDirListing(benchmark::State &state)
{
    const QString folder = bigFolder();
    for (auto _ : state) {
        const QStringList names =
            QDir(folder).entryList({u"*.jpg"_s, u"*.gif"_s}, QDir::Files,
                                   QDir::Name | QDir::IgnoreCase);
        benchmark::DoNotOptimize(names.size());
    }
    state.counters["entries"] = double(QDir(folder).entryList({u"*.jpg"_s, u"*.gif"_s},
                                                              QDir::Files).size());
}
BENCHMARK(BM_Floor_QDirListing)->Unit(benchmark::kMillisecond);

void BM_FileListEntries(benchmark::State &state)
{
    const QString folder = bigFolder();
    qsizetype count = 0;
    for (auto _ : state) {
        const QStringList names =
            FolderEntries::fileEntries(folder, QString::fromUtf16(FolderEntries::pictureMask));
        count = names.size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["entries"] = double(count);
}
BENCHMARK(BM_FileListEntries)->Unit(benchmark::kMillisecond);

// Opening the folder in a shown picker: working folder, both lists read and filled.
void BM_PickerOpensFolder(benchmark::State &state)
{
    const QString parent = QDir(tree().path()).canonicalPath();
    const QString before = QDir::currentPath();
    QDir::setCurrent(parent);
    QWidget window;
    window.resize(300, 200);
    auto *picker = new PicturePicker(&window);
    picker->FileListBox1->setGeometry(0, 80, 145, 78);
    window.show();
    QApplication::processEvents();

    auto select = [picker](const QString &text) {
        const QList<QListWidgetItem *> found =
            picker->DirectoryListBox1->findItems(text, Qt::MatchExactly);
        picker->DirectoryListBox1->setCurrentItem(found.constLast());
    };
    for (auto _ : state) {
        select(u"viele"_s);
        picker->DirectoryListBox1DblClick();
        QApplication::processEvents(); // the repaint the user waits for
        state.PauseTiming();
        select(QDir(parent).dirName());
        picker->DirectoryListBox1DblClick();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    select(u"viele"_s);
    picker->DirectoryListBox1DblClick();
    state.counters["entries"] = double(picker->FileListBox1->count());
    QDir::setCurrent(before);
}
BENCHMARK(BM_PickerOpensFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
