#include "background.h"

#include "logging.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <exception>
#include <memory>

namespace ankerblick::background {

namespace {

// A pool of its own: a job that waits long on a device does not hold up
// the others behind the machine's few cores.
constexpr int kWorkers = 6;
// How long the end of the program waits for work still running.
constexpr int kEndWaitMs = 3000;

QThreadPool& pool() {
    static QThreadPool workers;
    static const bool sized = [] {
        workers.setMaxThreadCount(kWorkers);
        // The workers end with the application object, before the program's
        // statics go: a thread that outlived them would leave behind what
        // Qt keeps per thread (the collator of localeAwareCompare, say).
        qAddPostRoutine([] { pool().waitForDone(kEndWaitMs); });
        return true;
    }();
    Q_UNUSED(sized);
    return workers;
}

std::atomic<int> g_running = 0;

} // namespace

int running() {
    return g_running;
}

namespace detail {

void start(QObject* context, std::function<void()> work, std::function<void()> deliver,
           const std::shared_ptr<JobProgress>& progress, Slow slow) {
    QPointer<QTimer> timer;
    if (slow) {
        timer = new QTimer(context);
        QObject::connect(timer, &QTimer::timeout, context,
                         [t = timer.data(), progress, slow = std::move(slow)] {
                             t->setInterval(kProgressEveryMs);
                             slow(*progress);
                         });
        timer->start(kShowProgressAfterMs);
    }
    // Made on the context's thread, so the queued call goes there; the
    // connection ends with the context. The job counts as running until its
    // result was handled, or until the context is gone and with it the
    // connection and any call queued for it: those hold the token. The
    // count never waits for the carrier's deletion, which a loop that only
    // handles events never gets to, and which a test's wait may do before
    // the queued call is handled.
    auto* delivery = new Delivery;
    ++g_running;
    std::shared_ptr<void> token(nullptr, [](void*) { --g_running; });
    QObject::connect(
        delivery, &Delivery::done, context,
        [timer, token = std::move(token), deliver = std::move(deliver)]() mutable {
            delete timer.data();
            deliver();
            token.reset();
        },
        Qt::QueuedConnection);
    pool().start([work = std::move(work), delivery] {
        try {
            work();
        } catch (const std::exception& e) {
            qCWarning(lcDiary) << "background work failed:" << e.what();
        }
        Q_EMIT delivery->done();
        delivery->deleteLater(); // after the queued delivery, on the context's thread
    });
}

} // namespace detail

} // namespace ankerblick::background
