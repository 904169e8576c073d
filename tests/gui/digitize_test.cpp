// Digitizing a real chart by hand, end to end: calibration by mouse, typed corner values,
// manual input with self-correction, undo, and the Table saved and loaded as text.
#include "charts.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "exchange/gui/data_file_options_dialog.h"
#include "gui_fixture.h"
#include "table/table.h"
#include "tools/gui/fix_coordinates_dialog.h"
#include "tools/gui/manual_input_tool.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>
#include <optional>

using namespace quorvex;

namespace {

// The corpus chart's calibration: two pixel corners with the values at their centres.
struct ChartTruth {
    QPoint leftBottom, rightTop;
    double xLeftBottom, yLeftBottom, xRightTop, yRightTop;
    double xAt(double px) const {
        return xLeftBottom +
               (px - leftBottom.x()) * (xRightTop - xLeftBottom) / (rightTop.x() - leftBottom.x());
    }
    double yAt(double row) const {
        return yLeftBottom +
               (leftBottom.y() - row) * (yRightTop - yLeftBottom) / (leftBottom.y() - rightTop.y());
    }
    double rowOf(double y) const {
        return leftBottom.y() -
               (y - yLeftBottom) * (leftBottom.y() - rightTop.y()) / (yRightTop - yLeftBottom);
    }
    double pixelWidthX() const { return std::abs(xAt(1) - xAt(0)); }
    double pixelHeightY() const { return std::abs(yAt(1) - yAt(0)); }
};

// The calibration of a chart's sidecar; nothing when the file cannot be read.
std::optional<ChartTruth> readTruth(const QString& json) {
    QFile f(json);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject c = QJsonDocument::fromJson(f.readAll()).object()["calibration"].toObject();
    ChartTruth t;
    t.leftBottom = QPoint(c["pixel_left_bottom"].toArray()[0].toInt(),
                          c["pixel_left_bottom"].toArray()[1].toInt());
    t.rightTop = QPoint(c["pixel_right_top"].toArray()[0].toInt(),
                        c["pixel_right_top"].toArray()[1].toInt());
    t.xLeftBottom = c["x_left_bottom"].toDouble();
    t.yLeftBottom = c["y_left_bottom"].toDouble();
    t.xRightTop = c["x_right_top"].toDouble();
    t.yRightTop = c["y_right_top"].toDouble();
    return t;
}

} // namespace

class DigitizeTest : public WindowFixture {
    Q_OBJECT

    // Opens the sine chart at a view scale and calibrates it by a mouse drag; nothing (and a
    // failed test) when the chart is missing or the scale did not apply.
    std::optional<ChartTruth> prepareSine(double scale, int measureItem) {
        const QString png = chartFile("lin_sine.png");
        const auto truth = readTruth(chartFile("lin_sine.json"));
        if (!QFileInfo::exists(png) || !truth) {
            QTest::qFail("missing test chart lin_sine", __FILE__, __LINE__);
            return std::nullopt;
        }
        MainWindow* window = createWindow();
        window->openImageFile(png, ImageReader::BuiltIn);
        if (measureItem >= 0) emit child<QComboBox>(controls::measureBox)->activated(measureItem);
        if (window->viewScale() != scale) {
            QTest::qFail("the view scale was not applied", __FILE__, __LINE__);
            return std::nullopt;
        }
        auto* image = child<ImageView>(controls::imageView);

        child<QToolButton>(controls::rectangleTool)->click();
        const QPoint from(qRound(truth->leftBottom.x() * scale),
                          qRound(truth->leftBottom.y() * scale));
        const QPoint to(qRound(truth->rightTop.x() * scale), qRound(truth->rightTop.y() * scale));
        sendMouse(image, QEvent::MouseButtonPress, from);
        sendMouse(image, QEvent::MouseMove, (from + to) / 2);
        sendMouse(image, QEvent::MouseMove, to);
        sendMouse(image, QEvent::MouseButtonRelease, to);
        return truth;
    }

    // Types the graph values of the corners that the drag selected.
    void typeCornerValues(const ChartTruth& truth) {
        const Calibration c = window_->calibration();
        const double values[4] = {truth.xAt(c.pixelLeftBottom.x()),
                                  truth.yAt(c.pixelLeftBottom.y()), truth.xAt(c.pixelRightTop.x()),
                                  truth.yAt(c.pixelRightTop.y())};
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        for (int i = 0; i < 4; ++i) {
            auto* field = child<QLineEdit>(fields[i]);
            field->selectAll();
            QTest::keyClicks(field, QString::number(values[i], 'g', 17));
        }
    }

    void startManualInput() {
        prompter_->colours.push_back(QColor(255, 0, 0));
        child<QAction>(controls::curveColour)->trigger(); // the curve colour: the chart's red
        prompter_->answers.push_back(Answer::Yes);        // clear X1, Y1
        child<QToolButton>(controls::manualInputTool)->click();
        QCOMPARE(prompter_->questions.last(), QString("Clear the columns X1,Y1 of Table?"));
        QCOMPARE(window_->mouseMode(), MouseMode::ManualInput);
    }

    void digitizeSineAt(double scale, int measureItem) {
        const auto prepared = prepareSine(scale, measureItem);
        QVERIFY(prepared);
        const ChartTruth& truth = *prepared;
        typeCornerValues(truth);
        startManualInput();
        const Raster before = shownRaster(window_->document());
        const Raster picture = window_->document().raster;
        auto* image = child<ImageView>(controls::imageView);
        const int columns[] = {150, 260, 370, 480, 590, 700};
        for (int px : columns) {
            // A click a few rows off the curve: self-correction brings it onto the line.
            const double row = truth.rowOf(std::sin(truth.xAt(px))) + 4;
            const QPoint at(qRound(px * scale), qRound(row * scale));
            sendMouse(image, QEvent::MouseButtonPress, at);
            sendMouse(image, QEvent::MouseButtonRelease, at);
        }
        Table* t = window_->table();
        QCOMPARE(t->nextRow(1), 7);
        for (int i = 0; i < 6; ++i) {
            bool okX = false, okY = false;
            const double x = t->cell(1, i + 1).toDouble(&okX), y = t->cell(2, i + 1).toDouble(&okY);
            QVERIFY2(okX && okY, qPrintable(t->cell(1, i + 1) + " " + t->cell(2, i + 1)));
            QVERIFY2(std::abs(x - truth.xAt(columns[i])) <= truth.pixelWidthX() / scale + 1e-9,
                     qPrintable(QString::number(x)));
            QVERIFY2(
                std::abs(y - std::sin(x)) <= truth.pixelHeightY(),
                qPrintable(QString("row %1: y %2, sin %3").arg(i + 1).arg(y).arg(std::sin(x))));
        }
        QCOMPARE(window_->markerList().count(), 6);
        // The markers are shown over the picture, whose own pixels stay as they were.
        QVERIFY(!(shownRaster(window_->document()) == before));
        QVERIFY(window_->document().raster == picture);

        // Undo the latest point: its cells empty, its marker gone.
        child<QAction>(controls::undoLatestPoint)->trigger();
        QVERIFY(t->isEmpty(1, 6));
        QVERIFY(t->isEmpty(2, 6));
        QCOMPARE(t->nextRow(1), 6);
        QVERIFY(!child<QAction>(controls::undoLatestPoint)->isEnabled());
        // Drawn twice, the marker restores every pixel but its centre, which the first drawing set
        // to the marker colour and the second inverted (white on this red curve).
        int changed = 0;
        const Raster afterPoint = shownRaster(window_->document());
        for (int y = 0; y < before.height(); ++y)
            for (int x = columns[5] - 6; x <= columns[5] + 6; ++x)
                changed += afterPoint.pixel(x, y) != before.pixel(x, y);
        QVERIFY(changed <= 1);

        // Undo the digitization: the other rows empty, each marker leaves only its centre pixel.
        QVERIFY(child<QAction>(controls::undoDigitization)->isEnabled());
        child<QAction>(controls::undoDigitization)->trigger();
        for (int row = 1; row <= 5; ++row)
            QVERIFY(t->isEmpty(1, row));
        QCOMPARE(t->nextRow(1), 1);
        QCOMPARE(window_->mouseMode(), MouseMode::Idle);
        QVERIFY(!child<QToolButton>(controls::manualInputTool)->isChecked());
        // What is left of the markers: at most their centre pixels.
        int differing = 0;
        const Raster afterUndo = shownRaster(window_->document());
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                differing += afterUndo.pixel(x, y) != before.pixel(x, y);
        QVERIFY2(differing <= 6, qPrintable(QString::number(differing)));
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void digitizesTheSineAtRealSize() { digitizeSineAt(1.0, -1); }
    void digitizesTheSineAtHalfSize() { digitizeSineAt(0.5, 3); }
    void digitizesTheSineAtDoubleSize() { digitizeSineAt(2.0, 6); }

    void calibrationFieldsAfterADrag() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("c.bmp", Raster(400, 300, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        // From right-bottom... no: from (210, 50) to (10, 250), the opposite of the usual drag.
        sendMouse(image, QEvent::MouseButtonPress, QPoint(210, 50));
        sendMouse(image, QEvent::MouseMove, QPoint(10, 250));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(10, 250));
        QCOMPARE(child<QLineEdit>(controls::xLeftBottom)->text(), QString("10"));
        QCOMPARE(child<QLineEdit>(controls::xRightTop)->text(), QString("210"));
        QCOMPARE(child<QLineEdit>(controls::yLeftBottom)->text(), QString("50"));
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), QString("250"));
        QCOMPARE(window->mouseMode(), MouseMode::Idle);
        QVERIFY(!child<QToolButton>(controls::rectangleTool)->isChecked());
        // Manual input now asks whether to digitize in pixels; No keeps the button up.
        prompter_->answers.push_back(Answer::No);
        child<QToolButton>(controls::manualInputTool)->click();
        QVERIFY(prompter_->questions.last().startsWith("In order to get a data"));
        QVERIFY(!child<QToolButton>(controls::manualInputTool)->isChecked());

        // A click without a drag leaves everything as it was; a release outside is clamped.
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(100, 100));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(100, 100));
        QCOMPARE(child<QLineEdit>(controls::xLeftBottom)->text(), QString("10"));
        QCOMPARE(window->mouseMode(), MouseMode::Idle);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(100, 100));
        sendMouse(image, QEvent::MouseMove, QPoint(200, 200));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(900, -40));
        QCOMPARE(child<QLineEdit>(controls::xRightTop)->text(), QString("400"));
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), QString("300"));
        // The read-out: pixel and graph values under the mouse; the zoom panel follows.
        sendMouse(image, QEvent::MouseMove, QPoint(250, 150));
        QVERIFY(!child<QLabel>(controls::zoomPicture)->pixmap().isNull());
        QCOMPARE(child<QLabel>(controls::zoomPicture)->pixmap().size(), QSize(174, 174));
        auto* dock = child<QDockWidget>(controls::zoomDock);
        dock->setFloating(true);
        QCOMPARE(window->statusText(4), QString("Draging of Zoom panel"));
        dock->setFloating(false);
        QCOMPARE(window->statusText(1), QString("x,y= (250, 150)"));
        QCOMPARE(window->statusText(2), QString("X=250"));
        child<QLineEdit>(controls::xLeftBottom)->setText("abc");
        sendMouse(image, QEvent::MouseMove, QPoint(251, 150));
        QCOMPARE(window->statusText(4), QString("Wow!!! EConvertError!"));
        QCOMPARE(window->statusText(2), QString("X=250")); // panels keep their texts
    }

    void fixCoordinatesDialog() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("f.bmp", Raster(300, 200, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<FixCoordinatesDialog*>(d);
            if (dialog->rightTopXBox->value() != 300 || dialog->leftBottomYBox->value() != 0)
                return false;
            dialog->leftBottomXBox->setValue(20);
            dialog->leftBottomYBox->setValue(30);
            dialog->rightTopXBox->setValue(220);
            dialog->rightTopYBox->setValue(180);
            dialog->graphFields[0]->setText("0");
            dialog->graphFields[1]->setText("-1");
            dialog->graphFields[2]->setText("10");
            dialog->graphFields[3]->setText("1");
            return true;
        });
        child<QAction>(controls::fixCoordinates)->trigger();
        const Calibration c = window->calibration();
        QCOMPARE(c.pixelLeftBottom, QPoint(20, 170));
        QCOMPARE(c.pixelRightTop, QPoint(220, 20));
        QCOMPARE(child<QLineEdit>(controls::yLeftBottom)->text(), QString("-1"));
        QCOMPARE(child<QLineEdit>(controls::xRightTop)->text(), QString("10"));
        QCOMPARE(window->selectionBox().left, 20);
        QCOMPARE(window->selectionBox().bottom, 170);
        QVERIFY(child<QToolButton>(controls::manualInputTool)->isEnabled());
        // The dotted rectangle is shown over the picture, not drawn into it.
        QVERIFY(shownRaster(window->document()).pixel(20, 20) != kWhite);
        QCOMPARE(window->document().raster.pixel(20, 20), kWhite);
    }

    // Escape (or any way out but OK) leaves the calibration as it was.
    void escapeCancelsFixCoordinates() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("e.bmp", Raster(300, 200, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        const Calibration before = window->calibration();
        const Raster raster = shownRaster(window->document());
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<FixCoordinatesDialog*>(d);
            dialog->leftBottomXBox->setValue(20);
            dialog->graphFields[0]->setText("5");
            QTest::keyClick(dialog, Qt::Key_Escape);
            return dialog->result() == QDialog::Accepted;
        });
        child<QAction>(controls::fixCoordinates)->trigger();
        const Calibration after = window->calibration();
        QCOMPARE(after.pixelLeftBottom, before.pixelLeftBottom);
        QCOMPARE(after.pixelRightTop, before.pixelRightTop);
        QCOMPARE(after.xLeftBottom, before.xLeftBottom);
        QVERIFY(shownRaster(window->document()) == raster); // no rectangle drawn
        QVERIFY(!child<QLineEdit>(controls::xLeftBottom)->isEnabled());
        QVERIFY(!child<QToolButton>(controls::rectangleTool)->isChecked());
    }

    // A narrow corner field shows its number from the start, whoever wrote it.
    void cornerFieldsShowTheirNumbersFromTheStart() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("n.bmp", Raster(300, 200, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<FixCoordinatesDialog*>(d);
            dialog->leftBottomXBox->setValue(10);
            dialog->rightTopXBox->setValue(200);
            dialog->leftBottomYBox->setValue(10);
            dialog->rightTopYBox->setValue(150);
            dialog->graphFields[1]->setText("-1.483974358974359");
            return true;
        });
        child<QAction>(controls::fixCoordinates)->trigger();
        auto* field = child<QLineEdit>(controls::yLeftBottom);
        QCOMPARE(field->text(), QString("-1.483974358974359"));
        QCOMPARE(field->cursorPosition(), 0);
        // Typed by the user: the start shows again when the field loses the focus.
        field->setFocus();
        field->end(false);
        QTest::keyClicks(field, "0001");
        QVERIFY(field->cursorPosition() > 0);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(field, &out);
        QCOMPARE(field->cursorPosition(), 0);
    }

    // "Auto-size" fits the picture beside the rulers: no scroll bar is needed.
    void autoSizeNeedsNoScrollBars() {
        MainWindow* window = createWindow();
        for (const QSize& size : {QSize(2000, 1500), QSize(300, 1800), QSize(1900, 200)}) {
            window->openImageFile(
                writeRaster("big.bmp", Raster(size.width(), size.height(), PixelFormat::Bit8)),
                ImageReader::BuiltIn);
            auto* area = window->findChild<QScrollArea*>("ScrollBox1");
            QVERIFY(area);
            const auto settle = [] {
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
            };
            settle();
            QVERIFY(area->horizontalScrollBar()->maximum() > 0 ||
                    area->verticalScrollBar()->maximum() > 0);
            child<QAction>(controls::autoSize)->trigger();
            settle();
            QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
            QCOMPARE(area->verticalScrollBar()->maximum(), 0);
            QVERIFY(window->viewScale() < 1);
        }
    }

    // Nothing of the old image stays drawn over a new one, and its latest point cannot be
    // undone there.
    void aNewImageClearsOverlaysAndUndo() {
        const auto prepared = prepareSine(1.0, -1);
        QVERIFY(prepared);
        typeCornerValues(*prepared);
        startManualInput();
        MainWindow* window = window_.get();
        auto* image = child<ImageView>(controls::imageView);
        const QPoint at(300, qRound(prepared->rowOf(std::sin(prepared->xAt(300)))));
        sendMouse(image, QEvent::MouseButtonPress, at);
        sendMouse(image, QEvent::MouseButtonRelease, at);
        sendMouse(image, QEvent::MouseMove, at);
        QCOMPARE(window->table()->nextRow(1), 2);
        QVERIFY(child<QAction>(controls::undoLatestPoint)->isEnabled());
        QVERIFY(!child<QLabel>(controls::zoomPicture)->pixmap().isNull());
        image->addOverlayCircle(QPointF(10, 10), 3, kRed);
        child<QAction>(controls::clearTableOnNewImage)->trigger(); // the Table stays
        window->openImageFile(writeRaster("next.bmp", Raster(50, 40, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        QVERIFY(!child<QAction>(controls::undoLatestPoint)->isEnabled());
        QVERIFY(!child<QAction>(controls::undoDigitization)->isEnabled());
        QVERIFY(image->overlayCircles().empty());
        QVERIFY(!image->guideLines());
        QVERIFY(child<QLabel>(controls::zoomPicture)->pixmap().isNull());
        // Even when asked directly, the old point is not undone: titles and rows stay.
        const QString title = window->table()->cell(1, 0), x = window->table()->cell(1, 1);
        QVERIFY(!x.isEmpty());
        const Raster raster = shownRaster(window->document());
        window->part<ManualInputTool>()->undoLatestPoint();
        QCOMPARE(window->table()->cell(1, 0), title);
        QCOMPARE(window->table()->cell(1, 1), x);
        QCOMPARE(window->table()->nextRow(1), 2);
        QVERIFY(shownRaster(window->document()) == raster);
    }

    // Manual input after existing rows: undoing it clears its rows only, and the curve goes on
    // where it was before.
    void undoingManualInputKeepsOlderRows() {
        const auto prepared = prepareSine(1.0, -1);
        QVERIFY(prepared);
        typeCornerValues(*prepared);
        Table* t = window_->table();
        for (int row = 1; row <= 5; ++row)
            t->setCell(1, row, QString::number(row));
        t->setNextRow(1, 6);
        prompter_->colours.push_back(QColor(255, 0, 0));
        child<QAction>(controls::curveColour)->trigger();
        prompter_->answers.push_back(Answer::No); // keep X1, Y1
        child<QToolButton>(controls::manualInputTool)->click();
        auto* image = child<ImageView>(controls::imageView);
        for (int px : {200, 300, 400}) {
            const QPoint at(px, qRound(prepared->rowOf(std::sin(prepared->xAt(px)))));
            sendMouse(image, QEvent::MouseButtonPress, at);
            sendMouse(image, QEvent::MouseButtonRelease, at);
        }
        QCOMPARE(t->nextRow(1), 9);
        QVERIFY(!t->isEmpty(2, 8));
        // Alt+Backspace is the latest-point undo.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(image, Qt::Key_Backspace, Qt::AltModifier);
        QVERIFY(t->isEmpty(1, 8) && t->isEmpty(2, 8));
        QVERIFY(!t->isEmpty(2, 7));
        QCOMPARE(t->nextRow(1), 8);
        child<QAction>(controls::undoDigitization)->trigger();
        for (int row = 6; row <= 7; ++row)
            QVERIFY(t->isEmpty(1, row) && t->isEmpty(2, row));
        for (int row = 1; row <= 5; ++row)
            QCOMPARE(t->cell(1, row), QString::number(row));
        QCOMPARE(t->nextRow(1), 6);
    }

    void measureBoxTypedAndSelected() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("m.bmp", Raster(801, 1201, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        auto* box = child<QComboBox>(controls::measureBox);
        emit box->activated(3); // 50%
        QCOMPARE(child<ImageView>(controls::imageView)->size(), QSize(400, 600));
        QCOMPARE(child<Ruler>(controls::horizontalRuler)->scalePercent(), 50);
        QCOMPARE(child<Ruler>(controls::verticalRuler)->width(), 28);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "150");
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(window->viewScale(), 1.5);
        QCOMPARE(child<Ruler>(controls::verticalRuler)->width(), 40);
        QCOMPARE(box->lineEdit()->selectedText(), QString("150"));
        // Refused keys change nothing.
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(box->lineEdit(), ',');
        QCOMPARE(box->currentText(), QString("150"));
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "auto");
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QVERIFY(child<QAction>(controls::autoSize)->isChecked());
        QVERIFY(window->statusText(4).startsWith("Image-Measure factor = "));
        // A typed 0 does nothing harmful.
        const double before = window->viewScale();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), "0");
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(window->viewScale(), before);
        // "Auto-size" with no picture does nothing.
        child<QAction>(controls::purgeImage)->trigger();
        child<QAction>(controls::autoSize)->trigger();
        QCOMPARE(window->viewScale(), before);
    }

    void tableSavedAndLoaded() {
        MainWindow* window = createWindow();
        Table* t = window->table();
        t->appendPoint(1, 2);
        t->appendPoint(3, 4);
        t->tableEdited(1, 2); // as after typing into the grid: the data commands become usable
        const QString path = files_.filePath("points.dat");
        prompter_->dialogs.push_back([](QDialog* d) { return d->objectName() == "ExportTO"; });
        prompter_->savePaths.push_back(path);
        child<QAction>(controls::saveTable)->trigger();
        QVERIFY2(prompter_->messages.isEmpty(), qPrintable(prompter_->messages.join("; ")));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray content = saved.readAll();
        QVERIFY(content.startsWith("1\t2\r\n3\t4\r\n\t\r\n"));
        QCOMPARE(content.count("\r\n"), 30);
        QVERIFY(window->menuBar()->isEnabled());
        QCOMPARE(window->ini().readString(ini::kData, ini::kDirectory, ""), files_.path());
        // Overwrite: No leaves the file; the options dialog cancelled writes nothing.
        prompter_->dialogs.push_back([](QDialog* d) {
            static_cast<DataFileOptionsDialog*>(d)->delimiterGroup->button(0)->setChecked(
                true); // space
            return true;
        });
        prompter_->savePaths.push_back(path);
        prompter_->answers.push_back(Answer::No);
        child<QAction>(controls::saveTable)->trigger();
        saved.seek(0);
        QCOMPARE(saved.readAll(), content);

        // Loading 40 lines.
        QByteArray forty;
        for (int i = 0; i < 40; ++i)
            forty += "1\t2\r\n";
        QFile load(files_.filePath("forty.txt"));
        QVERIFY(load.open(QIODevice::WriteOnly));
        load.write(forty);
        load.close();
        prompter_->openChoices.push_back({load.fileName(), 0, false});
        child<QAction>(controls::openDataFile)->trigger();
        QCOMPARE(t->rowCountSetting(), 42);
        QCOMPARE(t->nextRow(1), 42);
        QCOMPARE(t->cell(2, 40), QString("2"));
        QCOMPARE(child<QSpinBox>(controls::rowCount)->value(), 42);
        QCOMPARE(child<QTabWidget>(controls::pages)->currentWidget()->objectName(),
                 QString(controls::tablePage));
    }
};

int runDigitizeTest(int argc, char** argv) {
    DigitizeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "digitize_test.moc"
