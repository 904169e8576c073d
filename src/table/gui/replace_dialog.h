#pragma once

#include <QChar>
#include <QDialog>

class QComboBox;

namespace quorvex {

// "Replace": which decimal separator replaces which, in the X or the Y column of the current
// pair.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QChar from() const;
    QChar to() const;
    bool inX() const;

    QComboBox* fromBox;
    QComboBox* toBox;
    QComboBox* columnBox;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace quorvex
