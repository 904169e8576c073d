// PDF and SVG pictures in the window: the page dialog, the paths kept beside the picture and
// dropped by a rotation, and an automatic run that reads the curve from its path.
#include "autodigit/gui/auto_digitize_settings_dialog.h"
#include "charts.h"
#include "components/image_view.h"
#include "exchange/project.h"
#include "gui_fixture.h"
#include "image/gui/vector_page_dialog.h"
#include "table/table.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QToolButton>
#include <QUrl>

using namespace quorvex;

class VectorPictureTest : public WindowFixture {
    Q_OBJECT

    // A plot 200 x 100 points: a frame and a red polyline through known points.
    static void drawPlot(QPainter& painter) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(QRectF(20, 10, 160, 80));
        painter.setPen(QPen(QColor(255, 0, 0), 1.5));
        painter.drawPolyline(QPolygonF{{20, 90}, {60, 30}, {100, 50}, {140, 20}, {180, 70}});
    }

    QString writePdf(int pages) {
        const QString path = files_.filePath("plot.pdf");
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) writer.newPage();
            if (page == pages - 1) drawPlot(painter);
        }
        return path;
    }

    QString writeSvg() {
        const QString path = files_.filePath("plot.svg");
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(QSize(200, 100));
        generator.setViewBox(QRectF(0, 0, 200, 100));
        QPainter painter(&generator);
        drawPlot(painter);
        return path;
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void aPdfOfSeveralPagesAsksForThePage() {
        MainWindow* window = createWindow();
        const QString pdf = writePdf(3);
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = qobject_cast<VectorPageDialog*>(d);
            if (!dialog) return false;
            dialog->pageBox->setValue(3);
            dialog->dpiBox->setValue(144);
            return true;
        });
        QVERIFY(window->openImageFile(pdf, ImageReader::BuiltIn));
        const ImageDocument& document = window->document();
        QCOMPARE(document.raster.width(), 400);
        QCOMPARE(document.raster.height(), 200);
        QVERIFY(document.hasVectorLayer());
        QCOMPARE(document.vectorPage, 3);
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - plot.pdf"));
        QVERIFY(window->statusText(4).startsWith("Page 3 of 3 at 144 dpi"));
        // Cancelled: the picture stays.
        prompter_->dialogs.push_back([](QDialog*) { return false; });
        QVERIFY(!window->openImageFile(pdf, ImageReader::BuiltIn));
        QCOMPARE(window->document().vectorPage, 3);
        // A rotation turns the raster: the paths no longer lie on it.
        child<QAction>(controls::rotate90)->trigger();
        QVERIFY(!window->document().hasVectorLayer());
        QVERIFY(window->statusText(4).contains("no longer read from the vector file"));
    }

    // The calibration rectangle drawn near the frame's corners takes the corners themselves,
    // fractional; a profile keeps them.
    void theRectangleSnapsToPathVertices() {
        MainWindow* window = createWindow();
        QVERIFY(window->openImageFile(writeSvg(), ImageReader::BuiltIn));
        const auto pixel = [](double points) { return points * 200 / 72 - 0.5; };
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(57, 251));
        sendMouse(image, QEvent::MouseMove, QPoint(300, 100));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(497, 25));
        const Calibration c = window->calibration();
        QVERIFY(c.exact);
        QCOMPARE(c.leftBottom(), QPointF(pixel(20), pixel(90)));
        QCOMPARE(c.rightTop(), QPointF(pixel(180), pixel(10)));
        QCOMPARE(c.pixelLeftBottom, QPoint(55, 250));
        QVERIFY(window->session().profile(QChar('.')).calibration.exact);
        // Far from any vertex the corners stay whole pixels.
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(150, 150));
        sendMouse(image, QEvent::MouseMove, QPoint(200, 120));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(250, 100));
        QVERIFY(!window->calibration().exact);
    }

    // A file dropped on the window opens as a chosen one.
    void aDroppedFileOpens() {
        MainWindow* window = createWindow();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(writeSvg())});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QVERIFY(window->document().hasVectorLayer());
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - plot.svg"));
    }

    // "Find axes" fills the calibration from the figure's axes, exactly; it is offered only for
    // a vector picture.
    void findAxesCalibratesAFigure() {
        MainWindow* window = createWindow();
        auto* find = child<QAction>("FindAxes");
        QVERIFY(!find->isEnabled());
        QVERIFY(
            window->openImageFile(chartFile("vector/vec_three_legend.pdf"), ImageReader::BuiltIn));
        QVERIFY(find->isEnabled());
        find->trigger();
        const Calibration c = window->calibration();
        QVERIFY(c.exact);
        QCOMPARE(c.leftBottom(), QPointF(143.5, 695.5));
        QCOMPARE(c.rightTop(), QPointF(1139.5, 55.5));
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        const char* const values[4] = {"0", "0", "10", "10"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(child<QLineEdit>(fields[i])->text(), QString(values[i]));
        QVERIFY(window->statusText(4).startsWith("Axes found: X 0 .. 10"));
        window->openImageFile(writeRaster("plain.bmp", Raster(50, 50, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        QVERIFY(!find->isEnabled());
    }

    // A project keeps the PDF itself with its page and resolution.
    void aProjectKeepsThePdfPage() {
        MainWindow* window = createWindow();
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = qobject_cast<VectorPageDialog*>(d);
            if (!dialog) return false;
            dialog->pageBox->setValue(2);
            dialog->dpiBox->setValue(144);
            return true;
        });
        QVERIFY(window->openImageFile(writePdf(2), ImageReader::BuiltIn));
        const Raster shown = window->document().raster;
        const QString project = files_.filePath("pdf.qvx");
        prompter_->savePaths.push_back(project);
        child<QAction>(controls::saveProject)->trigger();
        const Project saved = readProjectFile(project);
        QCOMPARE(saved.pictureName, QString("plot.pdf"));
        QVERIFY(saved.pictureBytes.startsWith("%PDF-"));
        QCOMPARE(saved.page, 2);
        tearDownTest();
        setUpTest();
        MainWindow* fresh = createWindow();
        QVERIFY(fresh->openImageFile(project, ImageReader::BuiltIn));
        QCOMPARE(fresh->document().vectorPage, 2);
        QCOMPARE(fresh->document().vectorDpi, 144.0);
        QVERIFY(fresh->document().hasVectorLayer());
        QVERIFY(fresh->document().raster == shown);
    }

    // A one-page SVG opens at once; the automatic run in the vector mode writes the polyline's
    // vertices, exactly, and is offered only while the picture has paths.
    void theVectorModeWritesThePathsVertices() {
        MainWindow* window = createWindow();
        QVERIFY(window->openImageFile(writeSvg(), ImageReader::BuiltIn));
        QVERIFY(window->document().hasVectorLayer());
        const double dpi = window->document().vectorDpi;
        QCOMPARE(dpi, 200.0);
        const auto pixel = [dpi](double points) { return points * dpi / 72 - 0.5; };
        // The frame's corners, as a snapped calibration leaves them: X 0..8, Y 0..4.
        Calibration c;
        c.setCorners(QPointF(pixel(20), pixel(90)), QPointF(pixel(180), pixel(10)));
        window->session().setPixelCorners(c.pixelLeftBottom, c.pixelRightTop);
        window->session().enableDigitizingTools(); // as the rectangle tool does
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        const char* const values[4] = {"0", "0", "8", "4"};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        prompter_->colours.push_back(QColor(255, 0, 0));
        child<QAction>(controls::curveColour)->trigger();
        window->session().area = {0, window->document().raster.height(),
                                  window->document().raster.width(), 0};
        bool offered = false;
        prompter_->dialogs.push_back([&offered](QDialog* d) {
            auto* dialog = static_cast<AutoDigitizeSettingsDialog*>(d);
            offered = dialog->vectorSwitch->isEnabled();
            dialog->vectorSwitch->setChecked(true);
            dialog->acceptSettings();
            return true;
        });
        child<QToolButton>(controls::autoDigitize)->click();
        QVERIFY2(offered,
                 qPrintable(prompter_->questions.join('|') + prompter_->messages.join('|') +
                            prompter_->dialogNames.join('|')));
        const Table* t = window->table();
        // The calibration is on whole pixels here (the window's corners): 1/4 px of the corner
        // rounding is the only error, 0.0125 of a unit at 160 px per 8 units.
        const double xs[] = {0, 2, 4, 6, 8}, ys[] = {0, 3, 2, 3.5, 1};
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(std::abs(t->cell(1, i + 1).toDouble() - xs[i]) < 0.02,
                     qPrintable(t->cell(1, i + 1)));
            QVERIFY2(std::abs(t->cell(2, i + 1).toDouble() - ys[i]) < 0.02,
                     qPrintable(t->cell(2, i + 1)));
        }
        QVERIFY(t->isEmpty(1, 6));
        // A raster picture has no paths: the mode is not offered.
        window->openImageFile(writeRaster("plain.bmp", Raster(50, 50, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        QVERIFY(!window->document().hasVectorLayer());
    }
};

int runVectorPictureTest(int argc, char** argv) {
    VectorPictureTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "vector_picture_test.moc"
