// The tools that edit the picture: rotation along a drawn line or by 90 degrees, the pencil.
#include "components/image_view.h"
#include "core/canvas.h"
#include "gui_fixture.h"
#include "image/rotation.h"
#include "table/table.h"
#include "tools/gui/pencil_dialog.h"
#include "tools/pencil.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

using namespace quorvex;

class ImageToolsTest : public WindowFixture {
    Q_OBJECT

    // A white picture with a skewed black axis from (20, 40) to (180, 70), opened.
    MainWindow* windowWithSkewedAxis() {
        MainWindow* window = createWindow();
        Raster chart(200, 150, PixelFormat::Bit24);
        Canvas canvas(chart);
        canvas.pen.colour = kBlack;
        canvas.line(20, 40, 180, 70);
        openThroughDialog(writeRaster("skewed.bmp", chart));
        return window;
    }

    ImageView* view() const { return child<ImageView>(controls::imageView); }

    void drag(QPoint from, QPoint to) {
        sendMouse(view(), QEvent::MouseButtonPress, from);
        sendMouse(view(), QEvent::MouseMove, (from + to) / 2);
        sendMouse(view(), QEvent::MouseMove, to);
        sendMouse(view(), QEvent::MouseButtonRelease, to);
    }

    void checkStartedAfresh() {
        for (const char* field : {controls::xLeftBottom, controls::yLeftBottom, controls::xRightTop,
                                  controls::yRightTop})
            QCOMPARE(child<QLineEdit>(field)->text(), QString("0"));
        QCOMPARE(child<QComboBox>(controls::xTransfer)->currentText(), QString("X line"));
        QCOMPARE(child<QComboBox>(controls::yTransfer)->currentText(), QString("Y line"));
        QCOMPARE(window_->mouseMode(), MouseMode::Idle);
        QVERIFY(!child<QToolButton>(controls::rotateTool)->isChecked());
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    // Drawing along the skewed axis turns the picture so that the axis is horizontal, and the
    // work starts afresh on it; the Table stays.
    void rotatingAlongADrawnLine() {
        MainWindow* window = windowWithSkewedAxis();
        window->table()->setCell(1, 1, "7");
        child<QComboBox>(controls::xTransfer)->setCurrentIndex(1);
        child<QToolButton>(controls::rotateTool)->click();
        QCOMPARE(window->mouseMode(), MouseMode::RotationLine);
        sendMouse(view(), QEvent::MouseButtonPress, {20, 40});
        sendMouse(view(), QEvent::MouseMove, {180, 70});
        QCOMPARE(view()->overlayLine(), QLineF(180, 70, 20, 40)); // on the screen only
        QCOMPARE(window->document().raster.pixel(100, 20), kWhite);
        sendMouse(view(), QEvent::MouseButtonRelease, {180, 70});
        QVERIFY(!view()->overlayLine());
        const Raster& turned = window->document().raster;
        QVERIFY(turned.width() > 200 && turned.height() > 150);
        int top = turned.height(), bottom = -1;
        for (int y = 0; y < turned.height(); ++y)
            for (int x = 0; x < turned.width(); ++x)
                if (turned.pixel(x, y) == kBlack) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        QVERIFY2(bottom - top <= 1, qPrintable(QString("%1..%2").arg(top).arg(bottom)));
        checkStartedAfresh();
        QCOMPARE(view()->size(), QSize(turned.width(), turned.height()));
        QCOMPARE(window->table()->cell(1, 1), QString("7"));
    }

    // The calibration rectangle lives over the picture: a rotation turns the picture alone and
    // leaves no rectangle anywhere.
    void aRotationLeavesTheRectangleBehind() {
        MainWindow* window = windowWithSkewedAxis();
        const Raster before = window->document().raster;
        child<QToolButton>(controls::rectangleTool)->click();
        drag({30, 120}, {170, 20});
        QVERIFY(!(shownRaster(window->document()) == before)); // the rectangle is shown
        QCOMPARE(window->document().raster, before);           // and not in the picture
        child<QAction>(controls::rotate90)->trigger();
        QCOMPARE(window->document().raster, rotateRaster(before, 90, kWhite));
        QCOMPARE(shownRaster(window->document()), window->document().raster);
    }

    // A click with the tool, and the menu item, turn by a quarter.
    void quarterTurns() {
        MainWindow* window = windowWithSkewedAxis();
        const Raster before = window->document().raster;
        child<QToolButton>(controls::rotateTool)->click();
        sendMouse(view(), QEvent::MouseButtonPress, {50, 50});
        sendMouse(view(), QEvent::MouseButtonRelease, {50, 50});
        QCOMPARE(window->document().raster, rotateRaster(before, 90, kWhite));
        checkStartedAfresh();
        child<QAction>(controls::rotate90)->trigger();
        QCOMPARE(window->document().raster, rotateRaster(before, 180, kWhite));
        QVERIFY(prompter_->messages.isEmpty());
    }

    // The background colour of a rotation is chosen from the menu.
    void theRotationBackground() {
        MainWindow* window = windowWithSkewedAxis();
        prompter_->colours.push_back(QColor(0, 0, 255));
        child<QAction>(controls::rotateBackground)->trigger();
        child<QToolButton>(controls::rotateTool)->click();
        drag({20, 40}, {180, 70});
        QCOMPARE(window->document().raster.pixel(0, 0), makeColour(0, 0, 255));
    }

    // Pencil strokes change exactly the discs of the mouse events; picking the background
    // colour and painting erases.
    void pencilStrokes() {
        MainWindow* window = windowWithSkewedAxis();
        Raster expected = window->document().raster;
        child<QToolButton>(controls::pencilTool)->click();
        auto* dialog = child<PencilDialog>(controls::pencilDialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(window->mouseMode(), MouseMode::Pencil);
        dialog->sizeBox->setValue(3);
        prompter_->colours.push_back(QColor(255, 0, 0));
        dialog->paletteButton->click();
        QCOMPARE(dialog->colour(), kRed);
        sendMouse(view(), QEvent::MouseButtonPress, {60, 100});
        sendMouse(view(), QEvent::MouseMove, {70, 100});
        sendMouse(view(), QEvent::MouseButtonRelease, {70, 100});
        sendMouse(view(), QEvent::MouseMove, {90, 100}); // button up: no disc, a read-out
        QCOMPARE(dialog->colourLabel->text(), QString("clWhite"));
        QCOMPARE(dialog->redLabel->text(), QString("R=255"));
        paintPencilDisc(expected, 60, 100, 3, kRed);
        paintPencilDisc(expected, 70, 100, 3, kRed);
        QCOMPARE(window->document().raster, expected);
        // Pick white from the picture and paint over the first disc.
        dialog->pickButton->click();
        QCOMPARE(window->mouseMode(), MouseMode::PickPencilColour);
        sendMouse(view(), QEvent::MouseButtonPress, {150, 10});
        sendMouse(view(), QEvent::MouseButtonRelease, {150, 10});
        QCOMPARE(dialog->colour(), kWhite);
        dialog->pickButton->click();
        QCOMPARE(window->mouseMode(), MouseMode::Pencil);
        sendMouse(view(), QEvent::MouseButtonPress, {60, 100});
        sendMouse(view(), QEvent::MouseButtonRelease, {60, 100});
        paintPencilDisc(expected, 60, 100, 3, kWhite);
        QCOMPARE(window->document().raster, expected);
        // Closing the dialog ends the pencil.
        dialog->closeButton->click();
        QVERIFY(!child<QToolButton>(controls::pencilTool)->isChecked());
        QCOMPARE(window->mouseMode(), MouseMode::Idle);
    }
};

int runImageToolsTest(int argc, char** argv) {
    ImageToolsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "image_tools_test.moc"
