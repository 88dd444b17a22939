#include "handbook.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace ankerblick {

namespace {

// Where F1 leads: the section of each window, dialog and frame that has one
// of its own, by object name. Everything else leads to the section of the
// window or dialog it is in.
const QHash<QString, QString>& sections() {
    static const QHash<QString, QString> map{
        {QStringLiteral("Form1"), QStringLiteral("hauptfenster.html")},
        {QStringLiteral("Schusseingabe"), QStringLiteral("schusseingabe.html")},
        {QStringLiteral("AnalyseAnzeige"), QStringLiteral("analyse.html")},
        {QStringLiteral("Auswertung"), QStringLiteral("auswertung.html")},
        {QStringLiteral("Ansagerose"), QStringLiteral("auswertung.html#richtungen")},
        {QStringLiteral("Trainingstagebuch"), QStringLiteral("tagebuch.html")},
        {QStringLiteral("Befund"), QStringLiteral("ansagen.html#befund")},
        {QStringLiteral("RhythmusTrainingshilfeForm"), QStringLiteral("rhythmus.html")},
        {QStringLiteral("AusgabeForm"), QStringLiteral("zeitanalyse.html#grafik")},
        {QStringLiteral("Zeitanalyse"), QStringLiteral("zeitanalyse.html")},
        {QStringLiteral("DruckDialog"), QStringLiteral("drucken.html")},
        {QStringLiteral("TargetLinkPanel"), QStringLiteral("scheibe.html")},
        {QStringLiteral("KameraFrame"), QStringLiteral("kamera.html")},
        {QStringLiteral("Kamerabild"), QStringLiteral("kamera.html#kamerabild")},
        {QStringLiteral("WettkampfRahmen"), QStringLiteral("wettkampf.html#wettkampf")},
        {QStringLiteral("Wettkampfergebnis"), QStringLiteral("wettkampf.html#ergebnis")},
        {QStringLiteral("Vereinsserver"), QStringLiteral("verein.html")},
        {QStringLiteral("Trainer"), QStringLiteral("verein.html#trainer")},
    };
    return map;
}

HelpDesk* g_current = nullptr;

QString folderOf(Language language) {
    return QStringLiteral("/help/") + languageCode(language) + u'/';
}

QToolButton* makeToolButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setEnabled(false);
    return button;
}

} // namespace

HandbookWindow::HandbookWindow(Language language, QWidget* parent)
    : QWidget(parent), m_language(language) {
    setObjectName(QStringLiteral("Handbuch"));
    setWindowTitle(tr("Ankerblick – Handbuch"));
    buildControls();
    connectControls();
    fillContents();
    showSection(QStringLiteral("index.html"));
}

void HandbookWindow::buildControls() {
    m_back = makeToolButton(QStringLiteral("HandbuchZurueck"), tr("◀ Zurück"), this);
    m_forward = makeToolButton(QStringLiteral("HandbuchVor"), tr("Vor ▶"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("HandbuchSuche"));
    m_search->setPlaceholderText(tr("Suchen (Eingabe: nächste Stelle)"));
    m_search->setClearButtonEnabled(true);
    auto* top = new QHBoxLayout;
    top->addWidget(m_back);
    top->addWidget(m_forward);
    top->addWidget(m_search, 1);

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("HandbuchInhalt"));
    m_found = new QListWidget(this);
    m_found->setObjectName(QStringLiteral("HandbuchTreffer"));
    m_found->hide();
    m_foundCaption = new QLabel(tr("Gefunden in:"), this);
    m_foundCaption->hide();
    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(tr("Inhalt"), side));
    sideLayout->addWidget(m_contents, 2);
    sideLayout->addWidget(m_foundCaption);
    sideLayout->addWidget(m_found, 1);

    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("HandbuchText"));
    m_text->setOpenExternalLinks(true);
    auto* split = new QSplitter(this);
    split->addWidget(side);
    split->addWidget(m_text);
    split->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    resize(920, 660);
}

void HandbookWindow::connectControls() {
    connect(m_back, &QToolButton::clicked, m_text, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_text, &QTextBrowser::forward);
    connect(m_text, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_text, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    // source() is the page before while the signal is sent.
    connect(m_text, &QTextBrowser::sourceChanged, this, [this](const QUrl& shown) {
        const QString page = shown.fileName();
        for (int i = 0; i < m_contents->count(); ++i)
            if (m_contents->item(i)->data(Qt::UserRole).toString() == page)
                m_contents->setCurrentRow(i);
        markMatches();
    });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showSection(item->data(Qt::UserRole).toString()); });
    connect(m_found, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        showSection(item->data(Qt::UserRole).toString());
        m_text->moveCursor(QTextCursor::Start);
        findNext();
    });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(m_search->text()); });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty())
            return;
        m_searched.clear();
        m_matches.clear();
        m_found->clear();
        m_found->hide();
        m_foundCaption->hide();
        markMatches();
    });
}

QStringList HandbookWindow::pages() {
    return {QStringLiteral("index.html"),        QStringLiteral("ansage.html"),
            QStringLiteral("hauptfenster.html"), QStringLiteral("schusseingabe.html"),
            QStringLiteral("auswertung.html"),   QStringLiteral("analyse.html"),
            QStringLiteral("zeitanalyse.html"),  QStringLiteral("drucken.html"),
            QStringLiteral("rhythmus.html"),     QStringLiteral("scheibe.html"),
            QStringLiteral("kamera.html"),       QStringLiteral("wettkampf.html"),
            QStringLiteral("tagebuch.html"),     QStringLiteral("ansagen.html"),
            QStringLiteral("verein.html"),       QStringLiteral("tasten.html")};
}

void HandbookWindow::setLanguage(Language language) {
    if (language == m_language)
        return;
    const QString shown = section();
    const QString searched = m_searched;
    m_language = language;
    m_searched.clear();
    m_matches.clear();
    m_text->clearHistory();
    fillContents();
    showSection(shown);
    // The pages found are those of the new language.
    if (!searched.isEmpty())
        search(searched);
}

void HandbookWindow::showSection(const QString& section) {
    m_text->setSource(QUrl(QStringLiteral("qrc:") + folderOf(m_language) + section));
    // Opened anew at a section, the handbook has no page to go back to: the
    // pages of its last opening are not what "Zurück" should lead to.
    if (!isVisible())
        m_text->clearHistory();
}

QString HandbookWindow::section() const {
    const QUrl shown = m_text->source();
    return shown.fileName() + (shown.hasFragment() ? u'#' + shown.fragment() : QString());
}

QString HandbookWindow::pageText(const QString& page) const {
    QFile file(u':' + folderOf(m_language) + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.toPlainText();
}

QString HandbookWindow::pageTitle(const QString& page) const {
    QFile file(u':' + folderOf(m_language) + page);
    if (!file.open(QIODevice::ReadOnly))
        return page;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    return title.isEmpty() ? page : title;
}

void HandbookWindow::fillContents() {
    m_contents->clear();
    for (const QString& page : pages()) {
        auto* item = new QListWidgetItem(pageTitle(page), m_contents);
        item->setData(Qt::UserRole, page);
    }
}

bool HandbookWindow::search(const QString& wanted) {
    const QString text = wanted.trimmed();
    if (text.isEmpty())
        return false;
    if (m_search->text().trimmed() != text)
        m_search->setText(text);
    if (text.compare(m_searched, Qt::CaseInsensitive) == 0 && !m_matches.isEmpty()) {
        findNext();
        return true;
    }
    m_searched = text;
    m_matches.clear();
    m_found->clear();
    for (const QString& page : pages()) {
        if (!pageText(page).contains(text, Qt::CaseInsensitive))
            continue;
        m_matches << page;
        auto* item = new QListWidgetItem(pageTitle(page), m_found);
        item->setData(Qt::UserRole, page);
    }
    m_found->show();
    m_foundCaption->show();
    if (m_matches.isEmpty()) {
        new QListWidgetItem(tr("Nichts gefunden."), m_found);
        markMatches();
        return false;
    }
    m_found->setCurrentRow(0);
    showSection(m_matches.first());
    m_text->moveCursor(QTextCursor::Start);
    findNext();
    return true;
}

void HandbookWindow::markMatches() {
    QList<QTextEdit::ExtraSelection> marks;
    if (!m_searched.isEmpty()) {
        QTextDocument* document = m_text->document();
        QTextCursor at = document->find(m_searched);
        while (!at.isNull()) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = at;
            mark.format.setBackground(QColor(255, 230, 100));
            marks << mark;
            at = document->find(m_searched, at);
        }
    }
    m_text->setExtraSelections(marks);
}

void HandbookWindow::findNext() {
    if (m_text->find(m_searched))
        return;
    // Past the last place of the page: the next page that holds the text.
    const QString page = m_text->source().fileName();
    const int i = int(m_matches.indexOf(page));
    const QString next = m_matches.value((i + 1) % int(m_matches.size()));
    if (next.isEmpty())
        return;
    m_found->setCurrentRow(int(m_matches.indexOf(next)));
    showSection(next);
    m_text->moveCursor(QTextCursor::Start);
    m_text->find(m_searched);
}

HelpDesk::HelpDesk(Language language) : m_language(language) {
    g_current = this;
    if (qApp)
        qApp->installEventFilter(this);
}

HelpDesk::~HelpDesk() {
    if (g_current == this)
        g_current = nullptr;
}

HelpDesk* HelpDesk::current() {
    return g_current;
}

QString HelpDesk::sectionFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const auto found = sections().constFind(w->objectName());
        if (found != sections().constEnd())
            return *found;
    }
    return QStringLiteral("index.html");
}

void HelpDesk::showFor(const QWidget* widget) {
    showSection(sectionFor(widget));
}

void HelpDesk::showSection(const QString& section) {
    if (!m_window)
        m_window = std::make_unique<HandbookWindow>(m_language);
    m_window->showSection(section);
    // Asked from a modal dialog, the handbook belongs to the dialog for the
    // time being, so that the dialog does not block it; shown again, it
    // takes its new place among the windows.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->window() == m_window.get())
        modal = nullptr;
    QWindow* owner = modal ? modal->windowHandle() : nullptr;
    m_window->winId();
    if (m_window->windowHandle()->transientParent() != owner) {
        m_window->hide();
        m_window->windowHandle()->setTransientParent(owner);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool HelpDesk::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (m_window && widget->window() == m_window.get())
        return false;
    showFor(widget);
    return true;
}

} // namespace ankerblick
