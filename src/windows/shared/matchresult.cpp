#include "matchresult.h"

#include "services/printers.h"
#include "services/userdialogs.h"
#include "widgets/command.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ankerblick {

MatchResultWindow::MatchResultWindow(UserDialogs& dialogs, PrinterService& printers,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_printers(printers),
      m_text(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("Wettkampfergebnis"));
    setWindowTitle(tr("Wettkampfergebnis"));
    m_text->setObjectName(QStringLiteral("ErgebnisText"));
    m_text->setAccessibleName(tr("Ergebnis"));
    m_text->setReadOnly(true);
    auto* print = new QPushButton(tr("Drucken"), this);
    print->setObjectName(QStringLiteral("ErgebnisDrucken"));
    auto* close = new QPushButton(tr("Schließen"), this);
    close->setObjectName(QStringLiteral("ErgebnisSchliessen"));
    connect(print, &QPushButton::clicked, this, &MatchResultWindow::print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(560, 480);
}

void MatchResultWindow::showResult(const QStringList& lines) {
    m_lines = lines;
    m_text->setPlainText(lines.join(u'\n'));
    show();
    raise();
}

bool MatchResultWindow::print() {
    const QString path =
        m_dialogs.saveFileName(this, tr("PDF-Dateien (*.pdf)"), tr("Wettkampfergebnis.pdf"));
    if (path.isEmpty())
        return false;
    const std::unique_ptr<QPagedPaintDevice> device = m_printers.createDevice(
        PrintDestination::pdfFile(path), PrintColour::BlackWhite, windowTitle());
    if (device && paintMatchResult(*device, m_lines))
        return true;
    m_dialogs.messageBox(this, tr("Das Ergebnis konnte nicht als \"%1\" gespeichert werden.")
                                   .arg(QDir::toNativeSeparators(path)));
    return false;
}

bool paintMatchResult(QPagedPaintDevice& device, const QStringList& lines) {
    device.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Positions in millimetres from the paper's edge; fonts in points.
    const double perMm = device.logicalDpiY() / 25.4;
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(11.0);
    QFont title = font;
    title.setPointSizeF(16.0);
    title.setBold(true);
    double y = 25.0;
    for (qsizetype i = 0; i < lines.size() && y < 280.0; ++i) {
        painter.setFont(i == 0 ? title : font);
        const double height = i == 0 ? 10.0 : 6.0;
        painter.drawText(QRectF(20.0 * perMm, y * perMm, 170.0 * perMm, height * perMm),
                         Qt::AlignLeft | Qt::AlignVCenter, lines.at(i));
        y += height + (i == 0 ? 4.0 : 0.0);
    }
    return painter.end();
}

} // namespace ankerblick
