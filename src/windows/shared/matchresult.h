#pragma once

// The result sheet of a finished match: its lines as the match gives them,
// printed as a PDF page on request.

#include <QStringList>
#include <QWidget>

class QPagedPaintDevice;
class QPlainTextEdit;

namespace ankerblick {

class PrinterService;
class UserDialogs;

class MatchResultWindow final : public QWidget {
    Q_OBJECT
public:
    MatchResultWindow(UserDialogs& dialogs, PrinterService& printers, QWidget* parent);

    void showResult(const QStringList& lines);
    // "Drucken": asks for the PDF file and prints the sheet; false when nothing was written.
    bool print();

private:
    UserDialogs& m_dialogs;
    PrinterService& m_printers;
    QStringList m_lines;
    QPlainTextEdit* m_text;
};

// Paints the result sheet on one A4 page of the device; false when it cannot.
bool paintMatchResult(QPagedPaintDevice& device, const QStringList& lines);

} // namespace ankerblick
