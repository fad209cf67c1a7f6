#include "foundation/modal_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

FileDialog::FileDialog(Mode mode, QString title, QString filter)
    : m_mode(mode), m_title(std::move(title)), m_filter(std::move(filter))
{
}

bool FileDialog::execute(QWidget *parent)
{
    return modalHooks().fileDialog(*this, parent);
}

FontDialog::FontDialog()
{
    // The start-up setting: MS Sans Serif with a character height of 11 pixels.
    m_font.setFamilies({u"MS Sans Serif"_s});
    m_font.setPixelSize(11);
}

bool FontDialog::execute(QWidget *parent)
{
    // "MS Sans Serif" is rarely installed; without this the dialog would pick some unrelated
    // face from its list. Asked on first use, so start-up does not pay for the font lookup.
    if (!m_startFaceResolved) {
        const QFontInfo standIn(m_font);
        m_font.setFamilies({standIn.family()});
        m_font.setStyleName(standIn.styleName()); // else the dialog may start on an oblique style
        m_startFaceResolved = true;
    }
    return modalHooks().fontDialog(*this, parent);
}

namespace {

bool runRealFileDialog(FileDialog &dialog, QWidget *parent)
{
    QFileDialog box(parent, dialog.title());
    box.setAcceptMode(dialog.mode() == FileDialog::Mode::Save ? QFileDialog::AcceptSave
                                                              : QFileDialog::AcceptOpen);
    // No overwrite question and no existence check: what the user types is used as typed.
    box.setFileMode(QFileDialog::AnyFile);
    box.setOption(QFileDialog::DontConfirmOverwrite);
    if (!dialog.filter().isEmpty())
        box.setNameFilter(dialog.filter());
    if (!dialog.fileName().isEmpty())
        box.selectFile(dialog.fileName());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return false;
    dialog.setFileName(box.selectedFiles().constFirst());
    return true;
}

bool runRealFontDialog(FontDialog &dialog, QWidget *parent)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, dialog.font(), parent);
    if (ok)
        dialog.setFont(chosen);
    return ok;
}

void runRealErrorBox(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(u"OK"_s); // the program's own text, in any language
    box.exec();
}

bool runRealOkAbortBox(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok | QMessageBox::Abort,
                    QApplication::activeWindow());
    // The program names these buttons itself; Qt's German translation must not rename them.
    box.button(QMessageBox::Ok)->setText(u"OK"_s);
    box.button(QMessageBox::Abort)->setText(u"Abort"_s);
    return box.exec() == QMessageBox::Ok;
}

std::optional<int> runRealLineNumberBox(QWidget *parent, int lineCount, int current)
{
    QInputDialog box(parent);
    box.setWindowTitle(u"Gehe zu Zeile"_s);
    box.setLabelText(u"Zeile:"_s);
    box.setInputMode(QInputDialog::IntInput);
    box.setIntRange(1, std::max(lineCount, 1));
    box.setIntValue(current);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.intValue();
}

ModalHooks realHooks()
{
    return {runRealFileDialog, runRealFontDialog, runRealErrorBox, runRealOkAbortBox,
            runRealLineNumberBox};
}

} // namespace

ModalHooks &modalHooks()
{
    static ModalHooks hooks = realHooks();
    return hooks;
}

void restoreRealDialogs()
{
    modalHooks() = realHooks();
}
