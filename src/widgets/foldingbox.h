#pragma once

// A group box whose contents fold away under its title: a small arrow in the
// title's line folds and unfolds it, so that a short screen keeps room for
// what the shooter looks at. Its controls go into content(), not into the
// box itself.

#include <QGroupBox>

class QToolButton;

namespace ankerblick {

class Settings;

class FoldingBox : public QGroupBox {
    Q_OBJECT
public:
    FoldingBox(const QString& title, QWidget* parent);

    QWidget* content() const { return m_content; }
    bool folded() const;
    void setFolded(bool folded);
    // Folded or not as it was last left in the window named `window`; the
    // choice is kept under the box's object name from now on.
    void keepFolded(Settings& settings, const QString& window);

Q_SIGNALS:
    void foldedChanged(bool folded);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showFolding();

    QWidget* m_content;
    QToolButton* m_fold;
};

} // namespace ankerblick
