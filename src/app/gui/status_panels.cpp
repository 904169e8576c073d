#include "app/gui/status_panels.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

namespace quorvex {

StatusPanels::StatusPanels(const PartContext& context) : WindowPart(context), bar_(new QStatusBar) {
    bar_->setObjectName(QStringLiteral("StatusBar"));
    const int widths[5] = {70, 100, 100, 100, 50};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panels_[static_cast<std::size_t>(i)] = panel;
        if (i < 4) {
            panel->setFixedWidth(widths[i]);
            bar_->addWidget(panel);
        } else {
            panel->setMinimumWidth(widths[i]);
            bar_->addWidget(panel, 1);
        }
    }
    connect(&session(), &DigitizingSession::statusMessage, this,
            [this](const QString& text) { panels_[4]->setText(text); });
    connect(
        &session(), &DigitizingSession::readoutChanged, this,
        [this](int panel, const QString& text, int margin) { showReadout(panel, text, margin); });
}

QString StatusPanels::text(int panel) const {
    return panel >= 0 && panel < 5 ? panels_[static_cast<std::size_t>(panel)]->text() : QString();
}

void StatusPanels::setPanelWidths(int p0, int p1, int p2, int p3) {
    const int widths[4] = {p0, p1, p2, p3};
    for (int i = 0; i < 4; ++i)
        panels_[static_cast<std::size_t>(i)]->setFixedWidth(widths[i]);
}

int StatusPanels::panelWidth(int panel) const {
    return panels_[static_cast<std::size_t>(panel)]->width();
}

void StatusPanels::clearReadouts() {
    for (int i = 0; i < 4; ++i)
        panels_[static_cast<std::size_t>(i)]->clear();
}

void StatusPanels::showReadout(int panel, const QString& text, int margin) {
    if (panel < 0 || panel > 3) return;
    QLabel* label = panels_[static_cast<std::size_t>(panel)];
    label->setText(text);
    if (autoResize && margin >= 0)
        label->setFixedWidth(QFontMetrics(window()->font()).horizontalAdvance(text) + margin);
}

} // namespace quorvex
