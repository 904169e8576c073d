#pragma once

#include "app/gui/window_part.h"
#include "tools/manual_input.h"

class QAction;
class QMenu;
class QToolButton;

namespace quorvex {

// Manual input: a point per click (snapped by self-correction, or along a poly-Bezier
// stroke), the markers of the points with their colour and removal, and the two undo
// commands with the pop-up menu a right click on the picture opens.
class ManualInputTool : public WindowPart {
    Q_OBJECT
public:
    explicit ManualInputTool(const PartContext& context);

    void undoLatestPoint();
    void undoDigitization();
    // The undo commands follow the undo record: nothing can be undone that it does not hold.
    void updateUndoActions();
    void removeMarkers();
    QAction* markersItem() const { return markersAction_; }

private:
    void toggleManualInput();
    void manualInputPress(const ImageMouse& m);
    void rightPress(const ImageMouse& m);
    void markersToggled();
    void chooseMarkerColour();

    QToolButton* manualInputTool_ = nullptr;
    QAction* undoPointAction_ = nullptr;
    QAction* undoDigitizationAction_ = nullptr;
    QAction* undoPointPopupAction_ = nullptr;
    QAction* undoDigitizationPopupAction_ = nullptr;
    QMenu* undoMenu_ = nullptr;
    QAction* markersAction_ = nullptr;
    BezierStroke bezier_;
    // The next point starts a digitization of its own (the tool just went down).
    bool newManualRecord_ = true;
};

} // namespace quorvex
