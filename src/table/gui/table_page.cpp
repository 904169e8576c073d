#include "table/gui/table_page.h"

#include "components/widgets.h"
#include "core/messages.h"
#include "table/gui/calculate_dialog.h"
#include "table/gui/data_format_dialog.h"
#include "table/gui/delete_rows_dialog.h"
#include "table/gui/redigitize_dialog.h"
#include "table/gui/replace_dialog.h"
#include "table/gui/table_grid_model.h"
#include "table/redigitize.h"
#include "table/table.h"
#include "table/table_history.h"
#include "table/table_operations.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

TablePage::TablePage(const PartContext& context) : WindowPart(context) {
    createWidgets();
    CommandRegistry& c = commands();
    Table* t = &table();
    QAction* showTableItem = c.addAction("ShowTable1", QStringLiteral("Show Table"));
    QAction* clearAllColumns = c.addAction("Clear1", QStringLiteral("Clear all columns"));
    clearAllColumns->setEnabled(false);
    c.addRule(clearAllColumns, CommandNeeds::Data);
    // The operations on the Table, from the Table menu and the Table page's buttons.
    const struct {
        const char* action;
        const char* caption;
        const char* button;
        Glyph glyph;
        const char* hint;
        void (TablePage::*command)();
    } operations[] = {
        {"Rescale1", "Re-digitize data XY...", "Resc", Glyph::Rescale, "Re-digitize data in XY...",
         &TablePage::redigitize},
        {"Calculate1", "Calculate...", "SpeedButton1", Glyph::Calculate, "Calculate...",
         &TablePage::calculate},
        {"Dataformat1", "Data format...", "RxSpeedButton4", Glyph::DataFormat, "Data format...",
         &TablePage::showDataFormat},
        {"N1", "Replace...", "Repl", Glyph::Replace, "Replace...", &TablePage::replaceSeparator},
        {"X1", "Sorting on X", "SpeedButton12Sort", Glyph::Sort, "Sorting on X",
         &TablePage::sortOnX},
        {"N42", "Delete rows...", "SpeedButton13", Glyph::Delete, "Delete Rows...",
         &TablePage::showDeleteRows},
    };
    for (const auto& o : operations) {
        QAction* a = c.addAction(o.action, QString::fromLatin1(o.caption));
        QToolButton* b = glyphButton(o.button, o.glyph, QString::fromLatin1(o.hint));
        c.addWidget(o.button, b);
        a->setEnabled(false);
        c.addRule(a, CommandNeeds::Data);
        c.addRule(b, CommandNeeds::Data);
        connect(a, &QAction::triggered, this, o.command);
        connect(b, &QToolButton::clicked, this, o.command);
    }
    clearTableButton_ = glyphButton("ClTabl", Glyph::Clear, QStringLiteral("Clear"));
    clearTableButton_->setPopupMode(QToolButton::InstantPopup);
    c.addWidget("ClTabl", clearTableButton_);
    c.addRule(clearTableButton_, CommandNeeds::Data);
    clearMenu_ = new QMenu(window());
    clearMenu_->setObjectName(QStringLiteral("PopupMenuTable"));
    clearAllAction_ = clearMenu_->addAction(QStringLiteral("Clear all columns"));
    clearAllAction_->setObjectName(QStringLiteral("ClearAll"));
    clearPairAction_ = clearMenu_->addAction(QStringLiteral("Clear columns XN,YN only"));
    clearPairAction_->setObjectName(QStringLiteral("Clear2"));
    clearTableButton_->setMenu(clearMenu_);
    for (QWidget* w : std::initializer_list<QWidget*>{pairCountBox_, rowCountBox_, curveLabel_,
                                                      curveField_, curveSpinButton_})
        c.addWidget(w->objectName().toLatin1().constData(), w);
    c.addToolBar("ToolBar3", toolBar_);

    connect(showTableItem, &QAction::triggered, this, &TablePage::showTable);
    connect(curveSpinButton_, &SpinButton::upClicked, this, &TablePage::nextCurve);
    connect(curveSpinButton_, &SpinButton::downClicked, this, &TablePage::previousCurve);
    connect(clearMenu_, &QMenu::aboutToShow, this, &TablePage::prepareClearMenu);
    connect(clearAllAction_, &QAction::triggered, this, &TablePage::clearAllPairs);
    connect(clearAllColumns, &QAction::triggered, this, &TablePage::clearAllPairs);
    connect(clearPairAction_, &QAction::triggered, this, &TablePage::clearCurrentPair);
    // The Table's controls and the Table follow each other.
    connect(pairCountBox_, qOverload<int>(&QSpinBox::valueChanged), t, &Table::setPairCount);
    connect(t, &Table::pairCountChanged, pairCountBox_, &QSpinBox::setValue);
    connect(rowCountBox_, qOverload<int>(&QSpinBox::valueChanged), t, &Table::setRowCount);
    connect(t, &Table::rowCountChanged, rowCountBox_, &QSpinBox::setValue);
    connect(curveField_, &QLineEdit::textChanged, t, &Table::setCurveText);
    connect(t, &Table::curveTextChanged, this, [this](const QString& text) {
        if (curveField_->text() != text) curveField_->setText(text);
        curveLabel_->setText(table().curveLabel());
    });
    // Reported once the grid has finished the edit.
    connect(
        tableModel_, &TableGridModel::failed, this,
        [this](const QString& text) { inform(text, true); }, Qt::QueuedConnection);
    connect(&session(), &DigitizingSession::lockChanged, this, [this](bool locked) {
        curveField_->setEnabled(!locked);
        curveSpinButton_->setEnabled(!locked);
        lockDialogs(locked);
    });
    c.addCommand(QStringLiteral("table.sortOnX"), [this] { sortOnX(); });
    c.addCommand(QStringLiteral("table.show"), [this] { showTable(); });
}

void TablePage::createWidgets() {
    page_ = new QWidget;
    auto* pageLayout = new QVBoxLayout(page_);
    tableGroup_ =
        named(new QGroupBox(QStringLiteral("Drag-and-dock with mouse here")), "GroupBox1");
    auto* boxLayout = new QVBoxLayout(tableGroup_);
    toolBar_ = new QToolBar;
    pairCountBox_ = named(new QSpinBox, "Rows");
    pairCountBox_->setRange(1, Table::kMaxPairs);
    pairCountBox_->setToolTip(QStringLiteral("Count of X-Y columns"));
    rowCountBox_ = named(new QSpinBox, "SpinEdit1");
    rowCountBox_->setRange(1, Table::kMaxRows);
    rowCountBox_->setValue(Table::kStartRows);
    rowCountBox_->setToolTip(QStringLiteral("Row count"));
    curveLabel_ = named(new QLabel(QStringLiteral("No1")), "Label4");
    curveSpinButton_ = named(new SpinButton, "RxSpinButton1");
    curveSpinButton_->setToolTip(QStringLiteral("Sets Table columns"));
    curveField_ = named(new QLineEdit(QStringLiteral("1")), "N_curve");
    curveField_->setToolTip(QStringLiteral("Curve's number: sets Table columns"));
    curveField_->setFixedWidth(36);

    tableView_ = named(new QTableView, "Tabl");
    tableModel_ = new TableGridModel(&table(), &history(), this);
    tableView_->setModel(tableModel_);
    tableView_->verticalHeader()->setDefaultSectionSize(24);
    tableView_->verticalHeader()->setFixedWidth(42);
    tableView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableView_->horizontalHeader()->setDefaultSectionSize(48);
    tableView_->setColumnWidth(0, 166);
    tableView_->setColumnWidth(1, 182);
    tableView_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    tableView_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    boxLayout->addWidget(toolBar_);
    boxLayout->addWidget(tableView_);
    pageLayout->addWidget(tableGroup_);
}

void TablePage::showTable() {
    tableGroup_->setVisible(true);
    session().showPage(WindowPage::Table);
}

void TablePage::nextCurve() {
    reportingConversion([this] { table().nextCurve(); });
}

void TablePage::previousCurve() {
    reportingConversion([this] { table().previousCurve(); });
}

void TablePage::prepareClearMenu() {
    clearAllAction_->setEnabled(table().clearAllEnabled());
    clearAllAction_->setText(table().clearAllCaption());
    clearPairAction_->setText(table().clearPairCaption());
}

void TablePage::clearAllPairs() {
    TableChangeScope change(history(), message(Msg::ChangeClearAll));
    table().clearAllPairs();
}

void TablePage::clearCurrentPair() {
    WindowPart::clearCurrentPair();
}

// The dialogs beside the window act on the Table: they wait while a long operation runs.
void TablePage::lockDialogs(bool locked) {
    if (dataFormatDialog_) dataFormatDialog_->setEnabled(!locked);
    for (DeleteRowsDialog* dialog : window()->findChildren<DeleteRowsDialog*>())
        dialog->setEnabled(!locked);
}

// ---- operations on the current pair

namespace {
QString columnName(int curve, bool x) {
    return (x ? QStringLiteral("X") : QStringLiteral("Y")) + QString::number(curve);
}
} // namespace

void TablePage::sortOnX() {
    if (session().longOperationRunning()) return; // one long operation at a time
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    try {
        LongOperation operation(session().longOperationHooks(), table().gridRowCount());
        TableChangeScope change(history(), message(Msg::ChangeSort).arg(*curve));
        sortPairOnX(table(), *curve, localeDecimalSeparator(),
                    [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        inform(error.message(), true);
    }
}

// The dialog stays beside the window while the user works on; each opening makes a new one.
void TablePage::showDeleteRows() {
    auto* dialog = new DeleteRowsDialog([this] { return table().rowCountSetting(); }, window());
    connect(dialog, &DeleteRowsDialog::deleteRequested, this, [this](int from, int to) {
        if (session().longOperationRunning()) return; // the Table is being worked on
        if (const std::optional<int> curve = readCurve()) {
            TableChangeScope change(history(), message(Msg::ChangeDeleteRows).arg(from).arg(to));
            deleteRows(table(), *curve, from, to);
        }
    });
    dialog->show();
}

void TablePage::replaceSeparator() {
    ReplaceDialog dialog(window());
    if (!runDialog(&dialog)) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    TableChangeScope change(history(),
                            message(Msg::ChangeReplace).arg(columnName(*curve, dialog.inX())));
    replaceInColumn(table(), 2 * *curve - (dialog.inX() ? 1 : 0), dialog.from(), dialog.to());
}

void TablePage::calculate() {
    if (session().longOperationRunning()) return; // one long operation at a time
    CalculateDialog dialog(window());
    if (!runDialog(&dialog)) return;
    const QChar separator = localeDecimalSeparator();
    try {
        if (dialog.lagrange()) {
            InterpolationOutcome outcome;
            {
                LongOperation operation(session().longOperationHooks(), table().gridRowCount());
                TableChangeScope change(history(), message(Msg::ChangeLagrange));
                outcome = interpolateLagrange(
                    table(), separator, [&operation](int row) { return operation.step(row); });
            }
            if (outcome == InterpolationOutcome::NoNodes) inform(message(Msg::LagrangeNoNodes));
            if (outcome == InterpolationOutcome::NoPoints) inform(message(Msg::LagrangeNoPoints));
            return;
        }
        const std::optional<Arithmetic> operation = dialog.operation();
        if (!operation) {
            inform(message(Msg::CalculateNoOperation));
            return;
        }
        const std::optional<int> curve = readCurve();
        if (!curve) return;
        const double value = parseDouble(dialog.valueText(), separator);
        LongOperation progress(session().longOperationHooks(), table().gridRowCount());
        TableChangeScope change(
            history(), message(Msg::ChangeCalculate).arg(columnName(*curve, !dialog.onY())));
        calculateColumn(table(), 2 * *curve - (dialog.onY() ? 0 : 1), value, *operation,
                        dialog.valueFirst(), separator,
                        [&progress](int row) { return progress.step(row); });
    } catch (const ConversionError& error) {
        inform(error.message(), true);
    } catch (const ArithmeticError& error) {
        inform(error.message(), true);
    }
}

// Made once and kept, so that it opens again with the choices last made.
void TablePage::showDataFormat() {
    if (!dataFormatDialog_) {
        dataFormatDialog_ = new DataFormatDialog(
            [this]() -> std::optional<std::pair<double, double>> {
                int curve = 1;
                double x = 0, y = 0;
                const QChar separator = localeDecimalSeparator();
                if (!tryParseInt(table().curveText(), curve)) return std::nullopt;
                curve = std::clamp(curve, 1, Table::kMaxPairs);
                if (!tryParseDouble(table().cell(2 * curve - 1, 1), separator, x) ||
                    !tryParseDouble(table().cell(2 * curve, 1), separator, y))
                    return std::nullopt;
                return std::make_pair(x, y);
            },
            window());
        connect(dataFormatDialog_, &DataFormatDialog::applyRequested, this,
                &TablePage::applyDataFormat);
    }
    dataFormatDialog_->show();
    dataFormatDialog_->raise();
    dataFormatDialog_->activateWindow();
}

// The dialog stays usable, but waits with Apply and Ok until the format is done.
void TablePage::applyDataFormat() {
    if (session().longOperationRunning()) return; // one long operation at a time
    if (!dataFormatDialog_) return;
    const std::optional<NumberStyle> style = dataFormatDialog_->style();
    if (!style) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    dataFormatDialog_->setApplying(true);
    try {
        LongOperation operation(session().longOperationHooks(), table().gridRowCount());
        TableChangeScope change(history(), message(Msg::ChangeDataFormat).arg(*curve));
        applyNumberFormat(table(), *curve, dataFormatDialog_->columns(), *style,
                          localeDecimalSeparator(),
                          [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        inform(error.message(), true);
    }
    dataFormatDialog_->setApplying(false);
}

void TablePage::redigitize() {
    if (!redigitizeDialog_) {
        RedigitizeDialog::Context context;
        const auto curve = [this] {
            int n = 1;
            return tryParseInt(table().curveText(), n) ? std::clamp(n, 1, Table::kMaxPairs) : 1;
        };
        context.curve = curve;
        context.readout = [this, curve](int row) {
            const int n = curve();
            return QStringLiteral("X=") + table().cell(2 * n - 1, row) + QStringLiteral(" Y=") +
                   table().cell(2 * n, row);
        };
        context.scales = [this] {
            return message(Msg::ScaleTypeLabel)
                .arg(transferName(true, session().xTransfer()),
                     transferName(false, session().yTransfer()));
        };
        redigitizeDialog_ = new RedigitizeDialog(context, window());
        connect(redigitizeDialog_, &RedigitizeDialog::rescaleRequested, this,
                &TablePage::rescaleCurrentPair);
    }
    redigitizeDialog_->refresh();
    runDialog(redigitizeDialog_);
}

void TablePage::rescaleCurrentPair() {
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
    request.xTransfer = session().xTransfer();
    request.yTransfer = session().yTransfer();
    RedigitizeOutcome outcome;
    {
        TableChangeScope change(history(), message(Msg::ChangeRedigitize).arg(*curve));
        outcome = redigitizePair(table(), *curve, request, localeDecimalSeparator());
    }
    switch (outcome) {
    case RedigitizeOutcome::Coincident:
        prompter().information(&d, message(Msg::RedigitizeCoincide));
        break;
    case RedigitizeOutcome::Mistakes:
        prompter().information(&d, message(Msg::RedigitizeMistakes));
        break;
    case RedigitizeOutcome::Done:
        break;
    }
    d.refresh();
}

} // namespace quorvex
