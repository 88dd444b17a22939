#include "matchresult.h"

#include "services/printers.h"
#include "services/userdialogs.h"
#include "widgets/command.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace ankerblick {

MatchResultWindow::MatchResultWindow(UserDialogs& dialogs, PrinterService& printers,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_printers(printers),
      m_text(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("Wettkampfergebnis"));
    setWindowTitle(tr("Wettkampfergebnis"));
    m_text->setObjectName(QStringLiteral("ErgebnisText"));
    m_text->setAccessibleName(tr("Ergebnis"));
    m_text->setOpenLinks(false);
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

void MatchResultWindow::showResult(const MatchResult& result) {
    m_result = result;
    m_text->setHtml(matchResultHtml(result));
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
    if (device && paintMatchResult(*device, m_result))
        return true;
    m_dialogs.messageBox(this, tr("Das Ergebnis konnte nicht als \"%1\" gespeichert werden.")
                                   .arg(QDir::toNativeSeparators(path)));
    return false;
}

namespace {
QString cell(const QString& text, const char* tag = "td") {
    return QStringLiteral("<%1 align=\"right\">%2</%1>")
        .arg(QString::fromLatin1(tag), text.toHtmlEscaped());
}
} // namespace

QString matchResultHtml(const MatchResult& result) {
    QString html = QStringLiteral("<h2>%1</h2>").arg(result.title.toHtmlEscaped());
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\">");
    html += QStringLiteral("<tr>") + cell(MatchResultWindow::tr("Serie"), "th") +
            cell(MatchResultWindow::tr("Ringe"), "th") +
            cell(MatchResultWindow::tr("mit Zehnteln"), "th") + QStringLiteral("</tr>");
    for (const MatchResult::Series& s : result.series)
        html += QStringLiteral("<tr>") + cell(QString::number(s.number)) + cell(s.whole) +
                cell(s.tenths) + QStringLiteral("</tr>");
    html += QStringLiteral("<tr>") + cell(MatchResultWindow::tr("Gesamt"), "th") +
            cell(result.totalWhole, "th") + cell(result.totalTenths, "th") +
            QStringLiteral("</tr></table>");
    for (const QString& line : result.counts)
        html += QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped());
    html += QStringLiteral("<h3>%1</h3>")
                .arg(MatchResultWindow::tr("Auswertung der Wertungsschüsse").toHtmlEscaped());
    for (const QString& line : result.figures)
        html += line.isEmpty() ? QStringLiteral("<br>")
                               : QStringLiteral("<div>%1</div>").arg(line.toHtmlEscaped());
    return html;
}

bool paintMatchResult(QPagedPaintDevice& device, const MatchResult& result) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QTextDocument document;
    // Laid out at the device's resolution, a page at a time.
    document.documentLayout()->setPaintDevice(&device);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(11.0);
    document.setDefaultFont(font);
    document.setHtml(matchResultHtml(result));
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    document.setPageSize(page);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
    }
    return painter.end();
}

} // namespace ankerblick
