// The module ankerblick-capture: OpenCV's video capture behind VideoSource.

#include "videocapture.h"

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/videoio.hpp>

namespace ankerblick {
namespace {

class OpenCvVideo final : public VideoSource {
public:
    bool open(const char* path, int api) {
        try {
            return m_video.open(path, api);
        } catch (const cv::Exception&) {
            return false;
        }
    }
    bool read(cv::Mat& frame) override { return m_video.read(frame); }
    double rate() const override { return m_video.get(cv::CAP_PROP_FPS); }

private:
    cv::VideoCapture m_video;
};

} // namespace
} // namespace ankerblick

extern "C" __attribute__((visibility("default"))) ankerblick::VideoSource*
ankerblick_open_video(const char* path, int device) {
    // OpenCV tells of every back end that fails to open a file on standard
    // error; the shooter hears of it from the camera's own message.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    auto video = std::make_unique<ankerblick::OpenCvVideo>();
    // Files through FFmpeg alone: asking every back end in turn opens the
    // FireWire and GStreamer ones, which keep memory they never give back.
    if (!video->open(path, device ? cv::CAP_V4L2 : cv::CAP_FFMPEG))
        return nullptr;
    return video.release();
}
