#include "formdialog.h"

#include <QButtonGroup>
#include <QComboBox>
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
    for (const FormRequest::Field& field : request.fields)
        addField(form, field);
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

void FormDialog::addField(QFormLayout* form, const FormRequest::Field& field) {
    QWidget* input = nullptr;
    if (field.choices.isEmpty()) {
        auto* edit = new QLineEdit(field.text, this);
        connect(edit, &QLineEdit::textChanged, this, &FormDialog::check);
        input = edit;
    } else {
        auto* box = new QComboBox(this);
        box->addItems(field.choices);
        box->setCurrentIndex(std::max(0, int(field.choices.indexOf(field.text))));
        connect(box, &QComboBox::currentIndexChanged, this, &FormDialog::check);
        input = box;
    }
    input->setObjectName(QStringLiteral("Feld%1").arg(m_fields.size() + 1));
    input->setAccessibleName(field.caption);
    form->addRow(field.caption, input);
    m_fields << input;
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
    for (const QWidget* input : m_fields) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(input))
            a.texts << edit->text();
        else
            a.texts << static_cast<const QComboBox*>(input)->currentText();
    }
    return a;
}

void FormDialog::check() {
    const QString problem = m_request.problem ? m_request.problem(answer()) : QString();
    m_problem->setText(problem);
    m_ok->setEnabled(problem.isEmpty());
}

} // namespace ankerblick
