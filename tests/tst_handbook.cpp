// The handbook: F1 and "Hilfe → Handbuch" open the section of the window or
// dialog at hand, the search finds its words in the right section in both
// languages, every link leads to a page and place that exist, and the
// language follows the system unless "Ansicht → Sprache" chose one. Every
// window and dialog speaks English once the translation is installed, and
// shows its captions whole in both languages.

#include "app/application.h"
#include "features/camera/cameralink.h"
#include "features/camera/camerapicturewindow.h"
#include "features/club/clubserverdialog.h"
#include "features/club/coachwindow.h"
#include "features/diary/diarywindow.h"
#include "features/printing/druckdialog.h"
#include "features/rhythm/rhythmustrainingshilfeform.h"
#include "features/timeanalysis/ausgabeform.h"
#include "files/seriesfile.h"
#include "files/shotnotes.h"
#include "platform/clock.h"
#include "services/club.h"
#include "support/scriptedkeyring.h"
#include "support/sources.h"
#include "support/spokenlanguage.h"
#include "support/windowtest.h"
#include "widgets/handbook.h"
#include "widgets/language.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"
#include "windows/main/form1.h"
#include "windows/shared/matchresult.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QTranslator>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChartView>
#include <QtTest>

#include <memory>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

namespace {

QAction* menuEntry(QWidget* window, const QString& caption) {
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == caption)
            return action;
    return nullptr;
}

QString resourceText(Language language, const QString& page) {
    QFile file(u":/help/"_s + languageCode(language) + u'/' + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A club server that is never reached, for the dialog that sets it up.
class QuietClub final : public ClubSync {
public:
    void setServer(const club::Credentials&) override {}
    club::Credentials server() const override { return {}; }
    ClubState state() const override { return {}; }
    void check(const club::Credentials&) override {}
    void setLaneName(const QString&) override {}
};

// A club server that is never read, for the coach's view.
class QuietReader final : public ClubReader {
public:
    void watch(const club::Credentials&) override {}
    void stopWatching() override {}
    void readTrainings(const club::Credentials&) override {}
    void readTraining(const club::Credentials&, const QUuid&) override {}
    void readShots(const club::Credentials&, const diary::Filter&) override {}
};

// Every window and dialog of the program, as the program builds them, the
// main window first; the dialogs have it as their parent.
struct AllWindows {
    std::unique_ptr<Form1> form;
    std::vector<std::unique_ptr<QWidget>> owned;
    CameraLink camera;
    QuietClub club;
    QuietReader reader;
    ScriptedKeyring keyring;
    HelpDesk help;

    AllWindows(Services& services, ScriptedCameraService& cameras, Language language)
        : form(std::make_unique<Form1>(services)), camera(cameras), help(language) {
        addSources(*form, services);
        form->setShooterName(u"Anna"_s);
        owned.push_back(std::make_unique<Schusseingabe>(services));
        addSources(static_cast<Schusseingabe&>(*owned.back()), services);
        owned.push_back(std::make_unique<AnalyseAnzeige>(services));
        owned.push_back(std::make_unique<DiaryWindow>(services.diary, services.dialogs,
                                                      services.printers, services.clock));
        owned.push_back(std::make_unique<RhythmusTrainingshilfeForm>(
            services.tones, services.dialogs, services.settings));
        owned.push_back(std::make_unique<AusgabeForm>());
        owned.push_back(std::make_unique<CameraPictureWindow>(camera));
        owned.push_back(
            std::make_unique<DruckDialog>(services.printers, services.dialogs, form.get()));
        owned.push_back(
            std::make_unique<ClubServerDialog>(services.settings, keyring, club, form.get()));
        owned.push_back(
            std::make_unique<MatchResultWindow>(services.dialogs, services.printers, form.get()));
        auto coach = std::make_unique<CoachWindow>(reader);
        coach->watch({}); // says how to set a server
        owned.push_back(std::move(coach));
        help.showSection(u"index.html"_s);
    }

    QList<QWidget*> windows() const {
        QList<QWidget*> all{form.get()};
        for (const auto& w : owned)
            all.append(w.get());
        all.append(help.window());
        return all;
    }
};

QString withoutMnemonic(QString text) {
    return text.replace(u"&&"_s, u"\x01"_s).remove(u'&').replace(u"\x01"_s, u"&"_s);
}

// The texts a window shows or may show: its title, captions, menus, entries
// of its lists and boxes, column heads, tool tips and its charts' words.
QStringList shownTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w))
            texts << l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            texts << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            texts << g->title();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            texts << e->placeholderText();
        else if (auto* c = qobject_cast<QComboBox*>(w)) {
            texts << c->placeholderText();
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
            texts << edit->toPlainText().split(u'\n');
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            const QAbstractItemModel& model = *view->model();
            for (int i = 0; i < model.columnCount(); ++i)
                texts << model.headerData(i, Qt::Horizontal).toString();
            for (int row = 0; row < std::min(model.rowCount(), 20); ++row)
                for (int column = 0; column < model.columnCount(); ++column)
                    texts << model.index(row, column).data().toString();
        } else if (auto* chart = qobject_cast<QChartView*>(w)) {
            texts << chart->chart()->title();
            for (QAbstractAxis* axis : chart->chart()->axes())
                texts << axis->titleText();
            for (QAbstractSeries* series : chart->chart()->series())
                texts << series->name();
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>())
        texts << menu->title();
    for (QAction* action : window->findChildren<QAction*>())
        texts << action->text() << action->iconText() << action->toolTip();
    QStringList shown;
    for (const QString& text : texts)
        if (!text.trimmed().isEmpty())
            shown << withoutMnemonic(text);
    return shown;
}

// German by its letters or by a word no English caption has; names (the
// shooter "Anna", "Ankerblick", "Rika", "Deutsch" in the language menu) and
// numbers aside.
bool looksGerman(const QString& text) {
    static const QRegularExpression german(
        u"[äöüÄÖÜß]|\\b(der|die|das|den|dem|und|oder|nicht|mit|für|ein|eine|kein|keine|"
        "alle|bis|von|zum|aus|Serie|Serien|Schuss|Schusses|Treffer|Ansage|Ansagen|"
        "Abkommen|Scheibe|Wettkampf|Kamera|Drucken|Drucker|Laden|Speichern|Neu|Kommentar|"
        "Kommentare|Auswertung|Zehntel|Summe|Innenzehner|Tagebuch|Trainingstagebuch|Bitte|"
        "Datei|Dateien|Ordner|Ansicht|Hilfe|Beenden|Sprache|Handbuch|Wert|Ringe|Sektoren|"
        "Gesamt|Schnitt|Disziplin|Zeitraum|Vor|Suchen|Inhalt|Abbrechen|Farbig|Verbindung|"
        "Datenbank|Benutzer|Passwort|Bild|Wertung|Probe|Stellung|Kaliber|Klickwert|Analyse|"
        "Anzeige|Eingabe|Schusseingabe|Sekunden|Rhythmus|Ergebnis|Programm|LG|LP|KK)"
        "\\b"_s);
    return german.match(text).hasMatch();
}

// A caption cut off by its widget: the longest line of its text is wider
// than the room the widget leaves for it.
QString cutCaption(QWidget* w) {
    QString text;
    int room = 0;
    const QStyle* style = w->style();
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->wordWrap() || Qt::mightBeRichText(l->text()) || !l->pixmap().isNull())
            return {};
        text = l->text();
        room = l->contentsRect().width() - 2 * l->margin() - 2 * std::max(l->indent(), 0);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        // The room the style leaves for the caption, as it draws it.
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        auto* push = qobject_cast<QPushButton*>(b);
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (push && push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        else if (qobject_cast<QCheckBox*>(b))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(b))
            contents = QStyle::SE_RadioButtonContents;
        else if (!push)
            return {};
        text = b->text();
        room = style->subElementRect(contents, &option, b).width();
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        text = g->title();
        room = g->width() - 8;
    } else {
        return {};
    }
    text = withoutMnemonic(text);
    int needed = 0;
    for (const QString& line : text.split(u'\n'))
        needed = std::max(needed, w->fontMetrics().horizontalAdvance(line));
    return needed > room ? u"„%1“ (%2 of %3 px)"_s.arg(text).arg(needed).arg(room) : QString();
}

// A window frame's share of the screen: the title bar and the borders.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;

// A control that reaches beyond its window, or is squeezed below the size
// it needs; what scrolls inside a scroll area is judged by the area.
QString outside(QWidget* window, QWidget* w) {
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea*>(p))
            return {};
    const QRect r(w->mapTo(window, QPoint()), w->size());
    if (!window->rect().contains(r))
        return u"%1 at %2,%3 %4 x %5 px outside"_s.arg(w->objectName())
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height());
    return {};
}

} // namespace

class TestHandbook : public WindowTest {
    Q_OBJECT

    HelpDesk m_help{Language::German};

    HandbookWindow* handbook() const { return m_help.window(); }
    QTextBrowser* text() const { return handbook()->findChild<QTextBrowser*>(u"HandbuchText"_s); }

    int handbookWindows() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == u"Handbuch" ? 1 : 0;
        return n;
    }

private Q_SLOTS:
    void init() { resetServices(); }

    // Each row opens one window (a dialog with the main window as its
    // parent) and asks it for help, by the key or the menu.
    void helpOpensTheWindowsSection_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("title");
        const QString main = u"Das Hauptfenster (Abkommenseingabe)"_s;
        QTest::newRow("main, F1") << u"Form1"_s << false << u"hauptfenster.html"_s << main;
        QTest::newRow("main, menu") << u"Form1"_s << true << u"hauptfenster.html"_s << main;
        QTest::newRow("main, camera frame")
            << u"KameraFrame"_s << false << u"kamera.html"_s << u"Die Kamera und das Kamerabild"_s;
        QTest::newRow("shot entry, F1")
            << u"Schusseingabe"_s << false << u"schusseingabe.html"_s << u"Die Schusseingabe"_s;
        QTest::newRow("shot entry, menu")
            << u"Schusseingabe"_s << true << u"schusseingabe.html"_s << u"Die Schusseingabe"_s;
        QTest::newRow("analysis, F1")
            << u"AnalyseAnzeige"_s << false << u"analyse.html"_s << u"Analyse und Anzeige"_s;
        QTest::newRow("analysis, menu")
            << u"AnalyseAnzeige"_s << true << u"analyse.html"_s << u"Analyse und Anzeige"_s;
        QTest::newRow("diary") << u"Trainingstagebuch"_s << false << u"tagebuch.html"_s
                               << u"Das Trainingstagebuch"_s;
        QTest::newRow("rhythm") << u"RhythmusTrainingshilfeForm"_s << false << u"rhythmus.html"_s
                                << u"Rhythmus Trainingshilfe"_s;
        QTest::newRow("graph") << u"AusgabeForm"_s << false << u"zeitanalyse.html#grafik"_s
                               << u"Schusszeit analyse"_s;
        QTest::newRow("print dialog")
            << u"DruckDialog"_s << false << u"drucken.html"_s << u"Drucken"_s;
        QTest::newRow("camera picture") << u"Kamerabild"_s << false << u"kamera.html#kamerabild"_s
                                        << u"Die Kamera und das Kamerabild"_s;
        QTest::newRow("coach") << u"Trainer"_s << false << u"verein.html#trainer"_s
                               << u"Der Vereinsserver"_s;
    }
    void helpOpensTheWindowsSection() {
        QFETCH(QString, window);
        QFETCH(bool, byMenu);
        QFETCH(QString, section);
        QFETCH(QString, title);

        Form1 form(m_services);
        addSources(form, m_services);
        CameraLink camera(m_cameras);
        QuietReader reader;
        std::unique_ptr<QWidget> owned;
        QWidget* asked = &form;
        if (window == u"Schusseingabe") {
            auto entry = std::make_unique<Schusseingabe>(m_services);
            addSources(*entry, m_services);
            owned = std::move(entry);
        } else if (window == u"AnalyseAnzeige")
            owned = std::make_unique<AnalyseAnzeige>(m_services);
        else if (window == u"Trainingstagebuch")
            owned = std::make_unique<DiaryWindow>(m_diary, m_dialogs, m_printers, systemClock());
        else if (window == u"RhythmusTrainingshilfeForm")
            owned = std::make_unique<RhythmusTrainingshilfeForm>(m_tones, m_dialogs, m_settings);
        else if (window == u"AusgabeForm")
            owned = std::make_unique<AusgabeForm>();
        else if (window == u"Kamerabild")
            owned = std::make_unique<CameraPictureWindow>(camera);
        else if (window == u"Trainer")
            owned = std::make_unique<CoachWindow>(reader);
        if (owned)
            asked = owned.get();
        form.show();
        std::unique_ptr<DruckDialog> dialog;
        if (window == u"DruckDialog") {
            // Modal, as "Drucken" opens it (exec() without its loop).
            dialog = std::make_unique<DruckDialog>(m_printers, m_dialogs, &form);
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->show();
            asked = dialog.get();
        }
        if (window == u"KameraFrame")
            asked = form.findChild<QWidget*>(u"KameraFrame"_s);
        QVERIFY(asked);
        asked->window()->show();
        asked->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(asked->window()));

        if (byMenu) {
            QAction* entry = menuEntry(asked, u"Handbuch"_s);
            QVERIFY(entry);
            QCOMPARE(entry->shortcut(), QKeySequence(Qt::Key_F1));
            entry->trigger();
        } else {
            QTest::keyClick(asked, Qt::Key_F1);
        }

        QVERIFY(handbook());
        QVERIFY(handbook()->isVisible());
        QCOMPARE(handbook()->section(), section);
        QCOMPARE(text()->documentTitle(), title);
        // The contents show where the section is.
        auto* contents = handbook()->findChild<QListWidget*>(u"HandbuchInhalt"_s);
        QCOMPARE(contents->currentItem()->data(Qt::UserRole).toString(),
                 section.section(u'#', 0, 0));
        // "Zurück" is grey until there is a page to go back to.
        auto* back = handbook()->findChild<QToolButton*>(u"HandbuchZurueck"_s);
        QVERIFY(!back->isEnabled());
        text()->setSource(QUrl(u"tasten.html"_s));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(handbook()->section(), section);
        QVERIFY(!back->isEnabled());
        // One handbook window for the program, however often it is asked for.
        QCOMPARE(handbookWindows(), 1);
        // No window or dialog keeps the shooter from using it.
        auto* search = handbook()->findChild<QLineEdit*>(u"HandbuchSuche"_s);
        search->clear();
        search->setFocus();
        QTest::keyClick(handbook()->windowHandle(), Qt::Key_R);
        QCOMPARE(search->text(), u"r"_s);
        search->clear();
        handbook()->hide();
    }

    void searchFindsTheSection_data() {
        QTest::addColumn<Language>("searchedIn");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("de, mittlerer Radius")
            << Language::German << Language::German << u"mittlerer Radius"_s
            << QStringList{u"auswertung.html"_s};
        QTest::newRow("de, Absetzsignal") << Language::German << Language::German
                                          << u"absetzsignal"_s << QStringList{u"rhythmus.html"_s};
        QTest::newRow("de, dialout") << Language::German << Language::German << u"dialout"_s
                                     << QStringList{u"scheibe.html"_s};
        QTest::newRow("en, mean radius") << Language::English << Language::English
                                         << u"Mean radius"_s << QStringList{u"auswertung.html"_s};
        QTest::newRow("en, put-down signal")
            << Language::English << Language::English << u"put-down signal"_s
            << QStringList{u"rhythmus.html"_s};
        QTest::newRow("en, sighters") << Language::English << Language::English << u"sighters"_s
                                      << QStringList{u"wettkampf.html"_s, u"tagebuch.html"_s};
        QTest::newRow("nowhere") << Language::English << Language::English
                                 << u"Zielfernrohrmontage"_s << QStringList{};
        // Searched in English, then switched to German: the German pages count.
        QTest::newRow("en, then de")
            << Language::English << Language::German << u"group size"_s << QStringList{};
    }
    void searchFindsTheSection() {
        QFETCH(Language, searchedIn);
        QFETCH(Language, language);
        QFETCH(QString, word);
        QFETCH(QStringList, pages);
        HandbookWindow window(searchedIn);
        auto* field = window.findChild<QLineEdit*>(u"HandbuchSuche"_s);
        QVERIFY(field);
        field->setText(word);
        QTest::keyClick(field, Qt::Key_Return);
        if (searchedIn != language) {
            QVERIFY(!window.matches().isEmpty());
            window.setLanguage(language);
        }

        QCOMPARE(window.matches(), pages);
        if (pages.isEmpty())
            return;
        auto* browser = window.findChild<QTextBrowser*>(u"HandbuchText"_s);
        QCOMPARE(window.section(), pages.first());
        QCOMPARE(browser->textCursor().selectedText().toLower(), word.toLower());
        QVERIFY(!browser->extraSelections().isEmpty());
        // The list of the pages found, the first chosen.
        auto* found = window.findChild<QListWidget*>(u"HandbuchTreffer"_s);
        QCOMPARE(found->count(), int(pages.size()));
        QCOMPARE(found->currentRow(), 0);
    }

    // Every link of both handbooks leads to a page of the contents and, when
    // it names one, to a place on that page; every page is in the contents.
    void linksLeadToPagesAndPlaces_data() {
        QTest::addColumn<Language>("language");
        QTest::newRow("de") << Language::German;
        QTest::newRow("en") << Language::English;
    }
    void linksLeadToPagesAndPlaces() {
        QFETCH(Language, language);
        const QStringList pages = HandbookWindow::pages();
        QDir folder(u":/help/"_s + languageCode(language));
        QStringList shipped = folder.entryList({u"*.html"_s});
        QStringList listed = pages;
        shipped.sort();
        listed.sort();
        QCOMPARE(shipped, listed);

        static const QRegularExpression link(u"href=\"([^\"]*)\""_s);
        int links = 0;
        for (const QString& page : pages) {
            const QString html = resourceText(language, page);
            QVERIFY2(html.contains(u"<title>"_s), qPrintable(page));
            for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
                const QString target = m.captured(1);
                const qsizetype hash = target.indexOf(u'#');
                const QString file = hash < 0 ? target : target.left(hash);
                const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
                const QString to = file.isEmpty() ? page : file;
                QVERIFY2(pages.contains(to), qPrintable(page + u" → "_s + target));
                if (!anchor.isEmpty())
                    QVERIFY2(resourceText(language, to).contains(u"name=\""_s + anchor + u'"'),
                             qPrintable(page + u" → "_s + target));
                ++links;
            }
        }
        QVERIFY(links > 50);
    }

    void languageFollowsTheRules_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QVariant>("kept");
        QTest::addColumn<Language>("language");
        QTest::newRow("de_DE") << u"de_DE"_s << QVariant() << Language::German;
        QTest::newRow("de_AT") << u"de_AT"_s << QVariant() << Language::German;
        QTest::newRow("C") << u"C"_s << QVariant() << Language::German;
        QTest::newRow("en_US") << u"en_US"_s << QVariant() << Language::English;
        QTest::newRow("fr_FR") << u"fr_FR"_s << QVariant() << Language::English;
        QTest::newRow("de_DE, English chosen")
            << u"de_DE"_s << QVariant(u"en"_s) << Language::English;
        QTest::newRow("C, English chosen") << u"C"_s << QVariant(u"en"_s) << Language::English;
        QTest::newRow("fr_FR, Deutsch chosen")
            << u"fr_FR"_s << QVariant(u"de"_s) << Language::German;
        QTest::newRow("fr_FR, damaged choice")
            << u"fr_FR"_s << QVariant(u"xx"_s) << Language::English;
        QTest::newRow("de_DE, damaged choice") << u"de_DE"_s << QVariant(42) << Language::German;
    }
    void languageFollowsTheRules() {
        QFETCH(QString, locale);
        QFETCH(QVariant, kept);
        QFETCH(Language, language);
        if (kept.isValid())
            m_settings.put(u"ansicht/sprache"_s, kept);
        QCOMPARE(chooseLanguage(QLocale(locale), m_settings.language()), language);
    }

    // "Ansicht → Sprache" keeps the choice and says it applies at the next start.
    void languageMenuKeepsTheChoice() {
        Form1 form(m_services);
        QMenu* languages = form.findChild<QMenu*>(u"Sprache"_s);
        QVERIFY(languages);
        QAction* english = menuEntry(languages, u"English"_s);
        QAction* german = menuEntry(languages, u"Deutsch"_s);
        QVERIFY(english && german);
        QVERIFY(german->isChecked());
        english->trigger();
        QCOMPARE(m_settings.language(), u"en"_s);
        QVERIFY(english->isChecked() && !german->isChecked());
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().contains(u"nächsten Start"_s));
        german->trigger();
        QCOMPARE(m_settings.language(), u"de"_s);
    }

    // With the English translation installed, no window or dialog shows a
    // German text, and no two captions of a window name their fields alike
    // ("Total:" stood beside both sums of the main window).
    void everyWindowSpeaksEnglish() {
        const SpokenLanguage english(Language::English);
        // A match in the diary, and its marks among the comments of the
        // series the main window loads.
        diary::Training match;
        match.shooter = u"Anna"_s;
        match.discipline = int(Discipline::LG10m);
        match.window = u"Form1"_s;
        match.start = QDateTime(QDate(2026, 3, 1), QTime(9, 0));
        match.end = match.start.addSecs(3600);
        match.program = u"LG 60"_s;
        QVERIFY(m_diary.importTraining(match, {}, "match"));
        QTemporaryDir dir;
        SeriesFileContent content;
        SeriesRecord record;
        record.hitLeft[0] = 200;
        record.hitTop[0] = 200;
        content.series = {record};
        content.comments = commentsText({programMark(u"LG 60"_s),
                                         sighterMark(1),
                                         lateMark(1, 1),
                                         {1, 1, {}, u"calm"_s, {}, false}});
        const QString file = dir.filePath(u"match.txt"_s);
        QVERIFY(!writeSeriesFile(file, content, SeriesFileStyle::MainWindow));
        AllWindows all(m_services, m_cameras, Language::English);
        m_dialogs.openNames = {file};
        QTest::mouseClick(all.form->findChild<QPushButton*>(u"Laden"_s), Qt::LeftButton);
        QVERIFY(all.form->findChild<QPlainTextEdit*>(u"Kommentaretxt"_s)
                    ->toPlainText()
                    .contains(u"AR 60"_s));
        for (QWidget* w : all.windows())
            if (auto* diary = qobject_cast<DiaryWindow*>(w))
                QVERIFY(QTest::qWaitFor([diary] { return !diary->reading(); }, 5000));
        QStringList german;
        QStringList twice;
        for (QWidget* window : all.windows()) {
            QVERIFY(window);
            for (const QString& text : shownTexts(window))
                if (looksGerman(text))
                    german << window->objectName() + u": "_s + text;
            QStringList captions;
            for (const QLabel* label : window->findChildren<QLabel*>())
                if (label->text().endsWith(u':'))
                    captions << label->text();
            for (const QString& caption : std::as_const(captions)) {
                const QString entry = window->objectName() + u": "_s + caption;
                if (captions.count(caption) > 1 && !twice.contains(entry))
                    twice << entry;
            }
        }
        QVERIFY2(german.isEmpty(), qPrintable(german.join(u'\n')));
        QVERIFY2(twice.isEmpty(), qPrintable(twice.join(u'\n')));
        // The check itself sees German where it stands.
        QVERIFY(looksGerman(u"Weitere Serie"_s) && looksGerman(u"Schließen"_s));
        QVERIFY(!looksGerman(u"Next series"_s) && !looksGerman(u"Anna 9.7"_s));
    }

    // Every window fits a laptop's screen at the size it opens with, or made
    // as small as that screen: nothing outside it, each caption whole, in
    // both languages. The room is the screen's work area less a window
    // frame.
    void noCaptionIsCutOff_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QSize>("workArea");
        for (const QSize area : {QSize(1366, 728), QSize(1280, 720)}) {
            const QString size = u"%1 x %2"_s.arg(area.width()).arg(area.height());
            QTest::addRow("Deutsch, %s", qPrintable(size)) << Language::German << area;
            QTest::addRow("English, %s", qPrintable(size)) << Language::English << area;
        }
    }
    void noCaptionIsCutOff() {
        QFETCH(Language, language);
        QFETCH(QSize, workArea);
        const QSize room = workArea - QSize(kFrameWidth, kFrameHeight);
        const SpokenLanguage spoken(language);
        AllWindows all(m_services, m_cameras, language);
        QStringList cut;
        for (QWidget* window : all.windows()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            window->resize(window->size().boundedTo(room));
            QTest::qWait(0);
            if (window->width() > room.width() || window->height() > room.height())
                cut << u"%1: %2 x %3 px"_s.arg(window->objectName())
                           .arg(window->width())
                           .arg(window->height());
            for (QWidget* w : window->findChildren<QWidget*>())
                if (w->isVisible()) {
                    if (const QString c = cutCaption(w); !c.isEmpty())
                        cut << window->objectName() + u": "_s + c;
                    if (const QString o = outside(window, w); !o.isEmpty())
                        cut << window->objectName() + u": "_s + o;
                }
            // ANKERBLICK_SCREENSHOTS=folder keeps a picture of each window to look at.
            if (const QString folder = qEnvironmentVariable("ANKERBLICK_SCREENSHOTS");
                !folder.isEmpty())
                window->grab().save(u"%1/%2-%3-%4.png"_s.arg(folder, languageCode(language))
                                        .arg(workArea.width())
                                        .arg(window->objectName()));
            window->hide();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
        // The check itself sees a caption its button cannot hold.
        QPushButton narrow(u"Weitere Serie"_s);
        narrow.setFixedWidth(40);
        narrow.show();
        QVERIFY(!cutCaption(&narrow).isEmpty());
    }

    // The English translation is built into the program: installed, the
    // program's texts and the handbook speak English.
    void englishTranslationIsBuiltIn() {
        QTranslator program, qt;
        installTranslations(Language::English, program, qt);
        QCOMPARE(installedLanguage(), Language::English);
        QCOMPARE(QCoreApplication::translate("WindowMenu", "Handbuch"), u"Handbook"_s);
        HelpDesk desk;
        desk.showSection(u"auswertung.html#korrektur"_s);
        QCOMPARE(desk.window()->language(), Language::English);
        QCOMPARE(desk.window()->findChild<QTextBrowser*>(u"HandbuchText"_s)->documentTitle(),
                 u"The analysis panel"_s);
        QCoreApplication::removeTranslator(&program);
        QCoreApplication::removeTranslator(&qt);
        QCOMPARE(installedLanguage(), Language::German);
    }
};

QTEST_MAIN(TestHandbook)
#include "tst_handbook.moc"
