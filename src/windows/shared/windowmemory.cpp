#include "windowmemory.h"

#include "services/settings.h"

#include <QButtonGroup>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace ankerblick {

namespace {

// Writes the window's place when it goes out of sight: hidden for another
// window, closed, or closed with the program.
class PlaceKeeper final : public QObject {
public:
    PlaceKeeper(QWidget* window, Settings& settings)
        : QObject(window), m_window(window), m_settings(settings) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Hide)
            m_settings.setGeometry(m_window->objectName(), m_window->saveGeometry());
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    Settings& m_settings;
};

// The target grows with the window: the first start uses the screen.
void takeMostOfTheScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    constexpr double kShare = 0.9;
    const QRect free = screen->availableGeometry();
    QRect place(QPoint(), (QSizeF(free.size()) * kShare).toSize());
    place.moveCenter(free.center());
    window->setGeometry(place);
}

} // namespace

void keepPlace(QWidget* window, Settings& settings) {
    const QByteArray kept = settings.geometry(window->objectName());
    if (kept.isEmpty() || !window->restoreGeometry(kept))
        takeMostOfTheScreen(window);
    window->installEventFilter(new PlaceKeeper(window, settings));
}

void keepOption(QWidget* window, QButtonGroup* options, const QString& name, Settings& settings) {
    QObject::connect(options, &QButtonGroup::idToggled, window,
                     [window, name, &settings](int id, bool checked) {
                         if (checked)
                             settings.setOption(window->objectName(), name, id);
                     });
}

int keptOption(const QWidget* window, const QButtonGroup* options, const QString& name,
               const Settings& settings, int fallback) {
    const int kept = settings.option(window->objectName(), name, int(options->buttons().size()));
    return kept >= 0 && options->button(kept) ? kept : fallback;
}

} // namespace ankerblick
