#pragma once

#include <QMainWindow>

class QLabel;

namespace quorvex {

// A plain window that shows one image file through the program's readers.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);
    // Returns false and shows the reader's message when the file cannot be read.
    bool openFile(const QString& path);

private:
    QLabel* picture_;
};

} // namespace quorvex
