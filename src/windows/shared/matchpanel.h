#pragma once

// The match as the window shows it while one runs: the phase with the time
// left, the match figures so far, the position to shoot in, the last notice,
// and the match's buttons. Hidden while no match runs.

#include "widgets/foldingbox.h"

#include <QGroupBox>

class QAction;
class QHBoxLayout;
class QLabel;

namespace ankerblick {

class MatchPanel final : public FoldingBox {
    Q_OBJECT
public:
    explicit MatchPanel(QWidget* parent);

    // A command of the match, as a button of the panel.
    QAction* addCommand(const QString& name, const QString& caption);
    void showMatch(const QString& status, const QString& figures, const QString& position);
    // A notice for the shooter, shown in red until the next one; empty: none.
    void showNotice(const QString& notice);

private:
    QLabel* m_status;
    QLabel* m_figures;
    QLabel* m_position;
    QLabel* m_notice;
    QHBoxLayout* m_buttons;
};

} // namespace ankerblick
