#pragma once

#include <QDialog>

class QButtonGroup;

namespace quorvex {

// "Pixel format of Image": the format a pasted picture gets. Choices 0..6 are 1, 4, 8, 15, 16,
// 24 and 32 bits, 7 is grayscale and 8 leaves the picture as it is (preselected).
class PasteFormatDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { Bit1, Bit4, Bit8, Bit15, Bit16, Bit24, Bit32, Grayscale, NoChanges };
    explicit PasteFormatDialog(QWidget* parent = nullptr);
    int choice() const;
    void setChoice(int choice);

private:
    QButtonGroup* group_;
};

} // namespace quorvex
