#pragma once

#include "grapher/chart_painter.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quorvex {

class ColourSwatch;

// "Options of Grapher": the chart's titles, its axis ranges (automatic or typed), grid,
// background and title colours, and the symbol and line sizes. It edits a copy of the look;
// OK stays disabled while a typed range is not a number, is empty or does not suit a
// logarithmic axis, and a line under the fields says why.
class GrapherOptionsDialog : public QDialog {
    Q_OBJECT
public:
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    // `shownRanges` are the ranges the chart shows now, offered when a range is typed.
    GrapherOptionsDialog(const ChartLook& look, AxisRange shownX, AxisRange shownY,
                         ColourChooser chooseColour, QWidget* parent = nullptr);

    // The look with the dialog's choices (meaningful after OK).
    ChartLook look() const;

    QLineEdit* titleField;
    QLineEdit* xTitleField;
    QLineEdit* yTitleField;
    QCheckBox* xAutomaticBox;
    QLineEdit* xMinimumField;
    QLineEdit* xMaximumField;
    QCheckBox* yAutomaticBox;
    QLineEdit* yMinimumField;
    QLineEdit* yMaximumField;
    QCheckBox* gridBox;
    ColourSwatch* backgroundSwatch;
    ColourSwatch* titleColourSwatch;
    QSpinBox* symbolSizeBox;
    QSpinBox* lineWidthBox;
    QLabel* problemLabel;
    QPushButton* okButton;

private:
    // The typed range of an axis, or nothing with the reason in `problem`.
    std::optional<AxisRange> typedRange(QLineEdit* minimum, QLineEdit* maximum, bool log,
                                        QString& problem) const;
    void validate();

    ChartLook look_;
};

} // namespace quorvex
