#pragma once

// A camera the test scripts: its sources, the sources that do not open and
// the frames every capture hands out, each with its clock time.

#include "services/camera.h"

#include <QHash>

namespace ankerblick::test {

struct ScriptedFrame {
    cv::Mat image;
    quint32 time = 0;
};

class ScriptedCapture final : public CameraCapture {
public:
    ScriptedCapture(QList<ScriptedFrame> frames, QHash<QString, QString> failures)
        : m_frames(std::move(frames)), m_failures(std::move(failures)) {}

    std::optional<QString> open(const QString& id) override {
        close();
        if (m_failures.contains(id))
            return m_failures.value(id);
        m_open = true;
        return std::nullopt;
    }
    // The scripted frames in order; after the last one the source is gone.
    std::optional<cv::Mat> nextFrame() override {
        if (!m_open || m_next >= m_frames.size())
            return std::nullopt;
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
    qsizetype m_next = 0;
    quint32 m_frameTime = 0;
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

    QList<CameraSourceInfo> sources(const QStringList& extra) const override {
        QList<CameraSourceInfo> result = devices;
        for (const QString& e : extra)
            result.append({e, e});
        return result;
    }
    std::unique_ptr<CameraCapture> create() override {
        ++captures;
        return std::make_unique<ScriptedCapture>(frames, failures);
    }
};

} // namespace ankerblick::test
