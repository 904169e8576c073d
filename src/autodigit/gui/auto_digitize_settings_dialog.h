#pragma once

#include "autodigit/engine.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QGroupBox;

namespace quorvex {

// "Automatic Digitization settings": how one automatic run recognises the curve (colour,
// interval, closest hue, brightness, or colour distance for anti-aliased and JPEG charts), which
// grid lines it keeps away, and where in the Table it writes. Created with its defaults for
// every run; the distance page shows the choices last made.
class AutoDigitizeSettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum TableStart { FromFirstRow = 0, AtEnd = 1, FromField = 2 };

    explicit AutoDigitizeSettingsDialog(Colour curveColour, QWidget* parent = nullptr);
    // The preparation by the image: the colour page needs 16 bits or more, brightness needs more
    // than 1 bit and a grey curve colour.
    void prepare(PixelFormat imageFormat);

    // The distance recognition as last chosen (on, tolerance, sub-pixel); the page shows it.
    void setDistanceOptions(const DistanceOptions& options);
    // Recognition by the paths of a vector file is offered only for a picture that has them.
    void setVectorAvailable(bool available);
    DistanceOptions distanceOptions() const;

    // The choices of an earlier run or of a digitizing profile: the mode's switch, its values and
    // the grid lines (typed fields count their words as if the spaces had been typed). Call
    // after prepare(); a mode the image cannot use stays off.
    void setScanChoices(const Recognition& recognition, const GridSettings& grid,
                        const QString& horizontalLines, const QString& verticalLines);

    // The settings as the OK button left them.
    Recognition recognition() const;
    GridSettings grid() const;
    QString horizontalLinesText() const;
    QString verticalLinesText() const;
    int spacePressesH() const { return spacePressesH_; }
    int spacePressesV() const { return spacePressesV_; }
    TableStart tableStart() const;
    bool cancelled() const { return cancelled_; }

    // The controls tests set before the dialog is accepted. The search factors and line widths
    // are for horizontal (H) and vertical (V) grid lines.
    QTabWidget* pages;
    QCheckBox* colourIntervalSwitch;
    QSlider* intervalSlider;
    QSpinBox* intervalBox;
    QLabel* curveColourSwatch;
    QLabel* intervalStrip;
    QLabel* colourLabel;
    QLabel* redLabel;
    QLabel* greenLabel;
    QLabel* blueLabel;
    QToolButton* leftSideButton;
    QToolButton* bothSidesButton;
    QToolButton* rightSideButton;
    QProgressBar* stripProgress;
    QCheckBox* closestHueBox;
    QCheckBox* brightnessSwitch;
    QSlider* brightnessSlider;
    QSpinBox* brightnessBox;
    QLabel* greyScale;
    QLabel* brightnessColourLabel;
    QLabel* brightnessRedLabel;
    QLabel* brightnessGreenLabel;
    QLabel* brightnessBlueLabel;
    QCheckBox* towardsBlackBox;
    QCheckBox* gridSearchSwitch;
    QGroupBox* searchGroup;
    QGroupBox* widthGroup;
    QSpinBox* searchFactorHBox;
    QSpinBox* searchFactorVBox;
    QSpinBox* searchLineWidthHBox;
    QSpinBox* searchLineWidthVBox;
    QLabel* searchFactorHelp;
    QLabel* lineWidthHelp;
    QCheckBox* typedGridSwitch;
    QSpinBox* typedLineWidthHBox;
    QSpinBox* typedLineWidthVBox;
    QLineEdit* horizontalLinesField;
    QLineEdit* verticalLinesField;
    QLabel* gridHelpLabel;
    QButtonGroup* tableStartGroup;
    QCheckBox* distanceSwitch;
    QCheckBox* vectorSwitch;
    QCheckBox* everyStepBox;
    QSpinBox* toleranceBox;
    QSlider* toleranceSlider;
    QCheckBox* subPixelBox;
    // Shows a message box (the main window's prompter).
    std::function<void(const QString&)> inform;

public slots:
    void acceptSettings(); // the OK button
    void cancelSettings(); // the Cancel button

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void switchColour(bool on);
    void switchGridSearch(bool on);
    void switchTypedGrid(bool on);
    void switchBrightness(bool on);
    void switchDistance(bool on);
    void switchVector(bool on);
    void drawStrip();
    void showColour(Colour c);
    IntervalSide side() const;

    Colour curve_;
    bool colourPageUsable_ = true;
    int spacePressesH_ = 1;
    int spacePressesV_ = 1;
    bool cancelled_ = true;
    bool dispersionOn_ = false;
    bool gridSearchOn_ = false;
    GridSettings grid_;
    bool switching_ = false;
};

} // namespace quorvex
