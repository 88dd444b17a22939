#pragma once

// A printer service for tests that prints nothing on paper.

#include "platform/printers.h"

#include <QList>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringList>

#include <memory>

namespace ankerblick::test {

// Prints into PDF files: the destination's name is the file.
class PdfPrinters final : public PrinterService {
public:
    QStringList names;
    bool pdf = true;
    QList<PrintColour> colours;
    QList<PrintDestination> opened;

    QStringList installedPrinters() const override { return names; }
    bool offersPdfFile() const override { return pdf; }
    std::unique_ptr<QPagedPaintDevice> createDevice(const PrintDestination& destination,
                                                    PrintColour colour, const QString&) override {
        opened << destination;
        colours << colour;
        auto writer = std::make_unique<QPdfWriter>(destination.name);
        writer->setPageSize(QPageSize(QPageSize::A4));
        writer->setPageMargins(QMarginsF(0, 0, 0, 0));
        return writer;
    }
};

} // namespace ankerblick::test
