#pragma once

// The graph window of the value/time analysis. It owns no data of the graph:
// the window that opened it (its Aufrufer) draws into its picture box
// `Picture1`, and the window hands its resizes, arrow keys and mouse gestures
// back to that caller as zoom and redraw requests.
//
// There is one graph window in the program: ausgabeForm() creates it on first
// use, later analyses reuse it with their own caller and time kind.

#include "sheets/valuebounds.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace ankerblick {

// The calling side of the graph window's protocol.
class AusgabeAufrufer {
public:
    // Draws the whole graph of the time kind ("Schusszeit" or "Schiesszeit").
    virtual void AusgabeFormNeuZeichnen(QString& AusgabeZt) = 0;
    // Changes the caller's value and time windows: value factor, value offset,
    // time factor, time offset.
    virtual void AusgabeFormZoom(double& a, double& b, double& c, double& d) = 0;

protected:
    ~AusgabeAufrufer() = default;
};

// `Picture1`: shows the picture last drawn into it, also after the window was
// covered, and the rectangle being dragged, drawn inverted.
class GraphPicture final : public QWidget {
    Q_OBJECT
public:
    explicit GraphPicture(QWidget* parent);

    // Takes the drawing and its size.
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    void setDragRectangle(const std::optional<QRect>& rectangle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    std::optional<QRect> m_drag;
};

class AusgabeForm final : public QWidget {
    Q_OBJECT
public:
    explicit AusgabeForm(QWidget* parent = nullptr);

    void SetAufrufer(AusgabeAufrufer* Formname);
    void SetAusgabeZeiten(const QString& AusgabeZt);

    AusgabeAufrufer* Aufrufer() const { return m_aufrufer; }
    const QString& Zeitart() const { return m_zeitart; }
    bool ZiehenAktiv() const { return m_ziehenAktiv; }
    GraphPicture* Picture1() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    bool Picture1_KeyDown(int key);
    void Picture1_MouseDown(Qt::MouseButton button, QPoint position);
    void Picture1_MouseMove(QPoint position);
    void Picture1_MouseUp(QPoint position);

    void zoom(const timeanalysis::ZoomStep& step);
    void redraw();

    GraphPicture* m_picture = nullptr;
    AusgabeAufrufer* m_aufrufer = nullptr;
    QString m_zeitart;
    bool m_ziehenAktiv = false;
    QPoint m_dragStart;
    QPoint m_dragCurrent;
};

// The program's graph window, created on first use (hidden until shown).
AusgabeForm& ausgabeForm();
// The graph window if it was created, else null.
AusgabeForm* existingAusgabeForm();
// Closes and deletes the graph window if there is one (when the program ends;
// it also happens when the application quits).
void unloadAusgabeForm();

} // namespace ankerblick
