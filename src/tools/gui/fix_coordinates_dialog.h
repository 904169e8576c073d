#pragma once

#include "tools/markers.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace quorvex {

// "Fix coordinates": the calibration rectangle typed as pixel corners (Y counted up from the
// bottom edge) with the graph values of its corners. Lives as long as the main window.
class FixCoordinatesDialog : public QDialog {
    Q_OBJECT
public:
    explicit FixCoordinatesDialog(QWidget* parent = nullptr);

    // What the dialog does each time it opens: the main window's corner texts (X left-bottom,
    // Y left-bottom, X right-top, Y right-top), the image size and the selection rectangle.
    void prepare(const std::array<QString, 4>& mainTexts, int imageWidth, int imageHeight,
                 const SelectionBox& selection);

    QSpinBox* leftBottomXBox;
    QSpinBox* rightTopXBox;
    QSpinBox* leftBottomYBox;
    QSpinBox* rightTopYBox;
    std::array<QLineEdit*, 4> graphFields; // X, Y left-bottom; X, Y right-top
    QCheckBox* synchroniseBox;
    QLabel* helpLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void synchronise(QSpinBox* source);
};

} // namespace quorvex
