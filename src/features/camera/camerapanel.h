#pragma once

// The frame "Kamera": the source list, switching the camera on and off,
// finding the face again, the lamp that shows whether the face is in view and
// the window "Kamerabild" with the camera's picture.

#include "cameralink.h"

#include <QGroupBox>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace ankerblick {

class CameraPictureWindow;
class LinkIndicator;
class TargetLink;
class TargetFace;
class UserDialogs;

class CameraPanel : public QGroupBox {
    Q_OBJECT
public:
    // face: what the window shows; the camera looks for its discipline and
    // the holes of its calibre. extra: sources from the command line.
    CameraPanel(CameraService& cameras, const QStringList& extra, UserDialogs& dialogs,
                const TargetFace& face, QWidget* parent = nullptr);
    ~CameraPanel() override;

    CameraLink& link() { return *m_link; }
    // The window "Kamerabild" once it was asked for, else null.
    CameraPictureWindow* pictureWindow() const { return m_pictureWindow; }
    // Another source delivering into the same window: while it does, the
    // camera is not switched on and the shooter is told `refusal`.
    void setRival(const HitSource* rival, const QString& refusal) {
        m_rival = rival;
        m_rivalRefusal = refusal;
    }
    // The window closes: the camera is switched off.
    void shutdown();

    // Closing the window waits this long at most for the camera's thread.
    static constexpr int kShutdownWaitMs = 2000;

    static QColor foundColour() { return QColor(0, 255, 0); }
    static QColor noFaceColour() { return QColor(255, 255, 0); }
    static QColor offColour() { return QColor(255, 0, 0); }

Q_SIGNALS:
    void cameraStateChanged();

private:
    void switchOnOrOff();
    void showPicture();
    void tell(const QString& text);
    void refresh();

    UserDialogs& m_dialogs;
    const TargetFace& m_face;
    CameraLink* m_link = nullptr;
    const HitSource* m_rival = nullptr;
    QString m_rivalRefusal;
    QComboBox* m_sources = nullptr;
    QPushButton* m_onOff = nullptr;
    QPushButton* m_findFace = nullptr;
    QPushButton* m_showPicture = nullptr;
    CameraPictureWindow* m_pictureWindow = nullptr;
    LinkIndicator* m_lamp = nullptr;
};

// The electronic target and the camera deliver into one window one at a
// time: whichever is started second refuses and says why.
void keepApart(TargetLink& target, CameraPanel& camera);

} // namespace ankerblick
