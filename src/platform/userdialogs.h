#pragma once

// The dialogs of the desktop, through Qt.

#include "services/userdialogs.h"

namespace ankerblick {

// The title of message boxes that bring none of their own.
QString defaultDialogTitle();

class Settings;

// The real dialogs of the desktop. The file dialogs start in the folder
// chosen last and keep the folder chosen.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(Settings& settings) : m_settings(settings) {}

    std::optional<QString> inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<int> choice(QWidget* parent, const QString& prompt, const QString& title,
                              const QStringList& items) override;
    void messageBox(QWidget* parent, const QString& text, const QString& title) override;
    bool yesNo(QWidget* parent, const QString& text, const QString& title) override;
    SaveChoice askToSave(QWidget* parent, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& proposedName) override;
    QStringList openFileNames(QWidget* parent, const QString& filter) override;
    QString folderName(QWidget* parent) override;
    std::optional<FormAnswer> askForm(QWidget* parent, const FormRequest& request) override;

private:
    QString startFolder() const;
    void keepFolderOf(const QString& path);

    Settings& m_settings;
};

} // namespace ankerblick
