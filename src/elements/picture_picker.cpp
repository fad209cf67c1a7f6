#include "elements/picture_picker.h"

#include "foundation/window_frame.h"

#include "elements/folder_entries.h"
#include "foundation/error_display.h"
#include "platform/file_search.h"
#include "platform/io_errors.h"
#include "platform/working_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

#include <cerrno>

using namespace Qt::StringLiterals;
using FolderEntries::FolderEntry;
using FolderEntries::Glyph;
using Platform::VolumeKind;

namespace {

constexpr int rowHeight = 16;
constexpr int glyphWidth = 16;
constexpr int listGlyphHeight = 15;
constexpr int driveGlyphHeight = 11;
constexpr int glyphGap = 4;   // between a glyph and its name
constexpr int fileIndent = 2; // the file list's glyph from the left edge

enum Role { PathRole = Qt::UserRole, GlyphRole, IndentRole };

// ---- the small pictures of the lists and the drive box

QPixmap blankGlyph(int height)
{
    QPixmap pixmap(glyphWidth, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap folderGlyph(bool open, bool current)
{
    QPixmap pixmap = blankGlyph(listGlyphHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor edge(128, 96, 0), back(230, 190, 60), front(250, 220, 110);
    p.setPen(edge);
    p.setBrush(back);
    p.drawRect(1, 3, 5, 2);   // tab
    p.drawRect(1, 4, 13, 9);  // body
    if (open) {
        QPainterPath flap;
        flap.moveTo(3, 7);
        flap.lineTo(15, 7);
        flap.lineTo(13, 13);
        flap.lineTo(1, 13);
        flap.closeSubpath();
        p.setBrush(front);
        p.drawPath(flap);
    }
    if (current) {
        // A dark dot marks the folder the list stands in.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(6, 9, 4, 3);
    }
    return pixmap;
}

QPixmap documentGlyph()
{
    QPixmap pixmap = blankGlyph(listGlyphHeight);
    QPainter p(&pixmap);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    const QPolygon page({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14),
                         QPoint(3, 14)});
    p.drawPolygon(page);
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
    p.setPen(QColor(0, 0, 160));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(5, y, 11, y);
    return pixmap;
}

QPixmap driveGlyph(VolumeKind kind)
{
    QPixmap pixmap = blankGlyph(driveGlyphHeight);
    QPainter p(&pixmap);
    p.setPen(QColor(48, 48, 48));
    switch (kind) {
    case VolumeKind::Removable: // a floppy disk
        p.setBrush(QColor(40, 40, 120));
        p.drawRect(3, 0, 10, 10);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(5, 0, 6, 3);
        break;
    case VolumeKind::Network: // a box on a cable
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(1, 0, 13, 5);
        p.drawLine(7, 6, 7, 9);
        p.drawLine(2, 9, 13, 9);
        break;
    case VolumeKind::CdRom: // a disc
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(210, 210, 230));
        p.drawEllipse(QRectF(2.5, 0.5, 10, 10));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6, 4, 3, 3));
        break;
    case VolumeKind::RamDisk: // a memory chip with its legs
        p.setBrush(QColor(0, 110, 60));
        p.drawRect(1, 2, 13, 6);
        for (int x = 2; x < 14; x += 3) {
            p.drawLine(x, 0, x, 1);
            p.drawLine(x, 9, x, 10);
        }
        break;
    default: // a hard disk with its lamp
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(0, 2, 14, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 180, 0));
        p.drawRect(11, 6, 2, 2);
        break;
    }
    return pixmap;
}

const QPixmap &glyphFor(Glyph glyph)
{
    static const QPixmap open = folderGlyph(true, false);
    static const QPixmap current = folderGlyph(true, true);
    static const QPixmap closed = folderGlyph(false, false);
    switch (glyph) {
    case Glyph::OpenFolder:
        return open;
    case Glyph::CurrentFolder:
        return current;
    case Glyph::ClosedFolder:
        break;
    }
    return closed;
}

// Draws a row as the lists show it: the glyph at its indentation, centred in a row 16 pixels
// high, the name after it. The file list's rows all carry the document glyph.
class RowDelegate : public QStyledItemDelegate
{
public:
    RowDelegate(bool fileList, QObject *parent) : QStyledItemDelegate(parent), m_fileList(fileList)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem row = option;
        initStyleOption(&row, index);
        const QString text = row.text;
        row.text.clear();
        row.icon = {};
        row.features &= ~QStyleOptionViewItem::HasDecoration;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, widget);

        static const QPixmap document = documentGlyph();
        const QPixmap &glyph = m_fileList ? document
                                          : glyphFor(Glyph(index.data(GlyphRole).toInt()));
        const int indent = m_fileList ? fileIndent : index.data(IndentRole).toInt();
        const int left = option.rect.left() + indent;
        painter->drawPixmap(left, option.rect.top() + (option.rect.height() - glyph.height()) / 2,
                            glyph);

        QRect textRect = option.rect;
        textRect.setLeft(left + glyphWidth + glyphGap);
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText
                                                      : QPalette::Text));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int indent = m_fileList ? fileIndent : index.data(IndentRole).toInt();
        const int width = option.fontMetrics.horizontalAdvance(index.data().toString());
        return {indent + glyphWidth + glyphGap + width + 2, rowHeight};
    }

private:
    bool m_fileList;
};

QListWidget *makeList(QWidget *window, const QString &name, bool fileList)
{
    auto *list = new QListWidget(window);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true); // many thousand rows lay out at once
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setItemDelegate(new RowDelegate(fileList, list));
    return list;
}

// The busy pointer for a long file list: taken on demand, given back however reading ends.
class BusyPointer
{
public:
    BusyPointer() = default;
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
    ~BusyPointer()
    {
        if (m_engaged)
            QApplication::restoreOverrideCursor();
    }
    void engage()
    {
        if (m_engaged)
            return;
        m_engaged = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }

private:
    bool m_engaged = false;
};

QString startFolder()
{
    const QString folder = Platform::currentFolder();
    return folder.isEmpty() ? u"/"_s : folder;
}

} // namespace

PicturePicker::PicturePicker(QWidget *window) : QObject(window), m_window(window)
{
    DriveComboBox1 = new QComboBox(window);
    DriveComboBox1->setObjectName(u"DriveComboBox1"_s);
    DriveComboBox1->setEditable(false);
    DriveComboBox1->setIconSize(QSize(glyphWidth, driveGlyphHeight));
    DirectoryListBox1 = makeList(window, u"DirectoryListBox1"_s, false);
    FileListBox1 = makeList(window, u"FileListBox1"_s, true);
    Edit1 = new QLineEdit(window);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setText(QString::fromUtf16(FolderEntries::pictureMask));

    m_folder = m_fileFolder = startFolder();
    Platform::noteFolder(m_folder);

    // QComboBox::activated comes from the user's mouse or keyboard only.
    connectHandler(DriveComboBox1, &QComboBox::activated, this,
                   &PicturePicker::DriveComboBox1Change);
    connectHandler(DirectoryListBox1, &QListWidget::itemDoubleClicked, this,
                   &PicturePicker::DirectoryListBox1DblClick);
    DirectoryListBox1->installEventFilter(this);
    connectHandler(FileListBox1, &QListWidget::itemSelectionChanged, this,
                   &PicturePicker::FileListBox1Change);
    window->installEventFilter(this);
}

void PicturePicker::placeControls(int fileListHeight, int fieldLeft)
{
    place(DriveComboBox1, 0, 0, 145, 19);
    place(DirectoryListBox1, 0, 16, 145, 65);
    place(FileListBox1, 0, 80, 145, fileListHeight);
    place(Edit1, fieldLeft, 0, 121, 21);
}

bool PicturePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_populated) {
        runGuarded([this] { populate(); });
    } else if (watched == DirectoryListBox1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            runGuarded([this] { DirectoryListBox1DblClick(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PicturePicker::populate()
{
    // The lists are read when first shown, not at start-up, and for the folder of start-up:
    // showing a window does not move the working folder.
    if (DriveComboBox1->count() == 0) {
        m_volumes = Platform::volumes();
        m_drive = Platform::volumeRootOf(m_folder, m_volumes);
        for (const Platform::Volume &volume : std::as_const(m_volumes)) {
            DriveComboBox1->addItem(QIcon(driveGlyph(volume.kind)),
                                    FolderEntries::driveEntryText(volume), volume.root);
            if (volume.root == m_drive)
                DriveComboBox1->setCurrentIndex(DriveComboBox1->count() - 1);
        }
    }
    BusyPointer busy;
    const QList<FolderEntry> folders =
        FolderEntries::folderEntries(m_folder, Platform::findSubfolders(m_folder));
    const QStringList files = FolderEntries::fileEntries(
        m_fileFolder, QString::fromUtf16(FolderEntries::pictureMask), [&busy] { busy.engage(); });
    showFolders(m_folder, folders);
    showFiles(m_fileFolder, files);
    m_populated = true;
}

void PicturePicker::DriveComboBox1Change()
{
    const int index = DriveComboBox1->currentIndex();
    if (index < 0 || index >= m_volumes.size())
        return;
    const Platform::Volume volume = m_volumes.at(index);
    if (volume.root == m_drive)
        return;
    m_drive = volume.root; // kept even if the volume cannot be entered
    if (Platform::volumeRootOf(m_folder, m_volumes) == volume.root)
        return;
    navigate([&] { Platform::changeToVolume(volume, m_volumes); });
}

void PicturePicker::DirectoryListBox1DblClick()
{
    const QListWidgetItem *item = DirectoryListBox1->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString path = item->data(PathRole).toString();
    if (path == m_folder)
        return;
    navigate([&] { Platform::changeFolder(path); });
}

void PicturePicker::navigate(const std::function<void()> &moveWorkingFolder)
{
    // Everything is read before anything is shown: a folder that cannot be entered or read
    // leaves the lists and the working folder as they were.
    BusyPointer busy;
    const QString previous = Platform::currentFolder();
    QString folder;
    QList<FolderEntry> folders;
    QStringList files;
    try {
        moveWorkingFolder();
        folder = Platform::currentFolder();
        if (folder.isEmpty())
            Platform::throwIoError(ENOENT);
        folders = FolderEntries::folderEntries(folder, Platform::findSubfolders(folder));
        if (folder != m_fileFolder)
            files = FolderEntries::fileEntries(folder,
                                               QString::fromUtf16(FolderEntries::pictureMask),
                                               [&busy] { busy.engage(); });
    } catch (...) {
        if (!previous.isEmpty())
            Platform::setCurrentFolder(previous);
        throw;
    }
    Platform::noteFolder(folder);
    showFolders(folder, folders);
    if (folder != m_fileFolder)
        showFiles(folder, files);
}

void PicturePicker::showFolders(const QString &folder, const QList<FolderEntry> &entries)
{
    m_folder = folder;
    DirectoryListBox1->clear();
    for (const FolderEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text);
        item->setData(PathRole, entry.path);
        item->setData(GlyphRole, int(entry.glyph));
        item->setData(IndentRole, entry.indent);
        DirectoryListBox1->addItem(item);
    }
    DirectoryListBox1->setCurrentRow(int(FolderEntries::currentEntry(entries)));
}

void PicturePicker::showFiles(const QString &folder, const QStringList &names)
{
    m_fileFolder = folder;
    m_filling = true;
    FileListBox1->clear();
    FileListBox1->addItems(names); // in one go: one layout, one repaint
    FileListBox1->clearSelection();
    FileListBox1->setCurrentRow(-1);
    m_filling = false;
    m_lastSelected = -1;
    Edit1->setText(QString::fromUtf16(FolderEntries::pictureMask));
    Edit1->selectAll();
}

void PicturePicker::FileListBox1Change()
{
    if (m_filling)
        return;
    const QList<QListWidgetItem *> selected = FileListBox1->selectedItems();
    const int position = selected.isEmpty() ? -1 : FileListBox1->row(selected.constFirst());
    if (position == m_lastSelected)
        return;
    m_lastSelected = position;
    Edit1->setText(position >= 0 ? selected.constFirst()->text()
                                 : QString::fromUtf16(FolderEntries::pictureMask));
    Edit1->selectAll();
}
