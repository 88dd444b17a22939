#pragma once

// Pictures from files (jpg, png, bmp) through Qt's own image readers, turned
// as their EXIF orientation says, as 8-bit BGR.

#include <QByteArray>
#include <QString>

#include <opencv2/core.hpp>

namespace ankerblick {

// Empty when the bytes are no picture Qt can read.
cv::Mat decodePicture(const QByteArray& bytes);
// The same from a file.
cv::Mat readPicture(const QString& path);

} // namespace ankerblick
