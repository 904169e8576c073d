#pragma once

#include "app/gui/window_part.h"

#include <array>

class QAction;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace quorvex {

class FixCoordinatesDialog;

// The calibration: the corner-value fields with the two scales, the rectangle drawn by mouse
// (or only the area of an automatic run), "Fix coordinates", and the pick of the curve colour
// on the picture.
class CalibrationPanel : public WindowPart {
    Q_OBJECT
public:
    explicit CalibrationPanel(const PartContext& context);

    QWidget* panel() const { return panel_; }
    FixCoordinatesDialog* fixCoordinatesDialog() const { return fixDialog_; }
    // "Fix coordinates"; a right click on the picture opens it with the rectangle tool down.
    void fixCoordinates(bool rightClick = false);
    void findAxes();
    // Whether a control belongs to the calibration (for the help topic of the focus).
    bool owns(const QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleRectangleSelection();
    void toggleColourPick();
    void selectionPress(const ImageMouse& m);
    void selectionMove(const ImageMouse& m);
    void selectionRelease(const ImageMouse& m);
    void showCalibration();
    void enableFields(bool enable);

    QWidget* panel_ = nullptr;
    std::array<QLineEdit*, 4> cornerFields_{}; // X, Y left-bottom; X, Y right-top
    QComboBox* xTransferBox_ = nullptr;
    QComboBox* yTransferBox_ = nullptr;
    QToolButton* selectAreaOnlyButton_ = nullptr;
    QToolButton* rectangleTool_ = nullptr;
    QToolButton* colourPickTool_ = nullptr;
    FixCoordinatesDialog* fixDialog_ = nullptr;
    QAction* findAxesItem_ = nullptr;
    QPoint pressPoint_;
    // The path vertex the press snapped to on a vector picture; the reach in screen pixels.
    std::optional<QPointF> pressVertex_;
    static constexpr double kSnapRadius = 6;
};

} // namespace quorvex
