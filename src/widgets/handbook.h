#pragma once

// The handbook: a window ("Handbuch") that shows the program's help pages,
// shipped as resources in German and English (resources/help/de, .../en),
// with a table of contents, back and forward, and a search across all
// pages; and the help desk, the program's one handbook window and the F1
// key of every window and dialog.

#include "language.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

namespace ankerblick {

class HandbookWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HandbookWindow(Language language, QWidget* parent = nullptr);

    // The pages of the handbook, in the order of the contents.
    static QStringList pages();

    void setLanguage(Language language);
    Language language() const { return m_language; }

    // Opens a section: a page ("tagebuch.html") or a place in it
    // ("kamera.html#kamerabild").
    void showSection(const QString& section);
    // The section shown, as showSection takes it.
    QString section() const;

    // Lists the pages holding `text` (in any case) and shows the first with
    // every place of it marked and the first one selected; false when no
    // page holds it. Searching the same text again selects the next place.
    bool search(const QString& text);
    // The pages the last search found.
    QStringList matches() const { return m_matches; }

private:
    void buildControls();
    void connectControls();
    QString pageText(const QString& page) const;
    QString pageTitle(const QString& page) const;
    void fillContents();
    void markMatches();
    void findNext();

    Language m_language;
    QLineEdit* m_search = nullptr;
    QListWidget* m_contents = nullptr;
    QListWidget* m_found = nullptr;
    QLabel* m_foundCaption = nullptr;
    QTextBrowser* m_text = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QString m_searched;
    QStringList m_matches;
};

// The program's help: one handbook window, in the language the program
// speaks, opened by F1 in any window or dialog, and by "Hilfe → Handbuch",
// at the section of that window or dialog. There is one at a time; the
// application makes it first and keeps it until its windows are gone.
class HelpDesk final : public QObject {
    Q_OBJECT
public:
    explicit HelpDesk(Language language = installedLanguage());
    ~HelpDesk() override;
    HelpDesk(const HelpDesk&) = delete;
    HelpDesk& operator=(const HelpDesk&) = delete;

    // The help desk of the program, null when there is none.
    static HelpDesk* current();

    // The section for a widget: that of the first of it and its parents
    // (up through the windows that own dialogs) whose object name has one,
    // the contents otherwise.
    static QString sectionFor(const QWidget* widget);

    // Shows the handbook window at the section for the widget, in front.
    void showFor(const QWidget* widget);
    void showSection(const QString& section);
    // The handbook window, once it was opened.
    HandbookWindow* window() const { return m_window.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Language m_language;
    std::unique_ptr<HandbookWindow> m_window;
};

} // namespace ankerblick
