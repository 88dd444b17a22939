#pragma once

// The dialog behind UserDialogs::askForm: the options as radio buttons, the
// fields as a form (a field with choices as a list to choose from), a line that says what is wrong,
// OK and Cancel.

#include "services/userdialogs.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ankerblick {

class FormDialog final : public QDialog {
    Q_OBJECT
public:
    FormDialog(const FormRequest& request, QWidget* parent);

    FormAnswer answer() const;

private:
    void addField(QFormLayout* form, const FormRequest::Field& field);
    void addOptions(QFormLayout* form);
    void check();

    FormRequest m_request;
    QButtonGroup* m_options = nullptr;
    QList<QWidget*> m_fields; // a line edit, or a combo box for a field with choices
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace ankerblick
