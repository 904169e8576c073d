#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

namespace quorvex {

class VectorFile;

// "PDF page": which page of a PDF of several pages to open and at what resolution, with a
// preview of the page.
class VectorPageDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLowestDpi = 36;
    static constexpr int kHighestDpi = 1200;

    VectorPageDialog(const VectorFile& file, double dpi, QWidget* parent = nullptr);

    int page() const;
    double dpi() const;

    QSpinBox* pageBox;
    QSpinBox* dpiBox;

private:
    void showPreview();

    const VectorFile& file_;
    QLabel* preview_;
    QLabel* size_;
};

} // namespace quorvex
