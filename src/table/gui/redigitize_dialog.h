#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quorvex {

// "Re-digitize": new coordinates for two rows of the current pair, from which all its rows are
// rescaled. It stays open after "Rescale" so that the user can correct and try again.
class RedigitizeDialog : public QDialog {
    Q_OBJECT
public:
    struct Context {
        std::function<QString(int row)> readout; // "X=... Y=..." of a row of the current pair
        std::function<int()> curve;              // the current curve number
        std::function<QString()> scales;         // the calibration's two scale texts
    };
    explicit RedigitizeDialog(Context context, QWidget* parent = nullptr);

    QSpinBox* firstRowBox;
    QSpinBox* secondRowBox;
    QLineEdit* firstReadout;
    QLineEdit* secondReadout;
    QLineEdit* newX1;
    QLineEdit* newY1;
    QLineEdit* newX2;
    QLineEdit* newY2;
    QLabel* xCaption;
    QLabel* yCaption;
    QLabel* scaleCaption;
    QPushButton* rescaleButton;

    // Captions and read-outs as the Table and the calibration are now (also whenever the
    // dialog becomes active).
    void refresh();

signals:
    void rescaleRequested();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void rowsChanged();
    Context context_;
};

} // namespace quorvex
