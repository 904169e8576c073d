#pragma once

#include "core/colour.h"

#include <QCursor>
#include <QIcon>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace quorvex {

// Gives a control its form-designer identifier as objectName, the handle tests find it by.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The two-part up/down button beside a number field.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
signals:
    void upClicked();
    void downClicked();

private:
    QToolButton* up_;
    QToolButton* down_;
};

// A small square painted in one colour; a click asks for another colour.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void setColour(Colour colour);
    Colour colour() const { return colour_; }
    QSize sizeHint() const override { return {22, 22}; }
signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override { emit clicked(); }

private:
    Colour colour_ = kBlack;
};

// A ruler along the image, with ticks every 10 pixels of the image at the current scale.
class Ruler : public QWidget {
    Q_OBJECT
public:
    Ruler(Qt::Orientation orientation, QWidget* parent = nullptr);
    // View pixels per image pixel (fractional where the screen has a device pixel ratio).
    void setScale(double scale);
    int scalePercent() const { return static_cast<int>(scale_ * 100 + 0.5); }
    // The hair line at a position along the ruler (view pixels); negative: none.
    void setHairLine(int position);
    int hairLine() const { return hairLine_; }
signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override { emit doubleClicked(); }

private:
    Qt::Orientation orientation_;
    double scale_ = 1.0;
    int hairLine_ = -1;
};

// A titled box of radio buttons with the ids 0, 1, ... laid out in `columns` columns; `checked`
// is the id checked at first (-1: none). The group belongs to `owner`.
struct RadioBox {
    QGroupBox* box;
    QButtonGroup* group;
};
RadioBox radioBox(QObject* owner, const char* objectName, const QString& caption,
                  std::initializer_list<const char*> items, int columns = 1, int checked = -1);

// "," and "." typed into the field enter the locale's decimal separator, whichever of the two
// the keyboard gives.
void enterLocaleDecimalSeparator(QLineEdit* field);

// Icons for the tool buttons, drawn by the program so that no button is blank on any desktop.
// The light red ($00C0C1FE) of the corner fields once a calibration is fixed.
QString calibratedFieldStyle();

// The image cursor: the crosshair inside a circle of about the marker's size, drawn as a
// 32 x 32 cursor for marker sizes 1-6, 7-12, 13-20 and 21-30.
QCursor markerCursor(int markerSize);

enum class Glyph {
    Open,
    Copy,
    Paste,
    Calculator,
    Stop,
    Format,
    Save,
    Import,
    Clear,
    Sort,
    Delete,
    Calculate,
    Replace,
    Spreadsheet,
    DataFormat,
    Rescale,
    Print,
    Options,
    Rectangle,
    Points,
    Manual,
    Search,
    Colour,
    Rotate,
    Pencil,
    Markers,
    Fix,
    Graph
};
QIcon glyphIcon(Glyph glyph);
// A flat tool button with a glyph and a hint, named by its designer identifier.
QToolButton* glyphButton(const char* name, Glyph glyph, const QString& hint,
                         bool checkable = false);

} // namespace quorvex
