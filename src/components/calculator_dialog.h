#pragma once

#include <QDialog>

class QLineEdit;

namespace quorvex {

// A small four-function calculator. Keys and buttons both work; the result can be copied.
class CalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalculatorDialog(QWidget* parent = nullptr);
    // Presses a key: a digit, the locale's separator, + - * /, = or C.
    void press(QChar key);
    QString display() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyPending();

    QLineEdit* display_;
    double accumulator_ = 0;
    QChar pending_;
    bool startNew_ = true;
};

} // namespace quorvex
