#include "userdialogs.h"

#include "formdialog.h"
#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace ankerblick {

QString defaultDialogTitle() {
    return QStringLiteral("Ankerblick");
}

namespace {
QString titleOrDefault(const QString& title) {
    return title.isEmpty() ? defaultDialogTitle() : title;
}
} // namespace

namespace {
// Wide enough for its title, which the title bar would otherwise cut: the
// title at the dialog's font and room for the window's buttons.
void fitTitle(QInputDialog& dialog) {
    constexpr int kTitleBarButtons = 160;
    const int title = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
    dialog.setMinimumWidth(std::max(dialog.minimumSizeHint().width(), title + kTitleBarButtons));
}
} // namespace

std::optional<QString> QtUserDialogs::inputBox(QWidget* parent, const QString& prompt,
                                               const QString& title, const QString& defaultText) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(titleOrDefault(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<int> QtUserDialogs::choice(QWidget* parent, const QString& prompt,
                                         const QString& title, const QStringList& items) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(titleOrDefault(title));
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype index = items.indexOf(dialog.textValue());
    if (index < 0)
        return std::nullopt;
    return int(index);
}

void QtUserDialogs::messageBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::information(parent, titleOrDefault(title), text, QMessageBox::Ok);
}

bool QtUserDialogs::yesNo(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, titleOrDefault(title), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtUserDialogs::askToSave(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, defaultDialogTitle(), text, QMessageBox::NoButton,
                    parent);
    QPushButton* save =
        box.addButton(QCoreApplication::translate("ankerblick::QtUserDialogs", "Speichern"),
                      QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("ankerblick::QtUserDialogs", "Verwerfen"),
                      QMessageBox::DestructiveRole);
    QPushButton* cancel =
        box.addButton(QCoreApplication::translate("ankerblick::QtUserDialogs", "Abbrechen"),
                      QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

QString QtUserDialogs::startFolder() const {
    // A folder that is gone now leaves the choice to the dialog.
    const QString folder = m_settings.lastFolder();
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) && QFileInfo(folder).isDir()
               ? folder
               : QString();
}

void QtUserDialogs::keepFolderOf(const QString& path) {
    if (!path.isEmpty())
        m_settings.setLastFolder(QFileInfo(path).absolutePath());
}

QString QtUserDialogs::openFileName(QWidget* parent, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, QString(), startFolder(), filter);
    keepFolderOf(path);
    return path;
}

QStringList QtUserDialogs::openFileNames(QWidget* parent, const QString& filter) {
    const QStringList paths =
        QFileDialog::getOpenFileNames(parent, QString(), startFolder(), filter);
    if (!paths.isEmpty())
        keepFolderOf(paths.first());
    return paths;
}

QString QtUserDialogs::folderName(QWidget* parent) {
    const QString folder = QFileDialog::getExistingDirectory(parent, QString(), startFolder());
    if (!folder.isEmpty())
        keepFolderOf(QDir(folder).filePath(QStringLiteral(".")));
    return folder;
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& filter,
                                    const QString& proposedName) {
    const QString folder = startFolder();
    const QString proposed = folder.isEmpty() || QDir::isAbsolutePath(proposedName)
                                 ? proposedName
                                 : QDir(folder).filePath(proposedName);
    // The dialog asks before an existing file is overwritten.
    const QString path = QFileDialog::getSaveFileName(parent, QString(), proposed, filter);
    keepFolderOf(path);
    return path;
}

std::optional<FormAnswer> QtUserDialogs::askForm(QWidget* parent, const FormRequest& request) {
    FormDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}

} // namespace ankerblick
