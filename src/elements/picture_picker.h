#pragma once

#include "platform/volumes.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace FolderEntries {
struct FolderEntry;
}

// The picker the three picture windows are built around: a drive box, a folder list and a file
// list, chained one way to the file-name field, which receives the bare name of the chosen file.
// Navigating moves the process's working folder; choosing a file moves nothing.
class PicturePicker : public QObject
{
    Q_OBJECT

public:
    // Creates the four controls in window; the window places them. The lists take the working
    // folder of this moment and read it when the window is first shown.
    explicit PicturePicker(QWidget *window);

    // Places the lists down the window's left edge, the file list with its own height, and the
    // field at fieldLeft beside them, overlapping as the windows have always had them.
    void placeControls(int fileListHeight, int fieldLeft);

    QComboBox *DriveComboBox1;
    QListWidget *DirectoryListBox1;
    QListWidget *FileListBox1;
    QLineEdit *Edit1;

    // A change of the drive box's choice, by mouse or keyboard.
    void DriveComboBox1Change();
    // Opens the folder list's selected entry (double click or Enter).
    void DirectoryListBox1DblClick();
    // A change of the file list's selection.
    void FileListBox1Change();

    QString drive() const { return m_drive; }
    QString folder() const { return m_folder; }
    QString fileFolder() const { return m_fileFolder; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void populate();
    void navigate(const std::function<void()> &moveWorkingFolder);
    void showFolders(const QString &folder, const QList<FolderEntries::FolderEntry> &entries);
    void showFiles(const QString &folder, const QStringList &names);

    QWidget *m_window;
    QList<Platform::Volume> m_volumes;
    QString m_drive;      // mount point of the drive box's volume
    QString m_folder;     // the folder list's folder
    QString m_fileFolder; // the file list's folder
    int m_lastSelected = -1;
    bool m_populated = false;
    bool m_filling = false;
};
