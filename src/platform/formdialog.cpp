#include "formdialog.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ankerblick {

FormDialog::FormDialog(const FormRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {
    setObjectName(request.name);
    setWindowTitle(request.title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addOptions(form);
    for (const FormRequest::Field& field : request.fields) {
        auto* edit = new QLineEdit(field.text, this);
        edit->setObjectName(QStringLiteral("Feld%1").arg(m_fields.size() + 1));
        edit->setAccessibleName(field.caption);
        form->addRow(field.caption, edit);
        connect(edit, &QLineEdit::textChanged, this, &FormDialog::check);
        m_fields << edit;
    }
    // The line keeps its room, so that the dialog does not jump.
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("Hinweis"));
    m_problem->setWordWrap(true);
    m_problem->setMinimumHeight(2 * fontMetrics().height());
    layout->addWidget(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("ankerblick::QtUserDialogs", "Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    check();
}

void FormDialog::addOptions(QFormLayout* form) {
    m_options = new QButtonGroup(this);
    auto* column = new QVBoxLayout;
    for (int i = 0; i < int(m_request.options.size()); ++i) {
        auto* option = new QRadioButton(m_request.options.at(i), this);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        option->setChecked(i == m_request.option);
        m_options->addButton(option, i);
        column->addWidget(option);
    }
    if (!m_request.options.isEmpty())
        form->addRow(m_request.optionsCaption, column);
}

FormAnswer FormDialog::answer() const {
    FormAnswer a;
    a.option = std::max(0, m_options->checkedId());
    for (const QLineEdit* edit : m_fields)
        a.texts << edit->text();
    return a;
}

void FormDialog::check() {
    const QString problem = m_request.problem ? m_request.problem(answer()) : QString();
    m_problem->setText(problem);
    m_ok->setEnabled(problem.isEmpty());
}

} // namespace ankerblick
