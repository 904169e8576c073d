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
// interval, closest hue, brightness), which grid lines it keeps away, and where in the Table it
// writes. Created with its defaults for every run.
class TPixelFormat : public QDialog {
    Q_OBJECT
public:
    enum TableStart { FromFirstRow = 0, AtEnd = 1, FromField = 2 };

    explicit TPixelFormat(Colour curveColour, QWidget* parent = nullptr);
    // The preparation by the image: the colour page needs 16 bits or more, brightness needs more
    // than 1 bit and a grey curve colour.
    void prepare(PixelFormat imageFormat);

    // The settings as the OK button left them.
    Recognition recognition() const;
    GridSettings grid() const;
    QString horizontalLinesText() const;
    QString verticalLinesText() const;
    int spacePressesH() const { return spacePressesH_; }
    int spacePressesV() const { return spacePressesV_; }
    TableStart tableStart() const;
    bool cancelled() const { return cancelled_; }

    // Controls, by their names.
    QTabWidget* pages;
    QCheckBox* RxSwitch1; // colour interval
    QSlider* RxSlider1;
    QSpinBox* RxSpinEdit1;
    QLabel* Image1; // curve colour swatch
    QLabel* Image2; // interval strip
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QProgressBar* ProgressBar1;
    QCheckBox* CheckBox1; // closest hue
    QCheckBox* RxSwitch4; // brightness
    QSlider* RxSlider2;
    QSpinBox* RxSpinEdit2;
    QLabel* Image3; // grey scale
    QLabel* Label16;
    QCheckBox* CheckBox2; // towards black
    QCheckBox* RxSwitch2; // grid search
    QGroupBox* searchGroup;
    QGroupBox* widthGroup;
    QSpinBox* SpinEdit1;
    QSpinBox* SpinEdit2;
    QSpinBox* SpinEdit3;
    QSpinBox* SpinEdit4;
    QLabel* RxLabel2;
    QLabel* RxLabel3;
    QCheckBox* RxSwitch3; // typed grid lines
    QSpinBox* SpinEdit5;
    QSpinBox* SpinEdit6;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLabel* Label10;
    QButtonGroup* RadioGroup1;
    // Shows a message box (the main window's prompter).
    std::function<void(const QString&)> inform;

public slots:
    void RxSpeedButton1Click(); // OK
    void RxSpeedButton2Click(); // Cancel

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void switchColour(bool on);
    void switchGridSearch(bool on);
    void switchTypedGrid(bool on);
    void switchBrightness(bool on);
    void drawStrip();
    void showColour(Colour c);
    IntervalSide side() const;

    Colour curve_;
    int imageBits_ = 24;
    int spacePressesH_ = 1;
    int spacePressesV_ = 1;
    bool cancelled_ = true;
    bool dispersionOn_ = false;
    bool gridSearchOn_ = false;
    GridSettings grid_;
    bool switching_ = false;
};

} // namespace quorvex
