#pragma once

// The print dialog: the installed printers (and printing to a PDF file), the
// series of the calling window to print, and the options "Alles drucken",
// "Farbig" and "Gesamtschussbild?". OK sends the print request (and keeps it)
// before the dialog closes; with nothing to print it says so and stays open.

#include "printrequest.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ankerblick {

class PrinterService;
class UserDialogs;

class DruckDialog final : public QDialog {
    Q_OBJECT
public:
    DruckDialog(PrinterService& printers, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Lists the series "1" to Serienanzahl and shows the help text.
    // The series to offer, the help text, and the name the PDF file dialog
    // proposes (none: the dialog's own). Without any printer it says so.
    void printData(qint16 Serienanzahl, const QString& Hilfstext,
                   const QString& proposedPdf = QString());
    // What OK asked to print; empty until OK accepted the dialog.
    const std::optional<PrintRequest>& request() const { return m_request; }

    // The entry after the installed printers that prints to a PDF file.
    static QString pdfFileEntry();

Q_SIGNALS:
    // OK with something to print and a destination, while the dialog is still open.
    void printRequested(const PrintRequest& request);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void loadKeptOptions();
    void leavePrinterList();
    void printAll();
    void printChosen();
    void cancelPrinting();
    // Says so when no series is marked and "Alles drucken" is off, or there
    // is no series at all; the dialog then stays open.
    bool somethingToPrint();
    // Asks for the PDF file when that entry is chosen; false when none is given.
    bool chooseDestination();
    PrintRequest chosen() const;

    PrinterService& m_printers;
    UserDialogs& m_dialogs;
    std::optional<PrintRequest> m_request;
    QStringList m_printerNames;

    QComboBox* m_printerList = nullptr;
    QListWidget* m_seriesList = nullptr;
    QCheckBox* m_all = nullptr;
    QCheckBox* m_colour = nullptr;
    QCheckBox* m_overall = nullptr;
    QLabel* m_help = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_proposedPdf;
};

} // namespace ankerblick
