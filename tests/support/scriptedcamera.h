#pragma once

// A camera the test scripts: its sources, the sources that do not open and
// the frames every capture hands out, each with its clock time.

#include "services/camera.h"

#include <QHash>
#include <QThread>

#include <atomic>
#include <memory>

namespace ankerblick::test {

struct ScriptedFrame {
    cv::Mat image;
    quint32 time = 0;
};

class ScriptedCapture final : public CameraCapture {
public:
    ScriptedCapture(QList<ScriptedFrame> frames, QHash<QString, QString> failures,
                    std::shared_ptr<std::atomic<int>> shown, int openMs)
        : m_frames(std::move(frames)), m_failures(std::move(failures)), m_shown(std::move(shown)),
          m_openMs(openMs) {}

    // Takes openMs, as a camera device may.
    std::optional<QString> open(const QString& id) override {
        if (m_openMs > 0)
            QThread::msleep(static_cast<unsigned long>(m_openMs));
        close();
        if (m_failures.contains(id))
            return m_failures.value(id);
        m_open = true;
        return std::nullopt;
    }
    // The scripted frames in order; after the last one the source is gone.
    // While the test holds the rest back, the last frame shown comes again.
    std::optional<cv::Mat> nextFrame() override {
        if (!m_open || m_next >= m_frames.size())
            return std::nullopt;
        if (m_shown && m_next > 0 && m_next >= *m_shown) {
            QThread::msleep(5);
            return m_frames.at(m_next - 1).image;
        }
        const ScriptedFrame& frame = m_frames.at(m_next++);
        m_frameTime = frame.time;
        return frame.image;
    }
    quint32 frameTime() const override { return m_frameTime; }
    void close() override {
        m_open = false;
        m_next = 0;
    }

private:
    QList<ScriptedFrame> m_frames;
    QHash<QString, QString> m_failures;
    std::shared_ptr<std::atomic<int>> m_shown;
    qsizetype m_next = 0;
    quint32 m_frameTime = 0;
    int m_openMs = 0;
    bool m_open = false;
};

class ScriptedCameraService final : public CameraService {
public:
    // Listed ahead of the extra sources.
    QList<CameraSourceInfo> devices;
    // What every capture hands out.
    QList<ScriptedFrame> frames;
    // The sources that do not open, with their messages.
    QHash<QString, QString> failures;
    // How many captures were made.
    int captures = 0;
    // When set, how many of the frames the captures hand out so far (at
    // least the first).
    std::shared_ptr<std::atomic<int>> shown;
    // How long opening a source takes (ms).
    int openMs = 0;

    QList<CameraSourceInfo> sources(const QStringList& extra) const override {
        QList<CameraSourceInfo> result = devices;
        for (const QString& e : extra)
            result.append({e, e});
        return result;
    }
    std::unique_ptr<CameraCapture> create() override {
        ++captures;
        return std::make_unique<ScriptedCapture>(frames, failures, shown, openMs);
    }
};

} // namespace ankerblick::test
