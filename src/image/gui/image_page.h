#pragma once

#include "app/gui/window_part.h"

class QAction;
class QComboBox;
class QDockWidget;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace quorvex {

class ImageView;
class Ruler;

// The picture on the digitization page: the image view in its scroll box with the rulers, the
// view scale (the measure box, "Auto-size", "Real size"), the zoom panel and the position
// read-out. Mouse events on the picture go to the session, where the tools take them.
class ImagePage : public WindowPart {
    Q_OBJECT
public:
    explicit ImagePage(const PartContext& context);

    QScrollArea* imageArea() const { return scrollArea_; }
    QWidget* zoomPanel() const { return zoomPanel_; }
    ImageView* view() const { return view_; }

    // The view settings of the INI file and digitize.cfg.
    bool rulersShown() const { return rulersFlag_; }
    void setRulersShown(bool shown);
    // The setting alone; the rulers show as it says from the next picture on.
    void rememberRulersShown(bool shown) { rulersFlag_ = shown; }
    bool zoomActive() const { return zoomActive_; }
    void setZoomActive(bool active) { zoomActive_ = active; }
    int zoomFactor() const;
    void setZoomFactor(int factor);
    void applyScale(double scale);
    void showRealSize();
    void autoSize();
    void measureSelected(int index);
    void showZoom();
    void hideZoom();
    void hideRulers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidgets();
    bool measureKeyPress(QKeyEvent* event);
    void updateRulers(int verticalWidth);
    void drawZoom(double u, double v);
    bool showMousePosition(double u, double v);
    void setImageCursor();
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    void resetForNewPicture();
    void pictureRemoved();
    ImageMouse mouse(QMouseEvent* event, bool inside) const;

    QScrollArea* scrollArea_ = nullptr;
    ImageView* view_ = nullptr;
    Ruler* horizontalRuler_ = nullptr;
    Ruler* verticalRuler_ = nullptr;
    QWidget* rulerCorner_ = nullptr;
    QWidget* zoomPanel_ = nullptr;
    QToolButton* zoomToggleButton_ = nullptr;
    QSpinBox* zoomFactorBox_ = nullptr;
    QDockWidget* zoomDock_ = nullptr;
    QLabel* zoomPicture_ = nullptr;
    QComboBox* measureBox_ = nullptr;
    QAction* realSizeAction_ = nullptr;
    QAction* autoSizeAction_ = nullptr;
    bool rulersFlag_ = true;
    bool rulersBeforeRun_ = true; // shown when a run hid them
    bool zoomActive_ = true;
    bool typedValuePending_ = false;
    bool autoScrollOnDrag_ = false;
};

} // namespace quorvex
