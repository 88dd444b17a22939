#pragma once

// Everything the program asks the user in a dialog of its own goes through
// this interface, so that windows can be driven without modal dialogs.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace ankerblick {

// The answers to "Änderungen speichern?".
enum class SaveChoice { Save, Discard, Cancel };

// What a form dialog holds when OK is pressed: the option chosen and the
// texts of its fields, in their order.
struct FormAnswer {
    int option = 0;
    QStringList texts;
    friend bool operator==(const FormAnswer&, const FormAnswer&) = default;
};

// A dialog of one choice among options and a few text fields. OK takes the
// answers only when `problem` finds nothing wrong with them; until then the
// dialog shows what is wrong.
struct FormRequest {
    QString name; // the dialog's object name, for the handbook's F1
    QString title;
    QString optionsCaption;
    QStringList options;
    int option = 0;
    struct Field {
        QString caption;
        QString text;
        // A field with choices is chosen among them, not typed; its text is
        // the choice shown first (the first when it is none of them).
        QStringList choices;
    };
    QList<Field> fields;
    // What is wrong with the answers, or empty text when they hold.
    std::function<QString(const FormAnswer&)> problem;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // Text input; Cancel (or Escape, or closing the dialog) gives nothing.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& prompt,
                                            const QString& title,
                                            const QString& defaultText = QString()) = 0;
    // One of `items` to choose; Cancel gives nothing, else the item's index.
    virtual std::optional<int> choice(QWidget* parent, const QString& prompt, const QString& title,
                                      const QStringList& items) = 0;
    // A message with an OK button.
    virtual void messageBox(QWidget* parent, const QString& text,
                            const QString& title = QString()) = 0;
    // A question with the buttons Yes and No; true for Yes.
    virtual bool yesNo(QWidget* parent, const QString& text, const QString& title = QString()) = 0;
    // Unsaved series: the buttons Speichern, Verwerfen and Abbrechen.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text) = 0;
    // File dialogs with a filter such as "Textdateien (*.txt)"; Cancel gives empty text.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter,
                                 const QString& proposedName) = 0;
    // Several files at once; Cancel gives none.
    virtual QStringList openFileNames(QWidget* parent, const QString& filter) = 0;
    // A folder; Cancel gives empty text.
    virtual QString folderName(QWidget* parent) = 0;
    // The form's answers; Cancel gives nothing.
    virtual std::optional<FormAnswer> askForm(QWidget* parent, const FormRequest& request) = 0;
};

} // namespace ankerblick
