#include "druckdialog.h"

#include "services/printers.h"
#include "services/userdialogs.h"
#include "widgets/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ankerblick {

namespace {
QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}
} // namespace

QString DruckDialog::pdfFileEntry() {
    return tr("PDF-Datei");
}

DruckDialog::DruckDialog(PrinterService& printers, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_printers(printers), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("DruckDialog"));
    setWindowTitle(tr("Drucken"));
    buildControls();
    loadKeptOptions();
}

void DruckDialog::buildControls() {
    // A form: the captions at the left of their fields, the options below
    // the series, the help across the dialog.
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    layout->addLayout(form, 1);

    auto* printerLabel = new QLabel(tr("Drucker:"), this);
    m_printerList = named(new QComboBox(this), QStringLiteral("Druckerliste"));
    printerLabel->setBuddy(m_printerList);
    m_printerList->installEventFilter(this);
    form->addRow(printerLabel, m_printerList);

    auto* seriesLabel = new QLabel(tr("Zu druckende Serien markieren"), this);
    m_seriesList = named(new QListWidget(this), QStringLiteral("DruckSerienListe"));
    m_seriesList->setSelectionMode(QAbstractItemView::MultiSelection);
    seriesLabel->setBuddy(m_seriesList);
    form->addRow(seriesLabel);
    form->addRow(m_seriesList);

    m_all = makeCheck(this, QStringLiteral("AllesDrucken"), tr("Alles drucken"));
    m_colour = makeCheck(this, QStringLiteral("FarbeCheck"), tr("Farbig"));
    m_overall = makeCheck(this, QStringLiteral("GesamtschussbildChk"), tr("Gesamtschussbild?"));
    auto* options = new QVBoxLayout;
    options->addWidget(m_all);
    options->addWidget(m_colour);
    options->addWidget(m_overall);
    form->addRow(options);

    m_help = makeStatusLabel(this, QStringLiteral("Label1"));
    m_help->setWordWrap(true);
    m_help->setMinimumWidth(260);
    layout->addWidget(m_help);

    auto* buttons = new QHBoxLayout;
    m_ok = makeButton(this, QStringLiteral("OKButton"), tr("OK"));
    m_cancel = makeButton(this, QStringLiteral("CancelButton"), tr("Abbrechen"));
    m_ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_all, &QCheckBox::clicked, this, [this] { printAll(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { printChosen(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancelPrinting(); });
}

void DruckDialog::loadKeptOptions() {
    m_printerNames = m_printers.installedPrinters();
    m_printerList->addItems(m_printerNames);
    if (m_printers.offersPdfFile())
        m_printerList->addItem(pdfFileEntry());
    if (m_printerList->count() == 0) {
        m_ok->setEnabled(false); // printData says why
        return;
    }
    m_printerList->setCurrentIndex(0);
    leavePrinterList();
}

bool DruckDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_printerList && event->type() == QEvent::FocusOut)
        leavePrinterList();
    return QDialog::eventFilter(watched, event);
}

void DruckDialog::leavePrinterList() {
    const int index = m_printerList->currentIndex();
    if (index < 0)
        return;
    if (index < m_printerNames.size())
        m_printers.setCurrent(PrintDestination::printer(m_printerNames.at(index)));
    else
        m_printers.setCurrent(PrintDestination::pdfFile(QString()));
}

void DruckDialog::printData(qint16 Serienanzahl, const QString& Hilfstext,
                            const QString& proposedPdf) {
    m_proposedPdf = proposedPdf;
    m_request.reset();
    m_seriesList->clear();
    for (int i = 1; i <= Serienanzahl; ++i)
        m_seriesList->addItem(QString::number(i));
    m_help->setText(Hilfstext);
    if (m_printerList->count() == 0)
        m_dialogs.messageBox(parentWidget(), tr("Leider ist kein Drucker installiert"));
}

void DruckDialog::printAll() {
    m_seriesList->setEnabled(!m_all->isChecked());
}

bool DruckDialog::chooseDestination() {
    // OK takes the printer shown in the list, as leaving the list does.
    leavePrinterList();
    if (m_printers.current().kind != PrintDestination::Kind::PdfFile)
        return true;
    QString file = m_dialogs.saveFileName(this, tr("PDF-Dateien (*.pdf)"), m_proposedPdf);
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    m_printers.setCurrent(PrintDestination::pdfFile(file));
    return true;
}

bool DruckDialog::somethingToPrint() {
    if (m_seriesList->count() == 0) {
        m_dialogs.messageBox(this, tr("Es gibt keine Serie zum Drucken."));
        return false;
    }
    if (!m_all->isChecked() && m_seriesList->selectedItems().isEmpty()) {
        m_dialogs.messageBox(this, tr("Bitte mindestens eine Serie zum Drucken "
                                      "markieren oder „Alles drucken“ wählen."));
        return false;
    }
    return true;
}

PrintRequest DruckDialog::chosen() const {
    PrintRequest request;
    for (int j = 0; j < m_seriesList->count(); ++j)
        if (m_all->isChecked() || m_seriesList->item(j)->isSelected())
            request.series.append(qint16(j + 1));
    request.colour = m_colour->isChecked() ? PrintColour::Colour : PrintColour::BlackWhite;
    request.overall = m_overall->isChecked();
    return request;
}

void DruckDialog::printChosen() {
    if (!somethingToPrint() || !chooseDestination())
        return;
    m_request = chosen();
    Q_EMIT printRequested(*m_request);
    accept();
}

void DruckDialog::cancelPrinting() {
    reject();
}

} // namespace ankerblick
