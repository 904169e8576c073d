#pragma once

#include <QDialog>

class QCheckBox;

namespace quorvex {

// The start-up hint window: what to do first, with "Don't show window in next time".
class StartupHintWindow : public QDialog {
    Q_OBJECT
public:
    explicit StartupHintWindow(QWidget* parent = nullptr);
    bool dontShowAgain() const;

private:
    QCheckBox* dontShow_;
};

} // namespace quorvex
