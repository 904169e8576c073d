// The undo commands name rows by number: every operation that moves or rewrites the rows of a
// pair between a digitization and its undo must leave nothing for them to clear wrongly.
#include "grapher/gui/chart_view.h"
#include "grapher/gui/grapher_page.h"
#include "gui_fixture.h"
#include "table/gui/calculate_dialog.h"
#include "table/gui/data_format_dialog.h"
#include "table/gui/delete_rows_dialog.h"
#include "table/gui/history_commands.h"
#include "table/gui/replace_dialog.h"
#include "table/gui/table_page.h"
#include "table/table.h"
#include "tools/gui/manual_input_tool.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <functional>

using namespace quorvex;

class UndoRecordTest : public WindowFixture {
    Q_OBJECT

    // A white picture calibrated so that pixel column x is X = x and row y is Y = 100 - y; pair
    // 1 holds X = 10 ... 50 in rows 1 .. 5 (as imported), then three points clicked by hand in
    // rows 6 .. 8.
    MainWindow* windowWithManualPoints() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("white.bmp", Raster(200, 100, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        auto* image = child<QWidget>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(0, 100));
        sendMouse(image, QEvent::MouseMove, QPoint(100, 50));
        sendMouse(image, QEvent::MouseMove, QPoint(200, 0));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(200, 0));
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        const char* const values[4] = {"0", "0", "200", "100.5"}; // not the pixel numbers
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        Table* t = window->table();
        for (int row = 1; row <= 5; ++row) {
            t->setCell(1, row, QString::number(10 * row));
            t->setCell(2, row, QString::number(row));
        }
        t->tableEdited(1, 5);
        t->setNextRow(1, 6);
        prompter_->answers.push_back(Answer::No); // keep the columns
        child<QToolButton>(controls::manualInputTool)->click();
        for (int x : {25, 5, 45}) {
            sendMouse(image, QEvent::MouseButtonPress, QPoint(x, 60));
            sendMouse(image, QEvent::MouseButtonRelease, QPoint(x, 60));
        }
        child<QToolButton>(controls::manualInputTool)->click(); // up again
        return window;
    }

    QStringList pair(int curve, int rows) const {
        QStringList texts;
        for (int r = 1; r <= rows; ++r)
            texts << window_->table()->cell(2 * curve - 1, r) + ";" +
                         window_->table()->cell(2 * curve, r);
        return texts;
    }

    bool enabled(const char* action) const { return child<QAction>(action)->isEnabled(); }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    // Without anything in between, the undos take back exactly the points clicked.
    void undoWithNothingBetween() {
        windowWithManualPoints();
        QCOMPARE(pair(1, 8).mid(5), (QStringList{"25;40.2", "5;40.2", "45;40.2"}));
        QVERIFY(enabled(controls::undoLatestPoint));
        QVERIFY(enabled(controls::undoDigitization));
        // Cells written beside the history (as a test may) leave the record true.
        window_->table()->setCell(3, 1, "7");
        QVERIFY(enabled(controls::undoDigitization));
        child<QAction>(controls::undoDigitization)->trigger();
        QCOMPARE(pair(1, 8), (QStringList{"10;1", "20;2", "30;3", "40;4", "50;5", ";", ";", ";"}));
        QCOMPARE(window_->table()->nextRow(1), 6);
    }

    // Each operation that moves or rewrites rows between a digitization and its undo. One that
    // changed only the digitization's own rows is undone with it: the pair is as before the
    // clicks. Any other leaves neither undo offered, and neither clears a row when asked.
    void operationsBetweenADigitizationAndItsUndo() {
        const QStringList beforeClicks{"10;1", "20;2", "30;3", "40;4", "50;5", ";", ";", ";"};
        const struct {
            const char* name;
            std::function<void(UndoRecordTest&)> run;
            bool onlyTheDigitizationsRows = false;
        } operations[] = {
            {"sort on X",
             [](UndoRecordTest& t) { t.child<QToolButton>(controls::sortButton)->click(); }},
            {"delete rows",
             [](UndoRecordTest& t) {
                 t.child<QToolButton>(controls::deleteRowsButton)->click();
                 auto* dialog = t.window_->findChild<DeleteRowsDialog*>();
                 dialog->fromBox->setValue(2);
                 dialog->toBox->setValue(2);
                 dialog->findChild<QPushButton*>("BitBtn1")->click();
             }},
            {"chart removal",
             [](UndoRecordTest& t) {
                 t.child<QAction>(controls::showGraph)->trigger();
                 t.child<QToolButton>(controls::removePointsButton)->click();
                 // The chart's first point is X = 5, clicked into row 7.
                 t.window_->part<GrapherPage>()->chartPointClicked(0, QPoint());
             },
             true},
            {"chart move",
             [](UndoRecordTest& t) {
                 t.child<QAction>(controls::showGraph)->trigger();
                 t.child<QToolButton>(controls::movePointsButton)->click();
                 auto* chart = t.child<ChartView>(controls::chart);
                 const QPoint at =
                     chart->layout().mapping().toPixel(25, 40.2).toPoint(); // a clicked point
                 sendMouse(chart, QEvent::MouseButtonPress, at);
                 sendMouse(chart, QEvent::MouseMove, at + QPoint(20, 20));
                 sendMouse(chart, QEvent::MouseButtonRelease, at + QPoint(20, 20));
             },
             true},
            {"import",
             [](UndoRecordTest& t) {
                 const QString file = t.files_.filePath("two.txt");
                 QFile f(file);
                 f.open(QIODevice::WriteOnly);
                 f.write("1\t2\r\n3\t4\r\n");
                 f.close();
                 t.prompter_->openChoices.push_back(Prompter::OpenChoice{file, 0, false});
                 t.child<QAction>(controls::openDataFile)->trigger();
             }},
            {"data format",
             [](UndoRecordTest& t) {
                 t.child<QToolButton>(controls::dataFormatButton)->click();
                 auto* dialog = t.window_->findChild<DataFormatDialog*>();
                 dialog->formatGroup->button(2)->click(); // Fixed
                 dialog->applyButton->click();
             }},
            {"calculate",
             [](UndoRecordTest& t) {
                 t.prompter_->dialogs.push_back([](QDialog* d) {
                     auto* dialog = static_cast<CalculateDialog*>(d);
                     dialog->operationGroup->button(2)->setChecked(true); // add
                     dialog->valueField->setText("1");
                     return true;
                 });
                 t.child<QToolButton>(controls::calculateButton)->click();
             }},
            {"replace",
             [](UndoRecordTest& t) {
                 t.prompter_->dialogs.push_back([](QDialog* d) {
                     auto* dialog = static_cast<ReplaceDialog*>(d);
                     dialog->fromBox->setCurrentIndex(1);   // "."
                     dialog->toBox->setCurrentIndex(1);     // ","
                     dialog->columnBox->setCurrentIndex(1); // Y: only the clicked rows have "."
                     return true;
                 });
                 t.child<QToolButton>(controls::replaceButton)->click();
             },
             true},
            {"cell edit",
             [](UndoRecordTest& t) {
                 QAbstractItemModel* model = t.child<QTableView>(controls::tableView)->model();
                 model->setData(model->index(7, 1), "99"); // Y of row 8, a clicked point
             },
             true},
            {"cell edit of an imported row",
             [](UndoRecordTest& t) {
                 QAbstractItemModel* model = t.child<QTableView>(controls::tableView)->model();
                 model->setData(model->index(2, 1), "99");
             }},
            {"cell edit of another pair",
             [](UndoRecordTest& t) {
                 t.child<QSpinBox>(controls::pairCount)->setValue(2);
                 QAbstractItemModel* model = t.child<QTableView>(controls::tableView)->model();
                 QVERIFY(model->setData(model->index(6, 2), "99"));
             }},
            {"clear pair",
             [](UndoRecordTest& t) { t.window_->part<TablePage>()->clearCurrentPair(); }},
        };
        for (const auto& operation : operations) {
            windowWithManualPoints();
            operation.run(*this);
            QVERIFY2(!enabled(controls::undoLatestPoint), operation.name);
            if (operation.onlyTheDigitizationsRows) {
                QVERIFY2(enabled(controls::undoDigitization), operation.name);
                window_->part<ManualInputTool>()->undoDigitization();
                QVERIFY2(pair(1, 8) == beforeClicks, operation.name);
                QCOMPARE(window_->table()->nextRow(1), 6);
                tearDownTest();
                setUpTest();
                continue;
            }
            QVERIFY2(!enabled(controls::undoDigitization), operation.name);
            QVERIFY2(!enabled(controls::undoLatestPoint), operation.name);
            const QStringList after = pair(1, 40);
            window_->part<ManualInputTool>()->undoDigitization();
            window_->part<ManualInputTool>()->undoLatestPoint();
            QVERIFY2(pair(1, 40) == after, operation.name);
            tearDownTest();
            setUpTest();
        }
    }

    // The Edit menu steps through the history by its keys and names what it would undo.
    void historyThroughTheEditMenu() {
        windowWithManualPoints();
        Table* t = window_->table();
        const QStringList clicked = pair(1, 8);
        auto* undo = child<QAction>(controls::historyUndo);
        auto* redo = child<QAction>(controls::historyRedo);
        QCOMPARE(undo->text(), QStringLiteral("Undo Point of curve 1"));
        QVERIFY(!redo->isEnabled());
        child<QToolButton>(controls::sortButton)->click();
        QCOMPARE(undo->text(), QStringLiteral("Undo Sort curve 1 on X"));
        const QStringList sorted = pair(1, 8);
        QVERIFY(sorted != clicked);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pair(1, 8), clicked);
        QCOMPARE(redo->text(), QStringLiteral("Redo Sort curve 1 on X"));
        QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pair(1, 8), sorted);
        // Back to before the clicks: the three points go, one command each.
        for (int i = 0; i < 4; ++i)
            undo->trigger();
        QCOMPARE(pair(1, 8), (QStringList{"10;1", "20;2", "30;3", "40;4", "50;5", ";", ";", ";"}));
        QCOMPARE(t->nextRow(1), 6);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        // Nothing is undone while a long operation runs.
        redo->trigger();
        {
            LongOperation operation(window_->session().longOperationHooks(), 10);
            QVERIFY(!undo->isEnabled() && !redo->isEnabled());
            window_->part<HistoryCommands>()->undo();
            QCOMPARE(pair(1, 6).last(), QStringLiteral("25;40.2"));
        }
        QVERIFY(undo->isEnabled());
        // A new picture starts without history.
        window_->openImageFile(writeRaster("new.bmp", Raster(50, 50, PixelFormat::Bit24)),
                               ImageReader::BuiltIn);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }
};

int runUndoRecordTest(int argc, char** argv) {
    UndoRecordTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "undo_record_test.moc"
