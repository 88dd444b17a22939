#pragma once

// Work that would keep the windows from answering (opening a camera, reading
// thousands of trainings, importing a folder of files, analysing a photo)
// runs on a worker thread. Its result comes back as a queued call on the
// thread of a context object, and is dropped when the context is gone by
// then. While the work takes longer than kShowProgressAfterMs, a `slow`
// callback on the context's thread can show how far it got.
//
// The work must not touch the context or any widget; it gets its inputs by
// value and returns its result by value.
//
//     background::run<Answer>(
//         this, [input](JobProgress& progress) { return compute(input, progress); },
//         [this](Answer answer) { show(answer); });

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace ankerblick {

// How far a job got: set by the job on its thread, read by the one showing it.
class JobProgress {
public:
    void setTotal(int total) { m_total = total; }
    void advance(int by = 1) { m_done += by; }
    int done() const { return m_done; }
    int total() const { return m_total; }

private:
    std::atomic<int> m_done = 0;
    std::atomic<int> m_total = 0;
};

namespace background {

inline constexpr int kShowProgressAfterMs = 300;
// After that, the progress is shown again this often until the work is done.
inline constexpr int kProgressEveryMs = 100;

using Slow = std::function<void(const JobProgress&)>;

namespace detail {

// Carries the end of one job from its thread to the context's.
class Delivery final : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void done();
};

void start(QObject* context, std::function<void()> work, std::function<void()> deliver,
           const std::shared_ptr<JobProgress>& progress, Slow slow);

} // namespace detail

// Runs `job` on a worker thread and then `done` with its result on the
// thread `context` lives on, unless `context` was destroyed meanwhile. A
// result that is dropped is destroyed on the worker thread.
template <typename Result>
void run(QObject* context, std::function<Result(JobProgress&)> job,
         std::function<void(Result)> done, Slow slow = {}) {
    auto progress = std::make_shared<JobProgress>();
    auto result = std::make_shared<std::optional<Result>>();
    detail::start(
        context, [job = std::move(job), result, progress] { result->emplace(job(*progress)); },
        [done = std::move(done), result] {
            std::optional<Result> taken = std::exchange(*result, std::nullopt);
            if (taken)
                done(std::move(*taken));
        },
        progress, std::move(slow));
}

// How many jobs run now or wait for their result to be delivered, for tests
// and for shutting down in order: a job that starts another from its
// delivery leaves no moment at 0 between the two.
int running();

} // namespace background

} // namespace ankerblick
