#include "matchpanel.h"

#include "model/matchprogram.h"
#include "widgets/command.h"

#include <QAction>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ankerblick {

namespace {
QLabel* namedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(name);
    label->setWordWrap(true);
    return label;
}
} // namespace

MatchPanel::MatchPanel(QWidget* parent)
    : FoldingBox(tr("Wettkampf"), parent),
      m_status(namedLabel(QStringLiteral("Wettkampfzeit"), this)),
      m_figures(namedLabel(QStringLiteral("Wettkampfstand"), this)),
      m_position(namedLabel(QStringLiteral("Wettkampfstellung"), this)),
      m_notice(namedLabel(QStringLiteral("Wettkampfhinweis"), this)) {
    setObjectName(QStringLiteral("WettkampfRahmen"));
    QFont big = m_status->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_status->setFont(big);
    m_notice->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));
    auto* layout = new QVBoxLayout(content());
    layout->addWidget(m_status);
    layout->addWidget(m_figures);
    layout->addWidget(m_position);
    layout->addWidget(m_notice);
    m_buttons = new QHBoxLayout;
    layout->addLayout(m_buttons);
    hide();
}

QAction* MatchPanel::addCommand(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    m_buttons->addWidget(button);
    QAction* command = makeCommand(button);
    // A command the match has no use for is not shown at all.
    connect(command, &QAction::visibleChanged, button,
            [button, command] { button->setVisible(command->isVisible()); });
    return command;
}

void MatchPanel::showMatch(const QString& status, const QString& figures, const QString& position) {
    m_status->setText(status);
    m_figures->setText(figures);
    m_figures->setVisible(!figures.isEmpty());
    m_position->setText(tr("Stellung: %1").arg(shownName(position)));
    m_position->setVisible(!position.isEmpty());
}

void MatchPanel::showNotice(const QString& notice) {
    m_notice->setText(notice);
    m_notice->setVisible(!notice.isEmpty());
}

} // namespace ankerblick
