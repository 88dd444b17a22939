#pragma once

// The window of "Foto einlesen …": the photo's face, rectified, with every
// hole found marked and numbered from the top clockwise. A click sets a
// hole, a right click on a hole takes it away; "Übernehmen" hands the holes
// to the target window, "Abbrechen" leaves everything as it was.

#include "photoimport.h"

#include <QDialog>
#include <QList>
#include <QPointF>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace ankerblick {

class UserDialogs;

// The face with its holes; positions on it are face millimetres.
class PhotoView final : public QWidget {
    Q_OBJECT
public:
    PhotoView(PhotoImport& import, QWidget* parent);
    // Where a point of the face is shown in the view, and back.
    QPointF viewPoint(QPointF mm) const;
    QPointF facePoint(QPointF view) const;
    QSize sizeHint() const override { return {640, 640}; }

Q_SIGNALS:
    void holesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double scale() const;
    QPointF origin() const;

    PhotoImport& m_import;
};

class FotoEinlesen final : public QDialog {
    Q_OBJECT
public:
    // `enter` places the holes (mm, in their order) as hits and returns what
    // the shooter is told when it could not; the window stays open then.
    using Enter = std::function<std::optional<QString>(const QList<QPointF>& holesMm)>;
    FotoEinlesen(std::unique_ptr<PhotoImport> import, int seriesLength, Enter enter,
                 UserDialogs& dialogs, QWidget* parent);
    ~FotoEinlesen() override;

    const PhotoImport& import() const { return *m_import; }
    PhotoView* view() const { return m_view; }

private:
    void showSummary();
    void takeHoles();

    std::unique_ptr<PhotoImport> m_import;
    int m_seriesLength;
    Enter m_enter;
    UserDialogs& m_dialogs;
    PhotoView* m_view = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace ankerblick
