// The Grapher page: the chart of the current curve through its buttons, menus and the mouse.
#include "core/messages.h"
#include "core/numbers.h"
#include "grapher/gui/chart_view.h"
#include "grapher/gui/grapher_options_dialog.h"
#include "gui_fixture.h"
#include "image/image_file.h"
#include "table/table.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace quorvex;

class GrapherPageTest : public WindowFixture {
    Q_OBJECT

    // A window whose pair 1 holds the rows given (X, Y), as digitizing them would leave it.
    MainWindow* windowWithPair(const std::vector<std::pair<QString, QString>>& rows) {
        MainWindow* window = createWindow();
        window->resize(1000, 700);
        Table* t = window->table();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            t->setCell(1, int(i) + 1, rows[i].first);
            t->setCell(2, int(i) + 1, rows[i].second);
        }
        t->tableEdited(1, int(rows.size()));
        t->setNextRow(1, int(rows.size()) + 1);
        return window;
    }

    ChartView* chart() const { return child<ChartView>(controls::chart); }
    void trigger(const char* name) { child<QAction>(name)->trigger(); }
    bool checked(const char* name) const { return child<QAction>(name)->isChecked(); }
    bool enabled(const char* name) const {
        QObject* o = window_->findChild<QObject*>(QString::fromLatin1(name));
        if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
        return qobject_cast<QWidget*>(o)->isEnabled();
    }

    void showCurve() {
        child<QPushButton>(controls::showGraphButton)->click();
        QTRY_VERIFY(chart()->isVisible());
    }

    // The X values of a series in the order it keeps them.
    static QList<double> xs(const ChartSeries& series) {
        QList<double> values;
        for (const ChartPoint& p : series.points())
            values << p.x;
        return values;
    }

    // Where a point of the shown series is on the chart now.
    QPoint pixelOf(double x, double y) const {
        return chart()->layout().mapping().toPixel(x, y).toPoint();
    }

    void click(QPoint at) {
        sendMouse(chart(), QEvent::MouseButtonPress, at);
        sendMouse(chart(), QEvent::MouseButtonRelease, at);
    }

    QStringList pair(int rows) const {
        QStringList texts;
        for (int r = 1; r <= rows; ++r)
            texts << window_->table()->cell(1, r) + ";" + window_->table()->cell(2, r);
        return texts;
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    // The chart commands wait for something to show: an image or data for Y(X), data or a first
    // use of the Grapher for saving, printing and clearing.
    void commandsWaitForSomethingToShow() {
        createWindow();
        for (const char* name :
             {controls::showGraph, controls::showGraphButton, controls::saveGraph,
              controls::clearGraph, controls::printGraph, controls::saveGraphButton,
              controls::printGraphButton, controls::clearGraphButton, controls::chartBackground})
            QVERIFY2(!enabled(name), name);
        for (const char* name : {controls::popupClearGraph, controls::popupPrintGraph,
                                 controls::logarithmicX, controls::grapherOptionsButton})
            QVERIFY2(enabled(name), name);
        prompter_->dialogs.push_back([](QDialog*) { return false; });
        trigger("Edit6"); // the options of the drop-down
        QCOMPARE(prompter_->dialogNames.last(), QString("GrapherOptions"));
        for (const char* name :
             {controls::saveGraph, controls::clearGraph, controls::printGraph,
              controls::saveGraphButton, controls::printGraphButton, controls::clearGraphButton})
            QVERIFY2(enabled(name), name);
        QVERIFY(!enabled(controls::showGraph));
        openThroughDialog(writeRaster("i.bmp", Raster(8, 8, PixelFormat::Bit24)));
        QVERIFY(enabled(controls::showGraph));
        QVERIFY(enabled(controls::showGraphButton));
        QVERIFY(enabled(controls::chartBackground));
    }

    // Y(X) shows every filled row once, switches to the Grapher page and enables its commands;
    // the line joins the points in Table order, or in ascending X with "Sorting on X".
    void showCurveFillsTheSeriesOfTheMode() {
        windowWithPair({{"3", "30"}, {"1", "10"}, {"2", "20"}, {"5", "50"}, {"4", "40"}});
        showCurve();
        QCOMPARE(child<QTabWidget>(controls::pages)->currentWidget(),
                 child<QWidget>(controls::grapherPage));
        QCOMPARE(xs(chart()->symbols()), (QList<double>{1, 2, 3, 4, 5}));
        QVERIFY(chart()->line().isEmpty());
        // Symbol -> Line -> Symbol, and Line twice: each row once.
        trigger(controls::lineStyle);
        QVERIFY(checked(controls::popupLineStyle) && !checked(controls::popupSymbolStyle));
        QCOMPARE(chart()->line().size(), 5);
        QVERIFY(chart()->symbols().isEmpty());
        trigger(controls::popupSymbolStyle);
        QVERIFY(checked(controls::symbolStyle) && !checked(controls::lineStyle));
        QCOMPARE(chart()->symbols().size(), 5);
        QVERIFY(chart()->line().isEmpty());
        trigger(controls::lineStyle);
        trigger(controls::popupLineStyle);
        QCOMPARE(chart()->line().size(), 5);
        child<QTabWidget>(controls::pages)->setCurrentIndex(0);
        showCurve();
        QCOMPARE(xs(chart()->line()), (QList<double>{3, 1, 2, 5, 4}));
        trigger(controls::popupSorting);
        QVERIFY(checked(controls::grapherSorting));
        showCurve();
        QCOMPARE(xs(chart()->line()), (QList<double>{1, 2, 3, 4, 5}));
        trigger(controls::grapherSorting);
        QVERIFY(!checked(controls::popupSorting));
    }

    // A cell that is no number ends the filling with its message: the points before it stay
    // and the page stays.
    void aCellThatIsNoNumberEndsTheFilling() {
        windowWithPair({{"1", "1"}, {"2", "x"}, {"3", "3"}});
        child<QPushButton>(controls::showGraphButton)->click();
        QCOMPARE(prompter_->messages.last(), QString("'x' is not a valid floating point value"));
        QCOMPARE(chart()->symbols().size(), 1);
        QVERIFY(child<QTabWidget>(controls::pages)->currentWidget() !=
                child<QWidget>(controls::grapherPage));
        QVERIFY(child<QWidget>(controls::pages)->isEnabled());
    }

    void stopEndsALongFilling() {
        MainWindow* window = createWindow();
        Table* t = window->table();
        t->setRowCount(Table::kMaxRows);
        for (int r = 1; r <= Table::kMaxRows; ++r) {
            t->store().setCell(1, r, QString::number(r));
            t->store().setCell(2, r, QString::number(r % 7));
        }
        t->tableEdited(1, Table::kMaxRows);
        QTimer::singleShot(0, child<QPushButton>(controls::stop), &QPushButton::click);
        child<QPushButton>(controls::showGraphButton)->click();
        QVERIFY(chart()->symbols().size() < Table::kMaxRows);
        QVERIFY(child<QTabWidget>(controls::pages)->currentWidget() !=
                child<QWidget>(controls::grapherPage));
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
        QVERIFY(child<QWidget>(controls::pages)->isEnabled());
    }

    // A click on a point shows its values; in removal mode it also takes its row out of the
    // Table, the rows below moving up; a second click there finds nothing.
    void removingAPointWithTheMouse() {
        windowWithPair({{"1", "2"}, {"3", "4"}, {"5", "6"}, {"7", "8"}});
        showCurve();
        click(pixelOf(3, 4));
        QCOMPARE(window_->statusText(2), QString("X=3"));
        QCOMPARE(window_->statusText(3), QString("Y=4"));
        QCOMPARE(chart()->symbols().size(), 4); // looking removes nothing
        auto* remove = child<QToolButton>(controls::removePointsButton);
        remove->click();
        QCOMPARE(remove->toolTip(), message(Msg::RemovePointsHint));
        const QPoint at = pixelOf(3, 4);
        click(at);
        QCOMPARE(window_->statusText(4), QString(" Value was REMOVED!"));
        QCOMPARE(pair(4), (QStringList{"1;2", "5;6", "7;8", ";"}));
        QCOMPARE(window_->table()->nextRow(1), 4);
        QCOMPARE(xs(chart()->symbols()), (QList<double>{1, 5, 7}));
        click(at);
        QCOMPARE(pair(3), (QStringList{"1;2", "5;6", "7;8"}));
        QCOMPARE(chart()->symbols().size(), 3);
        // The move button and the removal button are never down together.
        child<QToolButton>(controls::movePointsButton)->click();
        QVERIFY(!remove->isChecked());
        QCOMPARE(remove->toolTip(), message(Msg::ValuePointsHint));
    }

    // In move mode a point goes where the mouse lets it go: every row that held it takes the
    // new values; letting the button up asks whether to sort the Table.
    void movingAPointWithTheMouse() {
        windowWithPair({{"2", "2"}, {"1", "1"}, {"2", "2"}, {"3", "3"}});
        showCurve();
        auto* move = child<QToolButton>(controls::movePointsButton);
        move->click();
        QVERIFY(prompter_->questions.isEmpty());
        const QPoint from = pixelOf(2, 2);
        const QImage before = chart()->grab().toImage();
        sendMouse(chart(), QEvent::MouseButtonPress, from);
        const QPoint to = from + QPoint(40, 30);
        sendMouse(chart(), QEvent::MouseMove, to);
        // The hollow square follows the mouse.
        const QImage during = chart()->grab().toImage();
        QVERIFY(during.pixel(to - QPoint(6, 0)) != before.pixel(to - QPoint(6, 0)));
        QCOMPARE(during.pixel(to), before.pixel(to));
        const ChartMapping mapping = chart()->layout().mapping();
        sendMouse(chart(), QEvent::MouseButtonRelease, to);
        const QString x = NumberText(mapping.xAt(to.x()));
        const QString y = NumberText(mapping.yAt(to.y()));
        QCOMPARE(pair(4), (QStringList{x + ";" + y, "1;1", x + ";" + y, "3;3"}));
        QCOMPARE(chart()->symbols().size(), 4);
        int atNewPlace = 0;
        for (const ChartPoint& p : chart()->symbols().points())
            if (NumberText(p.x) == x && NumberText(p.y) == y) ++atNewPlace;
        QCOMPARE(atNewPlace, 2);
        prompter_->answers.push_back(Answer::Yes);
        move->click();
        QCOMPARE(prompter_->questions, QStringList{message(Msg::SortQuestion)});
        QCOMPARE(window_->table()->cell(1, 1), QString("1"));
    }

    // A logarithmic axis needs a minimum above zero, to switch on and to switch off.
    void logarithmicScalesNeedAPositiveMinimum() {
        windowWithPair({{"-1", "1"}, {"2", "10"}, {"5", "100"}});
        showCurve();
        trigger(controls::logarithmicX);
        QCOMPARE(prompter_->messages.last(), message(Msg::MinimumXNotPositive));
        QVERIFY(!checked(controls::logarithmicX) && !checked(controls::popupLogarithmicX));
        QVERIFY(!chart()->look().logX);
        trigger(controls::logarithmicY);
        QVERIFY(checked(controls::logarithmicY) && checked("PM_logY"));
        QVERIFY(chart()->look().logY);
        trigger("PM_logY");
        QVERIFY(!checked(controls::logarithmicY) && !chart()->look().logY);
        QCOMPARE(prompter_->messages.size(), 1);
    }

    // Sizes start from the stored keys; the smallest is 1.
    void symbolSizesFollowTheStoredKeys() {
        createWindow();
        IniFile& ini = const_cast<IniFile&>(window_->ini());
        ini.writeInteger(ini::kGrapher, ini::kPointSize, 1);
        ini.writeInteger(ini::kGrapher, ini::kLineSize, 1);
        trigger(controls::decreaseSymbols);
        QCOMPARE(window_->ini().readString(ini::kGrapher, ini::kPointSize, ""), QString("1"));
        QCOMPARE(chart()->look().symbolSize, 1);
        trigger("N14"); // increase, in the drop-down
        IniFile stored(window_->ini().path());
        QCOMPARE(stored.readString(ini::kGrapher, ini::kPointSize, ""), QString("2"));
        QCOMPARE(stored.readString(ini::kGrapher, ini::kLineSize, ""), QString("2"));
        QCOMPARE(chart()->look().symbolSize, 2);
        QCOMPARE(chart()->look().lineWidth, 2);
    }

    // The picture of the chart as a bitmap and as a metafile, both read back by our readers;
    // the folder is kept for the next picture.
    void savingThePicture() {
        windowWithPair({{"1", "1"}, {"2", "4"}, {"3", "9"}});
        showCurve();
        const QString bmp = files_.filePath("chart.bmp");
        prompter_->savePaths.push_back(bmp);
        child<QToolButton>(controls::saveGraphButton)->click();
        QCOMPARE(prompter_->saveFilters.last(),
                 (QStringList{"Bitmaps (*.bmp)", "Metafiles (*.wmf)"}));
        const Raster bitmap = readBuiltIn(bmp);
        QCOMPARE(QSize(bitmap.width(), bitmap.height()), chart()->size());
        const QPoint point = pixelOf(2, 4);
        QCOMPARE(bitmap.pixel(point.x(), point.y()), kRed);
        QCOMPARE(bitmap.pixel(1, 1), kWhite);
        const QString wmf = files_.filePath("chart.wmf");
        prompter_->savePaths.push_back(wmf);
        trigger(controls::saveGraph);
        const Raster metafile = readBuiltIn(wmf);
        QCOMPARE(QSize(metafile.width(), metafile.height()), chart()->size());
        QCOMPARE(metafile.pixel(point.x(), point.y()), kRed);
        IniFile stored(window_->ini().path());
        QCOMPARE(stored.readString(ini::kImage, ini::kDirectory, ""), files_.path());
        QVERIFY(prompter_->messages.isEmpty());
        // The chosen type decides, and the extension follows it: "Metafiles" with a ".png"
        // name writes a metafile named ".wmf", never bitmap bytes under ".png".
        prompter_->savePaths.push_back(files_.filePath("typed.png"));
        prompter_->saveFilterChoices.push_back(1);
        trigger(controls::saveGraph);
        QVERIFY(!QFile::exists(files_.filePath("typed.png")));
        QFile typed(files_.filePath("typed.wmf"));
        QVERIFY(typed.open(QIODevice::ReadOnly));
        QCOMPARE(typed.read(44).mid(40, 4), QByteArray(" EMF"));
        // An existing picture is replaced only when the user says so.
        const QByteArray before = [&] {
            QFile f(bmp);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        trigger(controls::lineStyle);
        prompter_->savePaths.push_back(bmp);
        prompter_->answers.push_back(Answer::No);
        trigger(controls::saveGraph);
        QCOMPARE(prompter_->questions.last(), message(Msg::FileExistsReplace));
        QFile kept(bmp);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }

    // Printing goes to the printer the prompter sets up (a PDF file here): one page. A job that
    // cannot start shows why.
    void printingTheChart() {
        windowWithPair({{"1", "1"}, {"2", "4"}});
        showCurve();
        child<QCheckBox>(controls::printTextBox)->click();
        QVERIFY(child<QLineEdit>(controls::printText)->isEnabled());
        prompter_->printFile = files_.filePath("chart.pdf");
        child<QToolButton>(controls::printGraphButton)->click();
        QFile pdf(prompter_->printFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page "),
                 1);
        QVERIFY(prompter_->messages.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
        prompter_->printFile = files_.filePath("missing/folder/chart.pdf");
        trigger(controls::popupPrintGraph);
        QCOMPARE(prompter_->messages.size(), 1);
        QVERIFY(prompter_->messages.last().startsWith("Cannot print the chart: "));
        QVERIFY(!QApplication::overrideCursor());
    }

    // "Clear" and a new image (with the Table cleared for it) empty the chart.
    void clearingTheChart() {
        windowWithPair({{"1", "1"}, {"2", "4"}});
        showCurve();
        trigger(controls::popupClearGraph);
        QVERIFY(chart()->symbols().isEmpty());
        QCOMPARE(window_->table()->cell(1, 1), QString("1")); // the Table stays
        showCurve();
        openThroughDialog(writeRaster("n.bmp", Raster(8, 8, PixelFormat::Bit24)));
        QVERIFY(chart()->symbols().isEmpty());
        QVERIFY(chart()->line().isEmpty());
    }

    // Dragging a rectangle to the right and down zooms into it; a double click goes back.
    void zoomingWithTheMouse() {
        windowWithPair({{"0", "0"}, {"10", "10"}});
        showCurve();
        const QPoint a = pixelOf(2, 8), b = pixelOf(6, 3);
        sendMouse(chart(), QEvent::MouseButtonPress, a);
        sendMouse(chart(), QEvent::MouseMove, b);
        sendMouse(chart(), QEvent::MouseButtonRelease, b);
        QVERIFY(chart()->look().xRange.has_value());
        QVERIFY(std::abs(chart()->look().xRange->min - 2) < 0.1);
        QVERIFY(std::abs(chart()->look().yRange->max - 8) < 0.1);
        QTest::mouseDClick(chart(), Qt::LeftButton, Qt::NoModifier, b);
        QVERIFY(!chart()->look().xRange.has_value());
        sendMouse(chart(), QEvent::MouseButtonPress, a);
        sendMouse(chart(), QEvent::MouseButtonRelease, b);
        trigger(controls::chartAutoSize);
        QVERIFY(!chart()->look().yRange.has_value());
    }

    // The options dialog edits the look; grid, background and the series colour have their
    // own controls too.
    void theLookOfTheChart() {
        windowWithPair({{"1", "1"}, {"2", "4"}});
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<GrapherOptionsDialog*>(d);
            dialog->xAutomaticBox->setChecked(false);
            dialog->xMinimumField->setText("5");
            dialog->xMaximumField->setText("1");
            if (dialog->okButton->isEnabled()) return false; // a reversed range is refused
            dialog->xMinimumField->setText("-2");
            dialog->titleField->setText("Speed");
            dialog->gridBox->setChecked(false);
            return dialog->okButton->isEnabled();
        });
        trigger(controls::grapherOptions);
        QCOMPARE(chart()->look().title, QString("Speed"));
        QCOMPARE(chart()->look().xRange->min, -2.0);
        QVERIFY(!checked(controls::chartGrid) && !checked(controls::popupGrid));
        trigger(controls::popupGrid);
        QVERIFY(checked(controls::chartGrid) && chart()->look().grid);
        prompter_->colours.push_back(QColor(0, 0, 255));
        sendMouse(child<QWidget>(controls::seriesColour), QEvent::MouseButtonRelease, {2, 2});
        showCurve();
        QCOMPARE(chart()->symbols().points().front().colour, makeColour(0, 0, 255));
        Raster blue(8, 8, PixelFormat::Bit24, makeColour(0, 0, 255));
        openThroughDialog(writeRaster("b.bmp", blue));
        child<QToolButton>(controls::chartBackground)->click();
        QCOMPARE(chart()->backgroundImage().size(), QSize(8, 8));
        QCOMPARE(QColor(chart()->backgroundImage().pixel(4, 4)), QColor(0, 0, 255));
        // The chart's background is a picture of its own: the window monkey crashed painting it
        // after a new image had freed the raster the background used to share.
        QVERIFY(chart()->backgroundImage().constBits() !=
                reinterpret_cast<const uchar*>(window_->document().raster.row(0)));
        // A rotation replaces the raster; the chart still paints its own picture.
        trigger(controls::rotate90);
        QVERIFY(!chart()->grab().toImage().isNull());
        QCOMPARE(QColor(chart()->backgroundImage().pixel(4, 4)), QColor(0, 0, 255));
        // A new image brings its own background while the button is down.
        openThroughDialog(writeRaster("c.bmp", Raster(300, 200, PixelFormat::Bit24)));
        QCOMPARE(chart()->backgroundImage().size(), QSize(300, 200));
        QVERIFY(chart()->backgroundImage().constBits() !=
                reinterpret_cast<const uchar*>(window_->document().raster.row(0)));
        child<QToolButton>(controls::chartBackground)->click();
        QVERIFY(chart()->backgroundImage().isNull());
    }
};

int runGrapherPageTest(int argc, char** argv) {
    GrapherPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "grapher_page_test.moc"
