#pragma once

// The result sheet of a finished match: a formatted page with a table of
// the match series and the totals, the counts and the call and group
// figures; printed as a PDF on request.

#include "sheets/match.h"

#include <QString>
#include <QWidget>

class QPagedPaintDevice;
class QTextBrowser;

namespace ankerblick {

class PrinterService;
class UserDialogs;

class MatchResultWindow final : public QWidget {
    Q_OBJECT
public:
    MatchResultWindow(UserDialogs& dialogs, PrinterService& printers, QWidget* parent);

    void showResult(const MatchResult& result);
    // "Drucken": asks for the PDF file and prints the sheet; false when nothing was written.
    bool print();

private:
    UserDialogs& m_dialogs;
    PrinterService& m_printers;
    MatchResult m_result;
    QTextBrowser* m_text;
};

// The sheet as a rich-text page; every text of the result is escaped.
QString matchResultHtml(const MatchResult& result);

// Prints the result sheet on A4 pages of the device; false when it cannot.
bool paintMatchResult(QPagedPaintDevice& device, const MatchResult& result);

} // namespace ankerblick
