#include "userdialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ankerblick {

QString defaultDialogTitle() {
    return QStringLiteral("Ankerblick");
}

namespace {
QString titleOrDefault(const QString& title) {
    return title.isEmpty() ? defaultDialogTitle() : title;
}
} // namespace

QString QtUserDialogs::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, titleOrDefault(title), prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
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
    QPushButton* save = box.addButton(QStringLiteral("Speichern"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

QString QtUserDialogs::openFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& filter,
                                    const QString& proposedName) {
    // The dialog asks before an existing file is overwritten.
    return QFileDialog::getSaveFileName(parent, QString(), proposedName, filter);
}

} // namespace ankerblick
