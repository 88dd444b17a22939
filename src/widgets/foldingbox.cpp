#include "foldingbox.h"

#include "services/settings.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace ankerblick {

namespace {
constexpr int kFoldSize = 16; // the arrow's square, pixels
const QString kFoldedOption = QStringLiteral("Eingeklappt.%1");
} // namespace

FoldingBox::FoldingBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_content(new QWidget(this)), m_fold(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    m_fold->setObjectName(QStringLiteral("Einklappen"));
    m_fold->setCheckable(true);
    m_fold->setAutoRaise(true);
    m_fold->setFixedSize(kFoldSize, kFoldSize);
    m_fold->setFocusPolicy(Qt::TabFocus);
    connect(m_fold, &QToolButton::toggled, this, [this](bool folded) {
        m_content->setVisible(!folded);
        showFolding();
        Q_EMIT foldedChanged(folded);
    });
    showFolding();
}

bool FoldingBox::folded() const {
    return m_fold->isChecked();
}

void FoldingBox::setFolded(bool folded) {
    m_fold->setChecked(folded);
}

void FoldingBox::keepFolded(Settings& settings, const QString& window) {
    const QString option = kFoldedOption.arg(objectName());
    setFolded(settings.option(window, option, 2) == 1);
    connect(this, &FoldingBox::foldedChanged, this, [&settings, window, option](bool folded) {
        settings.setOption(window, option, folded ? 1 : 0);
    });
}

// The arrow sits at the right end of the title's line.
void FoldingBox::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    m_fold->move(width() - kFoldSize - 2, 0);
    m_fold->raise();
}

void FoldingBox::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        showFolding();
}

void FoldingBox::showFolding() {
    const bool folded = m_fold->isChecked();
    m_fold->setArrowType(folded ? Qt::RightArrow : Qt::DownArrow);
    const QString text =
        folded ? tr("%1 ausklappen").arg(title()) : tr("%1 einklappen").arg(title());
    m_fold->setToolTip(text);
    m_fold->setAccessibleName(text);
}

} // namespace ankerblick
