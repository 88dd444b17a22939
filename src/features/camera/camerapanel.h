#pragma once

// The frame "Kamera": the source list, switching the camera on and off,
// finding the face again, the lamp that shows whether the face is in view and
// the window "Kamerabild" with the camera's picture.

#include "cameralink.h"
#include "widgets/sourcepanel.h"

#include "widgets/foldingbox.h"

#include <QGroupBox>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace ankerblick {

class CameraPictureWindow;
class LinkIndicator;
class UserDialogs;

class CameraPanel : public FoldingBox, public SourcePanel {
    Q_OBJECT
public:
    // extra: sources from the command line. The camera looks for the face of
    // the discipline its window shows and the holes of its calibre.
    CameraPanel(CameraService& cameras, const QStringList& extra, UserDialogs& dialogs,
                QWidget* parent = nullptr);
    ~CameraPanel() override;

    CameraLink& link() { return *m_link; }
    // The window "Kamerabild" once it was asked for, else null.
    CameraPictureWindow* pictureWindow() const { return m_pictureWindow; }
    // The window closes: the camera is switched off.
    void shutdown() override;

    HitOrigin origin() const override { return HitOrigin::Camera; }
    HitSource& source() override { return *m_link; }
    QWidget& controls() override { return *this; }
    void onStateChanged(QObject* context, std::function<void()> changed) override;
    void stopDelivering() override;

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
    CameraLink* m_link = nullptr;
    QComboBox* m_sources = nullptr;
    QPushButton* m_onOff = nullptr;
    QPushButton* m_findFace = nullptr;
    QPushButton* m_showPicture = nullptr;
    CameraPictureWindow* m_pictureWindow = nullptr;
    LinkIndicator* m_lamp = nullptr;
};

} // namespace ankerblick
