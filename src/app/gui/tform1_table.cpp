// The Table page and the curve controls of the main window.
#include "app/gui/tform1.h"

#include "core/numbers.h"
#include "table/table.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace quorvex {

void TForm1::ShowTable1Click() {
    GroupBox1->setVisible(true);
    PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::NextCurveClick() {
    reportingConversion([this] { table_->nextCurve(); });
}

void TForm1::PreviousCurveClick() {
    reportingConversion([this] { table_->previousCurve(); });
}

void TForm1::PrepareClearMenu() {
    ClearAll->setEnabled(table_->clearAllEnabled());
    ClearAll->setText(table_->clearAllCaption());
    Clear2->setText(table_->clearPairCaption());
}

void TForm1::ClearAllClick() {
    table_->clearAllPairs();
}

void TForm1::Clear2Click() {
    reportingConversion([this] { table_->clearCurrentPair(); });
}

// Manual input and search in area end when the curve changes.
void TForm1::releaseDigitizingTools() {
    SpeedButton112SA->setChecked(false);
    SpeedButton11SA->setChecked(false);
    mouseMode_ = 6;
}

void TForm1::setDataCommandsEnabled(bool enabled) {
    for (QWidget* w : tableDataButtons_)
        w->setEnabled(enabled);
    for (QWidget* w : grapherDataButtons_)
        w->setEnabled(enabled);
    for (QAction* a : {N49, Rescale1, TableintoExcel1, ColumninClipboard1, Calculate1, Dataformat1,
                       N1, X1, N42, Clear1, N91, MG_clear, N45})
        a->setEnabled(enabled);
    BitBtn1->setEnabled(enabled || BitBtn1->isEnabled());
    YX1->setEnabled(enabled || YX1->isEnabled());
}

} // namespace quorvex
