#include "picture.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace ankerblick {

namespace {

cv::Mat bgrOf(QImageReader& reader) {
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image.convertTo(QImage::Format_BGR888);
    const cv::Mat view(image.height(), image.width(), CV_8UC3, image.bits(),
                       size_t(image.bytesPerLine()));
    return view.clone();
}

} // namespace

cv::Mat decodePicture(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    return bgrOf(reader);
}

cv::Mat readPicture(const QString& path) {
    QImageReader reader(path);
    return bgrOf(reader);
}

} // namespace ankerblick
