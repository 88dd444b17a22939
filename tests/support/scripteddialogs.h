#pragma once

// A scripted stand-in for the user's dialogs: answers come from queues, and
// every question asked is recorded so tests can check what the user saw.

#include "platform/userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick::test {

class ScriptedDialogs final : public UserDialogs {
public:
    struct Asked {
        QString
            kind; // "input", "message", "yesno", "asksave", "open", "save", "openmany", "folder"
        QString text; // prompt or message
        QString title;
        QString extra; // default text, filter or proposed file name
    };

    // Answers to input boxes, std::nullopt for Cancel; none left answers as Cancel.
    QList<std::optional<QString>> inputs;
    QList<bool> yesNoAnswers;      // none left answers No
    QList<int> choices;            // none left cancels
    QList<SaveChoice> saveChoices; // answers to "Änderungen speichern?"; none left: Verwerfen
    QStringList openNames;
    QStringList saveNames;
    QList<QStringList> openNameLists; // answers to the dialog for several files
    QStringList folderNames;
    // Answers to forms; none left cancels. An answer the form finds wrong is
    // noted as "formproblem" with what is wrong, and cancels as the real
    // dialog's disabled OK would leave only Cancel.
    QList<FormAnswer> forms;
    QList<Asked> asked;

    QStringList messages() const { return textsOf(QStringLiteral("message")); }
    QStringList prompts() const { return textsOf(QStringLiteral("input")); }

    std::optional<QString> inputBox(QWidget*, const QString& prompt, const QString& title,
                                    const QString& defaultText) override {
        asked.append({QStringLiteral("input"), prompt, title, defaultText});
        return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
    }
    std::optional<int> choice(QWidget*, const QString& prompt, const QString& title,
                              const QStringList& items) override {
        asked.append({QStringLiteral("choice"), prompt, title, items.join(u'|')});
        return choices.isEmpty() ? std::nullopt : std::optional<int>(choices.takeFirst());
    }
    void messageBox(QWidget*, const QString& text, const QString& title) override {
        asked.append({QStringLiteral("message"), text, title, QString()});
    }
    bool yesNo(QWidget*, const QString& text, const QString& title) override {
        asked.append({QStringLiteral("yesno"), text, title, QString()});
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
    }
    SaveChoice askToSave(QWidget*, const QString& text) override {
        asked.append({QStringLiteral("asksave"), text, QString(), QString()});
        return saveChoices.isEmpty() ? SaveChoice::Discard : saveChoices.takeFirst();
    }
    QString openFileName(QWidget*, const QString& filter) override {
        asked.append({QStringLiteral("open"), QString(), QString(), filter});
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& proposedName) override {
        asked.append({QStringLiteral("save"), QString(), QString(), filter + u'|' + proposedName});
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }

    QStringList openFileNames(QWidget*, const QString& filter) override {
        asked.append({QStringLiteral("openmany"), QString(), QString(), filter});
        return openNameLists.isEmpty() ? QStringList() : openNameLists.takeFirst();
    }
    QString folderName(QWidget*) override {
        asked.append({QStringLiteral("folder"), QString(), QString(), QString()});
        return folderNames.isEmpty() ? QString() : folderNames.takeFirst();
    }
    std::optional<FormAnswer> askForm(QWidget*, const FormRequest& request) override {
        QStringList shown = request.options;
        for (const FormRequest::Field& f : request.fields)
            shown << f.caption + u'=' + f.text;
        asked.append({QStringLiteral("form"), request.name, request.title, shown.join(u'|')});
        if (forms.isEmpty())
            return std::nullopt;
        const FormAnswer answer = forms.takeFirst();
        const QString problem = request.problem ? request.problem(answer) : QString();
        if (!problem.isEmpty()) {
            asked.append({QStringLiteral("formproblem"), problem, request.title, QString()});
            return std::nullopt;
        }
        return answer;
    }

private:
    QStringList textsOf(const QString& kind) const {
        QStringList out;
        for (const Asked& a : asked)
            if (a.kind == kind)
                out << a.text;
        return out;
    }
};

} // namespace ankerblick::test
