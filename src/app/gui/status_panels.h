#pragma once

#include "app/gui/window_part.h"

#include <array>

class QLabel;
class QStatusBar;

namespace quorvex {

// The status bar: panel 0 the colour under the mouse, 1 the pixel, 2 and 3 the X and Y values,
// 4 tool tips and short messages. Messages and read-outs come from the session.
class StatusPanels : public WindowPart {
    Q_OBJECT
public:
    explicit StatusPanels(const PartContext& context);

    QStatusBar* bar() const { return bar_; }
    QString text(int panel) const;
    void setPanelWidths(int p0, int p1, int p2, int p3);
    int panelWidth(int panel) const;
    void clearReadouts();
    // The read-out panels take the width of their text when they change.
    bool autoResize = true;

private:
    void showReadout(int panel, const QString& text, int margin);

    QStatusBar* bar_;
    std::array<QLabel*, 5> panels_{};
};

} // namespace quorvex
