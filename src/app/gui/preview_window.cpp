#include "app/gui/preview_window.h"

#include "image/image_error.h"
#include "image/image_file.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScrollArea>

namespace quorvex {

PreviewWindow::PreviewWindow(QWidget* parent) : QMainWindow(parent), picture_(new QLabel) {
    setWindowTitle(QStringLiteral("Quorvex 2.16"));
    auto* scroll = new QScrollArea;
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(false);
    setCentralWidget(scroll);
    resize(900, 700);
}

bool PreviewWindow::openFile(const QString& path) {
    try {
        const Raster raster = readImageFile(path, readerForPath(path));
        picture_->setPixmap(QPixmap::fromImage(toQImage(raster)));
        picture_->adjustSize();
        setWindowTitle(QStringLiteral("Quorvex 2.16 - ") + QFileInfo(path).fileName());
        return true;
    } catch (const ImageError& error) {
        QMessageBox::warning(this, windowTitle(), error.message());
        return false;
    }
}

} // namespace quorvex
