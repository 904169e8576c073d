#pragma once

#include <QDialog>

namespace quorvex {

// "About Quorvex".
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace quorvex
