// Automatic digitization and search in area through the main window.
#include "autodigit/command_line.h"
#include "autodigit/gui/auto_digitize_settings_dialog.h"
#include "charts.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "gui_fixture.h"
#include "table/table.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <functional>

using namespace quorvex;

class AutoTest : public WindowFixture {
    Q_OBJECT

    // The sine chart calibrated on its plot frame, with the curve colour red.
    MainWindow* calibratedSine() {
        MainWindow* window = createWindow();
        window->openImageFile(chartFile("lin_sine.png"), ImageReader::BuiltIn);
        if (window->document().raster.width() < 700) {
            QTest::qFail("missing test chart lin_sine.png", __FILE__, __LINE__);
            return nullptr;
        }
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(98, 525));
        sendMouse(image, QEvent::MouseMove, QPoint(733, 62));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(733, 62));
        const char* values[4] = {"0.0390625", "-1.483974358974359", "9.9609375",
                                 "1.483974358974359"};
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        prompter_->colours.push_back(QColor(255, 0, 0));
        child<QAction>(controls::curveColour)->trigger();
        child<QSpinBox>(controls::indent)->setValue(3);
        return window;
    }

    // The row of the sine curve at an image column of the chart.
    static double sineRow(int px) {
        const double x = 0.0390625 + (px - 98) * (9.9609375 - 0.0390625) / 635.0;
        return 525 - (std::sin(x) + 1.483974358974359) * 463 / (2 * 1.483974358974359);
    }

    // Drags the search tool along the sine from one column to another at a view scale.
    void searchStroke(int from, int to, double scale = 1.0) {
        auto* image = child<ImageView>(controls::imageView);
        auto at = [scale](int px) {
            return QPoint(qRound(px * scale), qRound(sineRow(px) * scale));
        };
        sendMouse(image, QEvent::MouseButtonPress, at(from));
        for (int px = from; px <= to; px += 5)
            sendMouse(image, QEvent::MouseMove, at(px) + QPoint(0, 3));
        sendMouse(image, QEvent::MouseButtonRelease, at(to));
    }

    // Runs the automatic digitization, accepting its dialog after `prepare` has set it.
    void runAutomatic(std::function<void(AutoDigitizeSettingsDialog*)> prepare = {}) {
        prompter_->dialogs.push_back([prepare](QDialog* d) {
            auto* dialog = static_cast<AutoDigitizeSettingsDialog*>(d);
            if (prepare) prepare(dialog);
            dialog->acceptSettings();
            return true;
        });
        child<QToolButton>(controls::autoDigitize)->click();
    }

    // The texts of the first pair's rows 1 .. last.
    static QStringList pairRows(const Table* t, int last) {
        QStringList rows;
        for (int r = 1; r <= last; ++r)
            rows << t->cell(1, r) + ' ' + t->cell(2, r);
        return rows;
    }

    // A white picture with a blue anti-aliased line 2.4 pixels wide centred on row 30.3,
    // calibrated so that the value Y of a row is 70 - row, with the curve colour blue.
    MainWindow* calibratedAntiAliasedLine() {
        MainWindow* window = createWindow();
        Raster r(120, 80, PixelFormat::Bit24);
        for (int x = 0; x < 120; ++x)
            for (int y = 28; y <= 32; ++y) {
                const double cover =
                    std::max(0.0, std::min(y + 0.5, 31.5) - std::max(y - 0.5, 29.1));
                if (cover <= 0) continue;
                const int v = static_cast<int>(std::lround(255 * (1 - std::min(cover, 1.0))));
                r.setPixel(x, y, makeColour(v, v, 255));
            }
        openThroughDialog(writeRaster("aa_line.bmp", r));
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(10, 70));
        sendMouse(image, QEvent::MouseMove, QPoint(110, 10));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(110, 10));
        const char* values[4] = {"0", "0", "100", "60"};
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        prompter_->colours.push_back(QColor(0, 0, 255));
        child<QAction>(controls::curveColour)->trigger();
        return window;
    }

    // The command line's points ("X<TAB>Y" lines) as the Table's "X Y" rows.
    static QStringList commandLineRows(const QStringList& args) {
        QString output, errors;
        QTextStream out(&output), err(&errors);
        if (runDigitizeCommand(args, out, err) != 0) qWarning("%s", qPrintable(errors));
        out.flush();
        QStringList rows = output.split('\n', Qt::SkipEmptyParts);
        for (QString& row : rows)
            row.replace('\t', ' ');
        return rows;
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void automaticRunThroughTheDialog() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<AutoDigitizeSettingsDialog*>(d);
            if (!dialog->colourIntervalSwitch->isEnabled())
                return false; // 24-bit image: the colour page is usable
            dialog->acceptSettings();
            return true;
        });
        child<QToolButton>(controls::autoDigitize)->click();
        Table* t = window->table();
        const int rows = t->nextRow(1);
        QVERIFY2(rows > 600, qPrintable(QString::number(rows)));
        QCOMPARE(t->rowCountSetting(), rows);
        double worst = 0;
        for (int r = 1; r <= rows; ++r) {
            const double x = t->cell(1, r).toDouble(), y = t->cell(2, r).toDouble();
            worst = std::max(worst, std::abs(y - std::sin(x)));
        }
        QVERIFY2(worst < 0.02, qPrintable(QString::number(worst)));
        QVERIFY(window->menuBar()->isEnabled());
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
        QCOMPARE(window->mouseMode(), MouseMode::Idle);
        // Undo the run: its rows empty, the curve back where it started.
        QVERIFY(child<QAction>(controls::undoDigitization)->isEnabled());
        child<QAction>(controls::undoDigitization)->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(2, rows));
        QCOMPARE(t->nextRow(1), 1);
    }

    // Calibrate once in the window and save the profile: the command line digitizes the same
    // points with it, and a fresh window that loads it (through the File menu) runs them again.
    void profileGivesTheSamePointsInTheWindowAndOnTheCommandLine() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        runAutomatic([](AutoDigitizeSettingsDialog* d) {
            d->findChild<QCheckBox*>("DistanceSwitch")->setChecked(true);
        });
        const int rows = window->table()->nextRow(1); // the run leaves NextRow on its last row
        QVERIFY(rows > 500);
        const QStringList windowRows = pairRows(window->table(), rows);
        const QString profile = files_.filePath("sine.json");
        prompter_->savePaths.push_back(profile);
        child<QAction>(controls::saveProfile)->trigger();
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(commandLineRows({"--profile", profile, chartFile("lin_sine.png")}), windowRows);

        window = createWindow();
        window->openImageFile(chartFile("lin_sine.png"), ImageReader::BuiltIn);
        prompter_->openChoices.push_back({profile, 0, false});
        child<QAction>(controls::loadProfile)->trigger();
        QVERIFY(prompter_->questions.isEmpty()); // the same image size: nothing to ask
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), QString("1.483974358974359"));
        QVERIFY(window->selectionBox().right > window->selectionBox().left);
        bool distanceShown = false;
        runAutomatic([&distanceShown](AutoDigitizeSettingsDialog* d) {
            distanceShown = d->recognition().mode == RecognitionMode::Distance;
        });
        QVERIFY(distanceShown);
        QCOMPARE(pairRows(window->table(), rows), windowRows);
    }

    // A damaged or foreign file changes nothing; another image size asks first.
    void profileErrorsAndTheSizeQuestion() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        const QString good = files_.filePath("good.json");
        prompter_->savePaths.push_back(good);
        child<QAction>(controls::saveProfile)->trigger();
        const QString damaged = files_.filePath("damaged.json");
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"format\": \"quorvex-profile\", \"version\": 1, \"calib");
        f.close();

        window = createWindow();
        window->openImageFile(writeRaster("small.bmp", Raster(400, 300, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        const QString before = child<QLineEdit>(controls::yRightTop)->text();
        prompter_->openChoices.push_back({damaged, 0, false});
        child<QAction>(controls::loadProfile)->trigger();
        QCOMPARE(prompter_->messages.size(), 1);
        QVERIFY(prompter_->messages.last().contains("damaged"));
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), before);

        prompter_->openChoices.push_back({good, 0, false});
        prompter_->answers.push_back(Answer::No);
        child<QAction>(controls::loadProfile)->trigger();
        QCOMPARE(prompter_->questions.size(), 1);
        QVERIFY(prompter_->questions.last().contains("400 x 300"));
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), before);

        prompter_->openChoices.push_back({good, 0, false});
        prompter_->answers.push_back(Answer::Yes);
        child<QAction>(controls::loadProfile)->trigger();
        QCOMPARE(child<QLineEdit>(controls::yRightTop)->text(), QString("1.483974358974359"));
        QCOMPARE(window->calibration().pixelRightTop, QPoint(733, 62));
    }

    void cancelLeavesTheTableAsItWas() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        Table* t = window->table();
        t->setCell(1, 1, "keep");
        t->setNextRow(1, 7);
        prompter_->dialogs.push_back([](QDialog* d) {
            static_cast<AutoDigitizeSettingsDialog*>(d)->cancelSettings();
            return false;
        });
        child<QToolButton>(controls::autoDigitize)->click();
        QCOMPARE(t->cell(1, 1), QString("keep"));
        qDebug() << t->cell(1, 1) << t->cell(2, 1) << t->cell(1, 2) << t->cell(2, 2)
                 << t->cell(1, 3);
        QVERIFY(t->isEmpty(1, 2));
        QCOMPARE(t->nextRow(1), 7);
        QVERIFY(window->menuBar()->isEnabled());
    }

    void stopKeepsTheRowsWritten() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        prompter_->dialogs.push_back([this](QDialog* d) {
            // Stop is pressed as soon as the window gets to handle events again.
            QTimer::singleShot(0, child<QPushButton>(controls::stop), &QPushButton::click);
            static_cast<AutoDigitizeSettingsDialog*>(d)->acceptSettings();
            return true;
        });
        child<QToolButton>(controls::autoDigitize)->click();
        Table* t = window->table();
        QVERIFY(t->nextRow(1) >= 1);
        QVERIFY2(t->nextRow(1) < 50, qPrintable(QString::number(t->nextRow(1))));
        QVERIFY(!t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(1, t->nextRow(1) + 1));
        QVERIFY(window->menuBar()->isEnabled());
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
        // The stopped run can be undone: exactly its rows.
        child<QAction>(controls::undoDigitization)->trigger();
        QVERIFY(t->isEmpty(1, 1));
    }

    void searchInAreaFollowsTheDrag() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        prompter_->answers.push_back(Answer::Yes); // "Clear Table"
        child<QToolButton>(controls::searchTool)->click();
        QCOMPARE(window->mouseMode(), MouseMode::SearchInArea);
        QCOMPARE(window->markerSize(), 10);
        auto* image = child<ImageView>(controls::imageView);
        auto rowAt = [](int px) {
            const double x = 0.0390625 + (px - 98) * (9.9609375 - 0.0390625) / 635.0;
            return 525 - (std::sin(x) + 1.483974358974359) * 463 / (2 * 1.483974358974359);
        };
        sendMouse(image, QEvent::MouseButtonPress, QPoint(150, qRound(rowAt(150))));
        for (int px = 150; px <= 600; px += 5)
            sendMouse(image, QEvent::MouseMove, QPoint(px, qRound(rowAt(px)) + 3));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(600, qRound(rowAt(600))));
        Table* t = window->table();
        const int points = t->nextRow(1) - 1;
        // Points at least 20 view pixels apart along a path of about 700 pixels.
        QVERIFY2(points >= 20 && points <= 40, qPrintable(QString::number(points)));
        for (int r = 1; r <= points; ++r) {
            const double x = t->cell(1, r).toDouble(), y = t->cell(2, r).toDouble();
            QVERIFY2(std::abs(y - std::sin(x)) < 0.02, qPrintable(QString("%1 %2").arg(x).arg(y)));
        }
        QCOMPARE(window->markerSize(), 3);
        QVERIFY(child<QAction>(controls::undoDigitization)->isEnabled());
        child<QAction>(controls::undoDigitization)->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QCOMPARE(t->nextRow(1), 1);
        // Without self-correction the same tool, down, collects nothing along the same curve.
        child<QCheckBox>(controls::selfCorrection)->setChecked(false);
        prompter_->answers.push_back(Answer::No);
        child<QToolButton>(controls::searchTool)->click();
        QVERIFY(child<QToolButton>(controls::searchTool)->isChecked());
        QCOMPARE(window->mouseMode(), MouseMode::SearchInArea);
        sendMouse(image, QEvent::MouseButtonPress, QPoint(150, qRound(rowAt(150))));
        for (int px = 150; px <= 600; px += 5)
            sendMouse(image, QEvent::MouseMove, QPoint(px, qRound(rowAt(px)) + 3));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(600, 100));
        QCOMPARE(t->nextRow(1), 1);
        QVERIFY(t->isEmpty(1, 1));
        QCOMPARE(window->statusText(4), QString("No point of the curve colour was found"));
    }

    // The markers of a run never change what the run finds: with markers of any size (in
    // another colour than the curve) the points are those of a run without markers.
    void markersDoNotAlterTheRunsOwnPoints() {
        QStringList unmarked;
        const int sizes[] = {0, 1, 3, 9}; // 0: markers off
        for (int size : sizes) {
            MainWindow* window = calibratedSine();
            QVERIFY(window);
            prompter_->colours.push_back(QColor(0, 0, 255));
            child<QAction>(controls::markerColour)->trigger();
            if (size == 0) {
                prompter_->answers.push_back(Answer::No);
                child<QAction>(controls::markers)->trigger();
                QVERIFY(!child<QAction>(controls::markers)->isChecked());
            } else {
                child<QSpinBox>(controls::markerSize)->setValue(size);
            }
            const Raster before = window->document().raster;
            const Raster shownBefore = shownRaster(window->document());
            runAutomatic();
            const QStringList rows = pairRows(window->table(), window->table()->nextRow(1));
            QVERIFY(rows.size() > 600);
            QVERIFY(window->document().raster == before); // markers are never in the picture
            if (size == 0) {
                unmarked = rows;
                QVERIFY(shownRaster(window->document()) == shownBefore);
            } else {
                QVERIFY2(rows == unmarked, qPrintable(QString("marker size %1").arg(size)));
                QVERIFY(!(shownRaster(window->document()) == shownBefore)); // markers are shown
            }
            tearDownTest();
            setUpTest();
        }
    }

    // Markers of earlier clicks (in the curve's own colour, on the curve) and the calibration
    // rectangle are not seen by a later run: its points are those of a run without them.
    void earlierMarkersDoNotDisturbARun() {
        QStringList plain;
        for (bool clicks : {false, true}) {
            MainWindow* window = calibratedSine();
            QVERIFY(window);
            if (clicks) {
                child<QLineEdit>(controls::curveNumber)->setText("2");
                prompter_->answers.push_back(Answer::Yes);
                child<QToolButton>(controls::manualInputTool)->click();
                auto* image = child<ImageView>(controls::imageView);
                for (int px : {150, 260, 370, 480, 590, 700}) {
                    const QPoint at(px, qRound(sineRow(px)));
                    sendMouse(image, QEvent::MouseButtonPress, at);
                    sendMouse(image, QEvent::MouseButtonRelease, at);
                }
                QCOMPARE(window->table()->nextRow(2), 7);
                child<QToolButton>(controls::manualInputTool)->click();
                child<QLineEdit>(controls::curveNumber)->setText("1");
            }
            runAutomatic();
            const QStringList rows = pairRows(window->table(), window->table()->nextRow(1));
            QVERIFY(rows.size() > 600);
            if (!clicks)
                plain = rows;
            else
                QVERIFY(rows == plain);
            tearDownTest();
            setUpTest();
        }
    }

    void aBadCurveNumberEndsTheRunBeforeAnything() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        child<QLineEdit>(controls::curveNumber)->setText("2x");
        const Raster before = shownRaster(window->document());
        child<QToolButton>(controls::autoDigitize)->click();
        QCOMPARE(prompter_->messages.last(), QString("'2x' is not a valid integer value"));
        QVERIFY(!prompter_->dialogNames.contains("PixelFormat"));
        for (int column = 1; column <= 2; ++column)
            QVERIFY(window->table()->isEmpty(column, 1));
        QVERIFY(shownRaster(window->document()) == before);
        QVERIFY(!child<Ruler>(controls::horizontalRuler)->isHidden());
        QVERIFY(window->menuBar()->isEnabled());
        QVERIFY(!child<QToolButton>(controls::autoDigitize)->isChecked());
    }

    // A typed grid entry that is no whole number ends the run before it writes: the Table, the
    // curve's next row and the undo of the previous run stay as they were.
    void aBadGridEntryLeavesTheTableAndTheUndo() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        Table* t = window->table();
        runAutomatic();
        const int rows = t->nextRow(1);
        QVERIFY(rows > 600);
        const QStringList written = pairRows(t, rows + 1);
        runAutomatic([](AutoDigitizeSettingsDialog* d) {
            d->typedGridSwitch->setChecked(true);
            QTest::keyClicks(d->horizontalLinesField, "10 x");
        });
        QCOMPARE(prompter_->messages.last(), QString("'x' is not a valid integer value"));
        QCOMPARE(pairRows(t, rows + 1), written);
        QCOMPARE(t->nextRow(1), rows);
        child<QAction>(controls::undoDigitization)->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(2, rows));
        QCOMPARE(t->nextRow(1), 1);
    }

    // Points whose graph values do not convert are not written and not counted.
    void pointsThatDoNotConvertAreLeftOut() {
        MainWindow* window = createWindow();
        Raster raster(40, 30, PixelFormat::Bit24, kWhite);
        for (int x = 0; x < 40; ++x)
            raster.setPixel(x, 15, kBlack);
        window->openImageFile(writeRaster("o.bmp", raster), ImageReader::BuiltIn);
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(10, 25));
        sendMouse(image, QEvent::MouseMove, QPoint(20, 5));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(20, 5));
        // A log10 X axis from 1 at column 10 to 1E300 at column 20: beyond column 20 the values
        // overflow. The scan covers the whole width.
        const char* values[4] = {"1", "0", "1E300", "1"};
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        child<QComboBox>(controls::xTransfer)->setCurrentIndex(1);
        child<QToolButton>(controls::selectAreaOnly)->setChecked(true);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(0, 29));
        sendMouse(image, QEvent::MouseMove, QPoint(39, 0));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(39, 0));
        runAutomatic();
        Table* t = window->table();
        // Columns 1 to 20 convert (rows 1 to 20); columns 21 to 37 do not and are not counted.
        QCOMPARE(t->cell(1, 20), QString("1E300"));
        QCOMPARE(t->cell(2, 20), QString("0.5"));
        QVERIFY(t->isEmpty(1, 21));
        QCOMPARE(t->nextRow(1), 20);
        QCOMPARE(t->rowCountSetting(), 30);
        QCOMPARE(window->statusText(4), QString("Error!"));
        child<QAction>(controls::undoDigitization)->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(1, 20));
        QCOMPARE(t->nextRow(1), 1);
    }

    // Undo after older rows: the automatic run ("At the end of existing data") and a search
    // stroke take back their own rows only, and the curve continues where it did before.
    void undoKeepsRowsWrittenBefore() {
        for (const bool automatic : {true, false}) {
            MainWindow* window = calibratedSine();
            QVERIFY(window);
            Table* t = window->table();
            for (int row = 1; row <= 5; ++row)
                t->setCell(1, row, QString::number(row));
            t->setNextRow(1, 6);
            if (automatic) {
                runAutomatic([](AutoDigitizeSettingsDialog* d) {
                    d->tableStartGroup->button(AutoDigitizeSettingsDialog::AtEnd)->setChecked(true);
                });
                QVERIFY(t->isEmpty(1, 6));
                QVERIFY(!t->isEmpty(1, 7));
            } else {
                prompter_->answers.push_back(Answer::No); // keep the Table
                child<QToolButton>(controls::searchTool)->click();
                searchStroke(150, 600);
                QVERIFY(!t->isEmpty(1, 6));
            }
            const int end = t->nextRow(1);
            QVERIFY(end > 10);
            child<QAction>(controls::undoDigitization)->trigger();
            for (int row = 1; row <= 5; ++row)
                QVERIFY2(t->cell(1, row) == QString::number(row), automatic ? "run" : "search");
            for (int row = 6; row <= end; ++row)
                QVERIFY(t->isEmpty(1, row) && t->isEmpty(2, row));
            QCOMPARE(t->nextRow(1), 6);
            tearDownTest();
            setUpTest();
        }
    }

    void aRunThatFindsNothingSaysSo() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        prompter_->colours.push_back(QColor(0, 200, 0)); // no pixel has this colour
        child<QAction>(controls::curveColour)->trigger();
        window->table()->setCell(1, 1, "old");
        runAutomatic();
        QCOMPARE(window->statusText(4), QString("No point of the curve colour was found"));
        QCOMPARE(window->table()->cell(1, 1), QString("old"));
        QVERIFY(!child<QAction>(controls::undoDigitization)->isEnabled());
    }

    // Search circles are drawn with the marker size as radius on the screen, whatever the view
    // scale, in the marker colour.
    void searchCirclesHaveTheMarkerSizeAndColour() {
        MainWindow* window = calibratedSine();
        QVERIFY(window);
        emit child<QComboBox>(controls::measureBox)->activated(3); // 50 %
        QCOMPARE(window->viewScale(), 0.5);
        prompter_->answers.push_back(Answer::No);
        child<QToolButton>(controls::searchTool)->click();
        auto* image = child<ImageView>(controls::imageView);
        searchStroke(150, 600, 0.5);
        QVERIFY(window->table()->nextRow(1) > 5);
        QVERIFY(!image->overlayCircles().empty());
        for (const auto& circle : image->overlayCircles()) {
            QCOMPARE(circle.radius, 10.0);
            QCOMPARE(circle.colour, window->markerColour());
        }
    }

    void stepFields() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("w.bmp", Raster(700, 100, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        auto* image = child<ImageView>(controls::imageView);
        child<QToolButton>(controls::rectangleTool)->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(50, 90));
        sendMouse(image, QEvent::MouseMove, QPoint(650, 10));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(650, 10));
        // W = 600; from 1, to 600, step 1.
        auto* from = child<QSpinBox>(controls::firstRow);
        auto* to = child<QSpinBox>(controls::lastRow);
        auto* step = child<QSpinBox>(controls::step);
        QCOMPARE(to->value(), 600);
        step->setValue(3);
        QCOMPARE(to->value(), 201);
        to->setValue(301);
        QCOMPARE(step->value(), 2);
        // With graph values 0 .. 10 the step caption shows D / (to - from).
        child<QLineEdit>(controls::xLeftBottom)->setText("0");
        child<QLineEdit>(controls::xRightTop)->setText("10");
        QCOMPARE(window->findChild<QAction*>(controls::graphStep)->text(),
                 QString("0.0333333333333333"));
        // from = to: the step keeps its value and the failure is reported.
        from->setValue(to->value());
        QCOMPARE(step->value(), 2);
        QCOMPARE(window->statusText(4), QString("Wow!!! EZeroDivide!"));
        // One-valuedness and the thickness field.
        auto* oneValued = child<QCheckBox>(controls::oneValuedness);
        oneValued->click();
        QVERIFY(child<QSpinBox>(controls::curveThickness)->isEnabled());
        oneValued->click();
        QVERIFY(!child<QSpinBox>(controls::curveThickness)->isEnabled());
    }

    // Colour intervals need 16, 24 or 32 bits per pixel; brightness needs more than 1 bit.
    void settingsDialogPagesByPixelFormat() {
        const struct {
            PixelFormat format;
            bool colour, brightness;
        } cases[] = {{PixelFormat::Bit1, false, false}, {PixelFormat::Bit4, false, true},
                     {PixelFormat::Bit8, false, true},  {PixelFormat::Bit15, false, true},
                     {PixelFormat::Bit16, true, true},  {PixelFormat::Bit24, true, true},
                     {PixelFormat::Bit32, true, true},  {PixelFormat::Device, false, true}};
        for (const auto& c : cases) {
            AutoDigitizeSettingsDialog dialog(kRed);
            dialog.prepare(c.format);
            QCOMPARE(dialog.pages->widget(0)->isEnabled(), c.colour);
            QCOMPARE(dialog.brightnessSwitch->isEnabledTo(dialog.pages->widget(1)), c.brightness);
        }
        // Both colour pages read the colour under the mouse into their own R=, G=, B= labels.
        AutoDigitizeSettingsDialog grey(kBlack);
        grey.prepare(PixelFormat::Bit24);
        QCOMPARE(grey.pages->currentIndex(), 1);
        QMouseEvent move(QEvent::MouseMove, QPointF(299, 10), QPointF(299, 10), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grey.greyScale, &move);
        QCOMPARE(grey.brightnessRedLabel->text(), QString("R=255"));
        QCOMPARE(grey.brightnessBlueLabel->text(), QString("B=255"));
        QCOMPARE(grey.redLabel->text(), QString("R="));
    }

    void settingsDialogInterlocks() {
        AutoDigitizeSettingsDialog dialog(kRed);
        dialog.prepare(PixelFormat::Bit24);
        QVERIFY(dialog.colourIntervalSwitch->isEnabled());
        QVERIFY(!dialog.pages->widget(1)->isEnabled()); // brightness only for a grey curve
        dialog.closestHueBox->setChecked(false);
        dialog.colourIntervalSwitch->setChecked(true);
        QVERIFY(dialog.closestHueBox
                    ->isChecked()); // switching the colour interval on re-checks closest hue
        dialog.gridSearchSwitch->setChecked(true);
        QVERIFY(!dialog.colourIntervalSwitch->isChecked());
        QVERIFY(!dialog.colourIntervalSwitch->isEnabled());
        dialog.typedGridSwitch->setChecked(true);
        QVERIFY(!dialog.gridSearchSwitch->isChecked());
        dialog.typedGridSwitch->setChecked(false);
        QVERIFY(dialog.colourIntervalSwitch->isEnabled());
        // Space presses count the typed grid entries; pasted text does not.
        dialog.typedGridSwitch->setChecked(true);
        QTest::keyClicks(dialog.horizontalLinesField, "10 20 30");
        QCOMPARE(dialog.spacePressesH(), 3);
        dialog.verticalLinesField->setText("1 2 3");
        QCOMPARE(dialog.spacePressesV(), 1);
        dialog.acceptSettings();
        QVERIFY(dialog.grid().typedOn);
        QCOMPARE(dialog.recognition().mode, RecognitionMode::Exact);

        AutoDigitizeSettingsDialog mono(kBlack);
        mono.prepare(PixelFormat::Bit1);
        QVERIFY(!mono.colourIntervalSwitch->isEnabled());
        QVERIFY(!mono.brightnessSwitch->isEnabled());
        AutoDigitizeSettingsDialog grey(kBlack);
        grey.prepare(PixelFormat::Bit24);
        QCOMPARE(grey.pages->currentIndex(), 1);
        grey.brightnessSwitch->setChecked(true);
        grey.towardsBlackBox->setChecked(true);
        grey.acceptSettings();
        QCOMPARE(grey.recognition().mode, RecognitionMode::TowardsBlack);
        QVERIFY(!grey.cancelled());
    }

    // Recognition by colour distance from the dialog's Distance page: sub-pixel points at the
    // line's centre; the choice is kept for the next run and for manual input, which snaps to
    // the same centre.
    void distanceRecognitionThroughTheDialog() {
        MainWindow* window = calibratedAntiAliasedLine();
        runAutomatic([](AutoDigitizeSettingsDialog* dialog) {
            QVERIFY(!dialog->distanceSwitch->isChecked()); // off until chosen
            dialog->distanceSwitch->setChecked(true);
            dialog->toleranceBox->setValue(30);
            dialog->subPixelBox->setChecked(true);
        });
        Table* t = window->table();
        QVERIFY2(t->nextRow(1) > 90, qPrintable(QString::number(t->nextRow(1))));
        for (int r = 1; r <= t->nextRow(1); ++r)
            QVERIFY2(std::abs(t->cell(2, r).toDouble() - 39.7) < 0.1, qPrintable(t->cell(2, r)));
        IniFile stored(window->ini().path());
        QVERIFY(stored.readBool(ini::kAuto, ini::kColourDistance, false));
        QCOMPARE(stored.readInteger(ini::kAuto, ini::kDistanceTolerance, 0), 30);
        QVERIFY(stored.readBool(ini::kAuto, ini::kSubPixel, false));
        // The next run opens with the choice made.
        bool shownAsChosen = false;
        prompter_->dialogs.push_back([&shownAsChosen](QDialog* d) {
            auto* dialog = static_cast<AutoDigitizeSettingsDialog*>(d);
            shownAsChosen = dialog->distanceSwitch->isChecked() &&
                            dialog->toleranceBox->value() == 30 && dialog->subPixelBox->isChecked();
            return false; // closed without a run
        });
        child<QToolButton>(controls::autoDigitize)->click();
        QVERIFY(shownAsChosen);
        // After a restart (on a picture without the run's markers) manual input with
        // self-correction snaps to the centre of the line.
        tearDownTest();
        calibratedAntiAliasedLine();
        prompter_->answers.push_back(Answer::Yes); // clear X1, Y1
        child<QToolButton>(controls::manualInputTool)->click();
        auto* image = child<ImageView>(controls::imageView);
        sendMouse(image, QEvent::MouseButtonPress, QPoint(60, 27));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(60, 27));
        t = window_->table();
        QCOMPARE(t->cell(1, 1), QString("50"));
        QVERIFY2(std::abs(t->cell(2, 1).toDouble() - 39.7) < 0.1, qPrintable(t->cell(2, 1)));
    }
};

int runAutoTest(int argc, char** argv) {
    AutoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "auto_test.moc"
