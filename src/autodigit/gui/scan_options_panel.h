#pragma once

#include "app/gui/window_part.h"

class QAction;
class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace quorvex {

// The option pages of the digitization page: "general" (self-correction, marker size), "auto"
// (step, first and last row, indent, with the rules that keep them consistent, and the step in
// graph units) and "extra" (poly-Bezier, one-valuedness and thickness, the search interval).
// Their values live in the session; the fields follow it and write every change to it.
class ScanOptionsPanel : public WindowPart {
    Q_OBJECT
public:
    explicit ScanOptionsPanel(const PartContext& context);

    QTabWidget* pages() const { return pages_; }
    void showPage(OptionsPage page);

private:
    void applyOptions();
    void storeFields();
    void refreshStepCaption();
    void recomputeStep();
    void firstRowChanged();
    void lastRowChanged();
    void stepChanged();
    void setUpGraphStep();

    QTabWidget* pages_ = nullptr;
    QWidget* generalPage_ = nullptr;
    QWidget* autoPage_ = nullptr;
    QWidget* extraPage_ = nullptr;
    QCheckBox* selfCorrectionBox_ = nullptr;
    QSpinBox* correctionDepthBox_ = nullptr;
    QSpinBox* markerSizeBox_ = nullptr;
    QToolButton* stepButton_ = nullptr;
    QAction* graphStepAction_ = nullptr;
    QSpinBox* firstRowBox_ = nullptr;
    QSpinBox* lastRowBox_ = nullptr;
    QSpinBox* stepBox_ = nullptr;
    QSpinBox* indentBox_ = nullptr;
    QCheckBox* polyBezierBox_ = nullptr;
    QCheckBox* oneValuedBox_ = nullptr;
    QSpinBox* thicknessBox_ = nullptr;
    QDoubleSpinBox* searchIntervalBox_ = nullptr;
    // Set while the fields take values that are not typed: the step rules wait.
    bool presetting_ = false;
};

} // namespace quorvex
