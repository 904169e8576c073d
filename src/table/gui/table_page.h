#pragma once

#include "app/gui/window_part.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTableView;
class QToolBar;
class QToolButton;

namespace quorvex {

class DataFormatDialog;
class RedigitizeDialog;
class SpinButton;
class TableGridModel;

// The Table page: the grid of column pairs with its pair and row counts, the current curve
// (its field and step button sit in the main tool bar), and the operations on the current pair
// (sort, delete rows, replace, calculate, data format, re-digitize, clear). "Delete Rows" and
// "Data format" stay beside the window and wait while a long operation runs.
class TablePage : public WindowPart {
    Q_OBJECT
public:
    explicit TablePage(const PartContext& context);

    QWidget* page() const { return page_; }
    QToolBar* toolBar() const { return toolBar_; }
    DataFormatDialog* dataFormatDialog() const { return dataFormatDialog_; }

    void showTable();
    void nextCurve();
    void previousCurve();
    void clearAllPairs();
    void clearCurrentPair();
    void sortOnX();
    void showDeleteRows();
    void replaceSeparator();
    void calculate();
    void showDataFormat();
    // Apply of "Data format": the pair current at this moment, with progress and Stop.
    void applyDataFormat();
    void redigitize();

private:
    void createWidgets();
    void prepareClearMenu();
    void rescaleCurrentPair();
    void lockDialogs(bool locked);

    QWidget* page_ = nullptr;
    QWidget* tableGroup_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QTableView* tableView_ = nullptr;
    TableGridModel* tableModel_ = nullptr;
    QSpinBox* pairCountBox_ = nullptr;
    QSpinBox* rowCountBox_ = nullptr;
    QLabel* curveLabel_ = nullptr;
    QLineEdit* curveField_ = nullptr;
    SpinButton* curveSpinButton_ = nullptr;
    QToolButton* clearTableButton_ = nullptr;
    QMenu* clearMenu_ = nullptr;
    QAction* clearAllAction_ = nullptr;
    QAction* clearPairAction_ = nullptr;
    DataFormatDialog* dataFormatDialog_ = nullptr;
    RedigitizeDialog* redigitizeDialog_ = nullptr;
};

} // namespace quorvex
