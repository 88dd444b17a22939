#pragma once

// The printers of the system: the installed printers by name, the desktop's
// print-to-file as PDF, and a paint device for a new document on one of them.
// The service also keeps the current printer, the one the next document goes
// to: the print dialog chooses it, the printing window prints on it.

#include <QString>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;

namespace ankerblick {

enum class PrintColour { Colour, BlackWhite };

// Where a document goes: an installed printer by its name, or a PDF file.
struct PrintDestination {
    enum class Kind { None, Printer, PdfFile };
    Kind kind = Kind::None;
    QString name; // the printer's name, or the file name of the PDF

    static PrintDestination printer(const QString& printerName) {
        return {Kind::Printer, printerName};
    }
    static PrintDestination pdfFile(const QString& fileName) { return {Kind::PdfFile, fileName}; }
    friend bool operator==(const PrintDestination&, const PrintDestination&) = default;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // The device names of the installed printers, in the order the system lists them.
    virtual QStringList installedPrinters() const = 0;
    // Whether documents can be printed to a PDF file.
    virtual bool offersPdfFile() const = 0;
    // A device for a new document: the whole sheet of paper is its paint area
    // (no margins), so that positions are measured from the paper's edge.
    // nullptr when the destination cannot take a document.
    virtual std::unique_ptr<QPagedPaintDevice> createDevice(const PrintDestination& destination,
                                                            PrintColour colour,
                                                            const QString& documentName) = 0;

    void setCurrent(const PrintDestination& destination) { m_current = destination; }
    const PrintDestination& current() const { return m_current; }

private:
    PrintDestination m_current;
};

} // namespace ankerblick
