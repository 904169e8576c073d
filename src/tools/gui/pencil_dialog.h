#pragma once

#include "core/colour.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace quorvex {

class ColourSwatch;

// "Pencil": the pencil's colour (from the palette or picked from the image) and size, and the
// colour under the mouse while painting. Stays on top of the main window, not modal, and lives
// as long as it.
class PencilDialog : public QDialog {
    Q_OBJECT
public:
    explicit PencilDialog(QWidget* parent = nullptr);

    Colour colour() const { return colour_; }
    void setColour(Colour colour);
    int pencilSize() const;
    bool picking() const;
    // The read-out of the pixel under the mouse: its colour text and R, G, B.
    void showPixel(Colour colour);

    QToolButton* paletteButton;
    ColourSwatch* swatch;
    QSpinBox* sizeBox;
    QToolButton* pickButton;
    QLabel* colourLabel;
    QLabel* redLabel;
    QLabel* greenLabel;
    QLabel* blueLabel;
    QPushButton* closeButton;

signals:
    // The palette button or the swatch: the owner asks for a colour and calls setColour.
    void colourRequested();
    void pickToggled(bool down);
    void activated();
    void closed();

protected:
    void changeEvent(QEvent* event) override;

public slots:
    void reject() override;

private:
    Colour colour_ = kBlack;
};

} // namespace quorvex
