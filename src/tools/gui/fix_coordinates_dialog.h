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
class TRectangleSize : public QDialog {
    Q_OBJECT
public:
    explicit TRectangleSize(QWidget* parent = nullptr);

    // What the dialog does each time it opens: the main window's corner texts (Edit1 X
    // left-bottom, Edit2 Y left-bottom, Edit3 X right-top, Edit4 Y right-top), the image size
    // and the selection rectangle.
    void prepare(const std::array<QString, 4>& mainTexts, int imageWidth, int imageHeight,
                 const SelectionBox& selection);

    QSpinBox* SpinEdit1;                   // X left-bottom
    QSpinBox* SpinEdit2;                   // X right-top
    QSpinBox* SpinEdit3;                   // Y left-bottom
    QSpinBox* SpinEdit4;                   // Y right-top
    std::array<QLineEdit*, 4> graphFields; // Edit1 .. Edit4
    QCheckBox* CheckBox1;
    QLabel* Label1;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void synchronise(QSpinBox* source);
};

} // namespace quorvex
