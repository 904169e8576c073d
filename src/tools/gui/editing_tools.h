#pragma once

#include "app/gui/window_part.h"

#include <optional>

class QToolButton;

namespace quorvex {

class PencilDialog;

// Editing the picture before it is digitized: turning it along a drawn line or by 90 degrees
// (with the colour that fills what the turn uncovers), and the pencil (or eraser) with its
// dialog, which stays beside the window.
class EditingTools : public WindowPart {
    Q_OBJECT
public:
    explicit EditingTools(const PartContext& context);

    // Turns the picture by the angle (a quarter turn without one) and starts afresh on it.
    void rotateImage(std::optional<double> degrees);
    PencilDialog* pencilDialog() const { return pencilDialog_; }

private:
    void rotationToolToggled(bool down);
    void pencilToolToggled(bool down);
    void pressed(const ImageMouse& m);
    void moved(const ImageMouse& m);
    void released(const ImageMouse& m);
    void pencilMove(double u, double v);

    QToolButton* rotateTool_ = nullptr;
    QToolButton* pencilTool_ = nullptr;
    PencilDialog* pencilDialog_ = nullptr;
    Colour rotateBackColour_ = kWhite;
    bool rotationLineDrawing_ = false;
    QPoint rotationStart_;
    bool pencilDrawing_ = false;
};

} // namespace quorvex
