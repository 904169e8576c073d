#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QProgressBar;

namespace quorvex {

// "About Quorvex".
class TAboutBox1 : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox1(QWidget* parent = nullptr);
};

// The start-up hint window: what to do first, with "Don't show window in next time".
class THintForm : public QDialog {
    Q_OBJECT
public:
    explicit THintForm(QWidget* parent = nullptr);
    bool dontShowAgain() const;

private:
    QCheckBox* dontShow_;
};

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

// The splash window: a picture and a progress bar while the program starts.
class TZastavka : public QWidget {
    Q_OBJECT
public:
    TZastavka();
    void advance(int amount);
    int progress() const;

private:
    QProgressBar* bar_;
};

} // namespace quorvex
