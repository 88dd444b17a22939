#pragma once

// The system's printers through Qt.

#include "services/printers.h"

namespace ankerblick {

// The system's printers through Qt's print support; PDF files on A4.
class QtPrinterService final : public PrinterService {
public:
    QStringList installedPrinters() const override;
    bool offersPdfFile() const override { return true; }
    std::unique_ptr<QPagedPaintDevice> createDevice(const PrintDestination& destination,
                                                    PrintColour colour,
                                                    const QString& documentName) override;
};

} // namespace ankerblick
