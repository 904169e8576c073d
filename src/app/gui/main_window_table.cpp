// The Table page and the curve controls of the main window.
#include "app/gui/main_window.h"

#include "core/numbers.h"
#include "table/table.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace quorvex {

void MainWindow::showTable() {
    tableGroup_->setVisible(true);
    pages_->setCurrentWidget(tablePage_);
}

std::optional<int> MainWindow::readCurve() {
    try {
        return table_->currentCurve();
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
        return std::nullopt;
    }
}

void MainWindow::nextCurve() {
    reportingConversion([this] { table_->nextCurve(); });
}

void MainWindow::previousCurve() {
    reportingConversion([this] { table_->previousCurve(); });
}

void MainWindow::prepareClearMenu() {
    clearAllAction_->setEnabled(table_->clearAllEnabled());
    clearAllAction_->setText(table_->clearAllCaption());
    clearPairAction_->setText(table_->clearPairCaption());
}

void MainWindow::clearAllPairs() {
    table_->clearAllPairs();
}

void MainWindow::clearCurrentPair() {
    reportingConversion([this] { table_->clearCurrentPair(); });
}

// Manual input and search in area end when the curve changes.
void MainWindow::releaseDigitizingTools() {
    manualInputTool_->setChecked(false);
    searchTool_->setChecked(false);
    mouseMode_ = MouseMode::Idle;
}

void MainWindow::enableDataCommands() {
    dataCommandsEnabled_ = true;
    updateCommandStates();
}

} // namespace quorvex
