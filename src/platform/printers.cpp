#include "printers.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace ankerblick {

QStringList QtPrinterService::installedPrinters() const {
    return QPrinterInfo::availablePrinterNames();
}

std::unique_ptr<QPagedPaintDevice>
QtPrinterService::createDevice(const PrintDestination& destination, PrintColour colour,
                               const QString& documentName) {
    if (destination.kind == PrintDestination::Kind::None || destination.name.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (destination.kind == PrintDestination::Kind::PdfFile) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(destination.name);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(destination.name);
        if (info.isNull())
            return nullptr;
        printer->setPrinterName(destination.name);
        printer->setOutputFormat(QPrinter::NativeFormat);
    }
    printer->setColorMode(colour == PrintColour::Colour ? QPrinter::Color : QPrinter::GrayScale);
    printer->setDocName(documentName);
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!printer->isValid())
        return nullptr;
    return printer;
}

} // namespace ankerblick
