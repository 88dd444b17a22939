#include "photoimport.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

// The angle from 12 o'clock clockwise, 0 to 2 pi.
double clockAngle(QPointF mm) {
    const double a = std::atan2(mm.x(), mm.y());
    return a < 0 ? a + 2 * M_PI : a;
}

} // namespace

QList<QPointF> clockwiseFromTop(QList<QPointF> holes) {
    std::stable_sort(holes.begin(), holes.end(),
                     [](QPointF a, QPointF b) { return clockAngle(a) < clockAngle(b); });
    return holes;
}

std::optional<QString> PhotoImport::read(const QString& path, const DisciplineInfo& discipline) {
    return adopt(readPhotoHoles(path, discipline), discipline);
}

std::optional<QString> PhotoImport::take(const cv::Mat& picture, const DisciplineInfo& discipline) {
    return adopt(findPhotoHoles(picture, discipline), discipline);
}

std::optional<QString> PhotoImport::adopt(PhotoHoles found, const DisciplineInfo& discipline) {
    if (found.problem)
        return found.problem;
    m_found = std::move(found);
    m_calibreMm = discipline.calibreMm;
    const cv::Mat& rect = m_found.rectified;
    m_face =
        QImage(rect.data, rect.cols, rect.rows, int(rect.step), QImage::Format_Grayscale8).copy();
    QList<QPointF> holes;
    for (const cv::Point2d& c : m_found.holesMm)
        holes.append(QPointF(c.x, c.y));
    m_holes = clockwiseFromTop(holes);
    return std::nullopt;
}

QPointF PhotoImport::toPixel(QPointF mm) const {
    const cv::Point2d p = m_found.toPixel({mm.x(), mm.y()});
    return {p.x, p.y};
}

QPointF PhotoImport::toMm(QPointF pixel) const {
    const cv::Point2d p = m_found.toMm({pixel.x(), pixel.y()});
    return {p.x, p.y};
}

void PhotoImport::add(QPointF mm) {
    m_holes.append(mm);
    m_holes = clockwiseFromTop(m_holes);
}

bool PhotoImport::removeAt(QPointF mm) {
    qsizetype nearest = -1;
    double best = m_calibreMm / 2;
    for (qsizetype i = 0; i < m_holes.size(); ++i) {
        const QPointF d = m_holes.at(i) - mm;
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    if (nearest < 0)
        return false;
    m_holes.removeAt(nearest);
    return true;
}

QString PhotoImport::summary(int seriesLength) const {
    const qsizetype n = m_holes.size();
    if (n == 0)
        return QCoreApplication::translate(
            "ankerblick::PhotoImport",
            "Keine Löcher gefunden. Ein Klick setzt ein Loch, ein Rechtsklick "
            "auf ein Loch nimmt es weg.");
    const QString holes =
        n == 1 ? QCoreApplication::translate("ankerblick::PhotoImport", "1 Loch")
               : QCoreApplication::translate("ankerblick::PhotoImport", "%1 Löcher").arg(n);
    QString into;
    if (n <= seriesLength) {
        into = QCoreApplication::translate("ankerblick::PhotoImport",
                                           "„Übernehmen“ trägt sie als neue Serie ein.");
        if (n == 1)
            into = QCoreApplication::translate("ankerblick::PhotoImport",
                                               "„Übernehmen“ trägt es als neue Serie ein.");
    } else {
        const qsizetype series = (n + seriesLength - 1) / seriesLength;
        const qsizetype last = n - (series - 1) * seriesLength;
        into = QCoreApplication::translate(
                   "ankerblick::PhotoImport",
                   "Mehr als eine Serie fasst: „Übernehmen“ trägt sie als %1 neue "
                   "Serien ein (je %2, die letzte mit %3).")
                   .arg(series)
                   .arg(seriesLength)
                   .arg(last);
    }
    return QCoreApplication::translate("ankerblick::PhotoImport",
                                       "%1, von oben im Uhrzeigersinn nummeriert. %2")
        .arg(holes, into);
}

} // namespace ankerblick
