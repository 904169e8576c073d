// The Table page and the curve controls of the main window.
#include "app/gui/main_window.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "table/gui/calculate_dialog.h"
#include "table/gui/data_format_dialog.h"
#include "table/gui/delete_rows_dialog.h"
#include "table/gui/redigitize_dialog.h"
#include "table/gui/replace_dialog.h"
#include "table/redigitize.h"
#include "table/table.h"
#include "table/table_operations.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
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

// ---- operations on the current pair

void MainWindow::sortOnX() {
    if (longOperationRunning_) return; // one long operation at a time
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    try {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        sortPairOnX(*table_, *curve, localeDecimalSeparator(),
                    [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
}

// The dialog stays beside the window while the user works on; each opening makes a new one.
void MainWindow::showDeleteRows() {
    auto* dialog = new DeleteRowsDialog([this] { return table_->rowCountSetting(); }, this);
    connect(dialog, &DeleteRowsDialog::deleteRequested, this, [this](int from, int to) {
        if (longOperationRunning_) return; // the Table is being worked on
        if (const std::optional<int> curve = readCurve()) deleteRows(*table_, *curve, from, to);
    });
    dialog->show();
}

void MainWindow::replaceSeparator() {
    ReplaceDialog dialog(this);
    if (!runDialog(&dialog)) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    replaceInColumn(*table_, 2 * *curve - (dialog.inX() ? 1 : 0), dialog.from(), dialog.to());
}

void MainWindow::calculate() {
    if (longOperationRunning_) return; // one long operation at a time
    CalculateDialog dialog(this);
    if (!runDialog(&dialog)) return;
    const QChar separator = localeDecimalSeparator();
    try {
        if (dialog.lagrange()) {
            InterpolationOutcome outcome;
            {
                LongOperation operation(longOperationHooks(), table_->gridRowCount());
                outcome = interpolateLagrange(
                    *table_, separator, [&operation](int row) { return operation.step(row); });
            }
            if (outcome == InterpolationOutcome::NoNodes)
                prompter_->information(this, message(Msg::LagrangeNoNodes));
            if (outcome == InterpolationOutcome::NoPoints)
                prompter_->information(this, message(Msg::LagrangeNoPoints));
            return;
        }
        const std::optional<Arithmetic> operation = dialog.operation();
        if (!operation) {
            prompter_->information(this, message(Msg::CalculateNoOperation));
            return;
        }
        const std::optional<int> curve = readCurve();
        if (!curve) return;
        const double value = parseDouble(dialog.valueText(), separator);
        LongOperation progress(longOperationHooks(), table_->gridRowCount());
        calculateColumn(*table_, 2 * *curve - (dialog.onY() ? 0 : 1), value, *operation,
                        dialog.valueFirst(), separator,
                        [&progress](int row) { return progress.step(row); });
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    } catch (const ArithmeticError& error) {
        prompter_->information(this, error.message(), true);
    }
}

// Made once and kept, so that it opens again with the choices last made.
void MainWindow::showDataFormat() {
    if (!dataFormatDialog_) {
        dataFormatDialog_ = new DataFormatDialog(
            [this]() -> std::optional<std::pair<double, double>> {
                int curve = 1;
                double x = 0, y = 0;
                const QChar separator = localeDecimalSeparator();
                if (!tryParseInt(table_->curveText(), curve)) return std::nullopt;
                curve = std::clamp(curve, 1, Table::kMaxPairs);
                if (!tryParseDouble(table_->cell(2 * curve - 1, 1), separator, x) ||
                    !tryParseDouble(table_->cell(2 * curve, 1), separator, y))
                    return std::nullopt;
                return std::make_pair(x, y);
            },
            this);
        connect(dataFormatDialog_, &DataFormatDialog::applyRequested, this,
                &MainWindow::applyDataFormat);
    }
    dataFormatDialog_->show();
    dataFormatDialog_->raise();
    dataFormatDialog_->activateWindow();
}

// Apply of "Data format": the pair current at this moment, with progress and Stop. The dialog
// stays usable, but waits with Apply and Ok until the format is done.
void MainWindow::applyDataFormat() {
    if (longOperationRunning_) return; // one long operation at a time
    const std::optional<NumberStyle> style = dataFormatDialog_->style();
    if (!style) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    dataFormatDialog_->setApplying(true);
    try {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        applyNumberFormat(*table_, *curve, dataFormatDialog_->columns(), *style,
                          localeDecimalSeparator(),
                          [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
    dataFormatDialog_->setApplying(false);
}

void MainWindow::redigitize() {
    if (!redigitizeDialog_) {
        RedigitizeDialog::Context context;
        const auto curve = [this] {
            int n = 1;
            return tryParseInt(table_->curveText(), n) ? std::clamp(n, 1, Table::kMaxPairs) : 1;
        };
        context.curve = curve;
        context.readout = [this, curve](int row) {
            const int n = curve();
            return QStringLiteral("X=") + table_->cell(2 * n - 1, row) + QStringLiteral(" Y=") +
                   table_->cell(2 * n, row);
        };
        context.scales = [this] {
            return message(Msg::ScaleTypeLabel)
                .arg(xTransferBox_->currentText(), yTransferBox_->currentText());
        };
        redigitizeDialog_ = new RedigitizeDialog(context, this);
        connect(redigitizeDialog_, &RedigitizeDialog::rescaleRequested, this,
                &MainWindow::rescaleCurrentPair);
    }
    redigitizeDialog_->refresh();
    runDialog(redigitizeDialog_);
}

void MainWindow::rescaleCurrentPair() {
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    RedigitizeDialog& d = *redigitizeDialog_;
    RedigitizeRequest request;
    request.firstRow = d.firstRowBox->value();
    request.secondRow = d.secondRowBox->value();
    request.newX1 = d.newX1->text();
    request.newY1 = d.newY1->text();
    request.newX2 = d.newX2->text();
    request.newY2 = d.newY2->text();
    request.xTransfer = xTransferBox_->currentIndex();
    request.yTransfer = yTransferBox_->currentIndex();
    switch (redigitizePair(*table_, *curve, request, localeDecimalSeparator())) {
    case RedigitizeOutcome::Coincident:
        prompter_->information(&d, message(Msg::RedigitizeCoincide));
        break;
    case RedigitizeOutcome::Mistakes:
        prompter_->information(&d, message(Msg::RedigitizeMistakes));
        break;
    case RedigitizeOutcome::Done:
        break;
    }
    d.refresh();
}

} // namespace quorvex
