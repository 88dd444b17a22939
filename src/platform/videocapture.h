#pragma once

// Camera devices and video files through OpenCV's video capture, which lives
// in a module of its own (ankerblick-capture) loaded at the first use: its
// back ends (V4L2, FFmpeg, GStreamer) bring some 240 libraries, which a
// program that never opens a camera need not load at its start.

#include <QString>

#include <opencv2/core.hpp>

#include <memory>

namespace ankerblick {

class VideoSource {
public:
    virtual ~VideoSource() = default;
    // The next frame as the capture decodes it; false at the end of a file
    // or when a device vanished.
    virtual bool read(cv::Mat& frame) = 0;
    // Frames a second a file tells; 0 when it tells none.
    virtual double rate() const = 0;
};

enum class VideoKind { Device, File };

// A camera device (V4L2) or a video file (FFmpeg alone); nullptr when it
// cannot be opened, or the module is missing (a warning says why).
std::unique_ptr<VideoSource> openVideoSource(const QString& path, VideoKind kind);

} // namespace ankerblick

// What the module exports: a source the caller owns, or nullptr.
extern "C" ankerblick::VideoSource* ankerblick_open_video(const char* path, int device);
