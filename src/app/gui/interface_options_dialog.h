#pragma once

#include "core/messages.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

namespace quorvex {

// What the "Interface options" dialog shows and sets.
struct InterfaceState {
    Language language = Language::English;
    bool showStartupHint = true;
    bool hintsTenSeconds = true;
    QString hintsCaption = QStringLiteral("Show hints during to 10s");
    int statusBarHeight = 22;
    double widthFactor = 1.0;
    bool autoResizePanels = true;
    bool rulersShown = true;
    bool hairLines = true;
};

// The main window's side: controls that act at once, "Apply", "OK" and "Reset all".
struct InterfaceActions {
    std::function<void(bool)> showRulers;
    std::function<void(bool)> hairLines;
    std::function<void(bool)> startupHint;
    std::function<void(const InterfaceState&)>
        apply;                           // panels, status bar, hints, language, flags, INI keys
    std::function<void()> writeSettings; // the settings writer ("OK")
    std::function<void()> loadDefaults;  // "Load default options" ("Reset all")
    std::function<void(bool)> autoResizeOnClose; // "Atomatic resize a width of panels" on closing
};

// "Interface options": a tree of topics beside pages without tabs.
class InterfaceOptionsDialog : public QDialog {
    Q_OBJECT
public:
    InterfaceOptionsDialog(const InterfaceState& state, InterfaceActions actions,
                           QWidget* parent = nullptr);

    InterfaceState state() const;
    void selectNode(const QString& path); // "Help/Status Bar", "Image/Rulers", ...

    QTreeWidget* topicTree;
    QStackedWidget* pages;
    QButtonGroup* languageGroup;
    QCheckBox* startupHintBox;
    QCheckBox* longHintsBox;
    QGroupBox* statusBarGroup;
    QSpinBox* statusBarHeightBox;
    QLabel* widthFactorLabel;
    QDoubleSpinBox* widthFactorBox;
    QCheckBox* autoResizeBox;
    QLabel* imageText;
    QCheckBox* rulersBox;
    QCheckBox* hairLinesBox;
    QPushButton* applyButton;

public slots:
    void applyChanges();
    void acceptChanges();
    void resetAll();

protected:
    void done(int result) override;

private:
    void showNode();
    InterfaceActions actions_;
};

} // namespace quorvex
