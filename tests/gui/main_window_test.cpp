// The main window driven as a user would, offscreen, with scripted answers to its dialogs.
#include "app/gui/interface_options_dialog.h"
#include "app/gui/main_window.h"
#include "app/gui/screen.h"
#include "app/gui/single_instance.h"
#include "charts.h"
#include "components/calculator_dialog.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "core/canvas.h"
#include "gui_fixture.h"
#include "image/bmp.h"
#include "image/gui/paste_format_dialog.h"
#include "image/gui/picture_commands.h"
#include "image/gui/scanner_dialog.h"
#include "image/image_error.h"
#include "image/pixel_format.h"
#include "table/table.h"
#include "virtual_scanner.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <functional>
#include <future>
#include <new>

using namespace quorvex;

class MainWindowTest : public WindowFixture {
    Q_OBJECT

    // The state of every number box, check box and checkable action of the window, by name.
    QMap<QString, QString> controlStates() const {
        QMap<QString, QString> states;
        for (auto* box : window_->findChildren<QSpinBox*>())
            states[box->objectName()] = QString::number(box->value());
        for (auto* box : window_->findChildren<QDoubleSpinBox*>())
            states[box->objectName()] = QString::number(box->value());
        for (auto* box : window_->findChildren<QCheckBox*>())
            states[box->objectName()] = box->isChecked() ? "on" : "off";
        for (auto* action : window_->findChildren<QAction*>())
            if (action->isCheckable() && !action->objectName().isEmpty())
                states[action->objectName()] = action->isChecked() ? "on" : "off";
        states.remove(QString());
        return states;
    }

    // Whether the control or command with this object name is enabled.
    bool enabled(const char* name) const {
        QObject* found = window_->findChild<QObject*>(QString::fromLatin1(name));
        if (auto* action = qobject_cast<QAction*>(found)) return action->isEnabled();
        if (auto* widget = qobject_cast<QWidget*>(found)) return widget->isEnabled();
        qFatal("no control %s", name);
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void firstStartWritesDefaultsAndShowsTheHintOnce() {
        MainWindow* window = createWindow(true);
        QTRY_COMPARE(prompter_->dialogNames.count("HintForm"), 1);
        QVERIFY(!window->startupHintPending());
        window->update();
        QTest::qWait(0);
        QCOMPARE(prompter_->dialogNames.count("HintForm"), 1);
        QFile cfg(window->digitizeCfgFile());
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        QCOMPARE(cfg.readAll(), QByteArray("1\n1\n1\n2\n1\n1\n1\n1\n1\n"));
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16"));
        // The defaults turn "Poly Bezier for manual" off in the first run.
        QVERIFY(!child<QCheckBox>(controls::polyBezier)->isChecked());
        QVERIFY(!child<QAction>(controls::purgeImage)->isEnabled());
        QVERIFY(!child<QAction>(controls::saveTable)->isEnabled());
        QVERIFY(child<QAction>(controls::openImage)->isEnabled());
        QCOMPARE(window->table()->rowCountSetting(), 30);
    }

    void closingAsksAboutTheTableOnlyWithData() {
        MainWindow* window = createWindow();
        window->close();
        QVERIFY(prompter_->questions.isEmpty());
        // The settings writer ran: Line size follows Point size, and digitize.cfg has nine lines.
        IniFile ini(iniFilePath(QCoreApplication::applicationFilePath()));
        QCOMPARE(ini.readString(ini::kGrapher, ini::kLineSize, ""), QString("2"));
        QCOMPARE(ini.readString(ini::kApplication, ini::kHint, ""), QString("10000"));
        window_.reset();

        window = createWindow();
        window->table()->setCell(2, 1, "5");
        QApplication::clipboard()->setText("something");
        prompter_->answers = {Answer::Yes, Answer::Yes};
        window->close();
        QCOMPARE(prompter_->questions,
                 (QStringList{"The Table containes the data.  Save its?",
                              "The Clipboard containes the object.  Purge it?"}));
        QCOMPARE(prompter_->dialogNames.last(),
                 QString("ExportTO")); // Yes opens the save of the Table
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void opensEachFormatThroughTheDialog() {
        MainWindow* window = createWindow();
        const struct {
            QString path;
            int filter;
            bool switched;
            PixelFormat format;
        } cases[] = {
            {writeRaster("a.bmp", convertPixelFormat(Raster(30, 20, PixelFormat::Bit24, kRed),
                                                     PixelFormat::Bit8)),
             0, false, PixelFormat::Bit8},
            {saveQImage("b.jpg", "JPG"), 0, false, PixelFormat::Bit24},
            {saveQImage("c.png", "PNG"), 3, false, PixelFormat::Bit24},
            {saveQImage("d.tif", "TIFF"), 0, false, PixelFormat::Bit24},
            {saveQImage("e.ico", "ICO"), 3, false, PixelFormat::Bit24},
        };
        for (const auto& c : cases) {
            prompter_->messages.clear();
            openThroughDialog(c.path, c.filter, c.switched);
            QVERIFY2(prompter_->messages.isEmpty(), qPrintable(prompter_->messages.join("; ")));
            QCOMPARE(window->windowTitle(), "Quorvex 2.16 - " + QFileInfo(c.path).fileName());
            QCOMPARE(window->document().raster.format(), c.format);
            QCOMPARE(window->document().fileName, c.path);
            QCOMPARE(recentSettings().front(), c.path);
            QCOMPARE(child<QLineEdit>(controls::xLeftBottom)->text(), QString("0"));
            QVERIFY(!child<QLineEdit>(controls::xLeftBottom)->isEnabled());
            QVERIFY(child<QAction>(controls::purgeImage)->isEnabled());
            QVERIFY(child<QAction>(controls::fixCoordinates)->isEnabled());
            QVERIFY(child<QToolButton>(controls::formatButton)->isEnabled());
            QCOMPARE(child<QComboBox>(controls::measureBox)->currentText(), QString("100%"));
            QVERIFY(child<ImageView>(controls::imageView)->isEnabled());
            QCOMPARE(child<ImageView>(controls::imageView)->size(),
                     QSize(window->document().raster.width(), window->document().raster.height()));
        }
        // The newest file first, the four latest only; the menu shows their names.
        QCOMPARE(recentSettings(),
                 (QStringList{cases[4].path, cases[3].path, cases[2].path, cases[1].path}));
        QCOMPARE(child<QAction>(controls::recentFile1)->text(), QString("e.ico"));
        QCOMPARE(child<QAction>(controls::format24Bit)->isChecked(), true);
        QCOMPARE(window->ini().readString(ini::kImage, ini::kDirectory, ""), files_.path());
    }

    void gifReaderByFileTypeOrExtension() {
        MainWindow* window = createWindow();
        // A GIF: by its extension through the first file type, and by switching the file type.
        const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 2,   0,    1,    0, 0x80, 0,
                                     0,   0,   0,   0,   255, 255, 255, ',',  0,    0, 0,    0,
                                     2,   0,   1,   0,   0,   2,   2,   0x0C, 0x0A, 0, ';'};
        for (const char* name : {"g.GIF", "g.dat"}) {
            QFile f(files_.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(reinterpret_cast<const char*>(gif), sizeof gif);
        }
        openThroughDialog(files_.filePath("g.GIF"), 0, false);
        QCOMPARE(window->document().raster.width(), 2);
        openThroughDialog(files_.filePath("g.dat"), 1, true);
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - g.dat"));
        // A BMP right after, without switching the file type again: the built-in reader.
        const QString bmp = writeRaster("after.bmp", Raster(5, 5, PixelFormat::Bit24));
        openThroughDialog(bmp, 1, false);
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(window->document().raster.width(), 5);
    }

    void unsupportedTypeChangesNothing() {
        MainWindow* window = createWindow();
        const QString bmp = writeRaster("keep.bmp", Raster(7, 3, PixelFormat::Bit24));
        openThroughDialog(bmp);
        const QStringList recent = recentSettings();
        QFile gif(files_.filePath("mixed.Gif"));
        QVERIFY(gif.open(QIODevice::WriteOnly));
        gif.write("GIF89a");
        gif.close();
        openThroughDialog(files_.filePath("mixed.Gif"), 3, false);
        QCOMPARE(prompter_->messages.size(), 1);
        QVERIFY(prompter_->messages.front().contains("GIF"));
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - keep.bmp"));
        QCOMPARE(window->document().raster.width(), 7);
        QCOMPARE(recentSettings(), recent);
        // A damaged file: the same.
        QFile broken(files_.filePath("broken.bmp"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM1234");
        broken.close();
        openThroughDialog(files_.filePath("broken.bmp"));
        QCOMPARE(prompter_->messages.size(), 2);
        QCOMPARE(window->document().raster.width(), 7);
    }

    void recentEntriesReopenInTheirOrder() {
        MainWindow* window = createWindow();
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << writeRaster(QString("r%1.bmp").arg(i), Raster(4 + i, 4, PixelFormat::Bit24));
        for (const QString& p : paths)
            openThroughDialog(p);
        // Slots now: r3, r2, r1, r0. Slot 3 to the front: r1, r3, r2, r0.
        child<QAction>(controls::recentFile3)->trigger();
        QCOMPARE(recentSettings(), (QStringList{paths[1], paths[3], paths[2], paths[0]}));
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - r1.bmp"));
        QCOMPARE(window->document().raster.width(), 5);
        // A reopened file that is gone gives the red cross.
        QFile::remove(paths[3]);
        child<QAction>(controls::recentFile2)->trigger();
        QCOMPARE(window->document().raster.width(), 32);
        QCOMPARE(window->document().raster.pixel(2, 2), kRed);
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - r3.bmp"));
        // "Reload Image file" reopens slot 1.
        child<QAction>(controls::reloadImage)->trigger();
        QCOMPARE(recentSettings().front(), paths[3]);
    }

    void newImageClearsOnlyTheFirstPair() {
        MainWindow* window = createWindow();
        Table* t = window->table();
        t->setPairCount(2);
        t->setCell(1, 1, "1");
        t->setCell(2, 1, "2");
        t->setCell(3, 1, "3");
        t->setCell(4, 2, "4");
        openThroughDialog(writeRaster("n.bmp", Raster(3, 3, PixelFormat::Bit24)));
        QVERIFY(t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(2, 1));
        QCOMPARE(t->cell(3, 1), QString("3"));
        QCOMPARE(t->cell(4, 2), QString("4"));
        // With the option off nothing is cleared.
        child<QAction>(controls::clearTableOnNewImage)->trigger();
        t->setCell(1, 1, "9");
        openThroughDialog(writeRaster("m.bmp", Raster(3, 3, PixelFormat::Bit24)));
        QCOMPARE(t->cell(1, 1), QString("9"));
    }

    void blackAndWhiteImagesBecomeColourUntilTheFormatIsChanged() {
        MainWindow* window = createWindow();
        Raster mono(8, 8, PixelFormat::Bit1, kWhite);
        mono.setPixel(1, 1, kBlack);
        const QString path = writeRaster("mono.bmp", mono);
        openThroughDialog(path);
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit24);
        QVERIFY(child<QAction>(controls::format24Bit)->isChecked());
        QCOMPARE(window->markerColour(), kRed);
        child<QAction>(controls::colourConversion)->trigger(); // off
        openThroughDialog(path);
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit1);
        QVERIFY(child<QAction>(controls::format1Bit)->isChecked());
        QCOMPARE(window->markerColour(), kGrey);
        child<QAction>(controls::colourConversion)->trigger(); // on again
        // After any command of the format menu, 1-bit images stay as they are.
        child<QAction>(controls::format8Bit)->trigger();
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit8);
        openThroughDialog(path);
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit1);
        // "gray" on an 8-bit raster leaves it, but the item is checked.
        child<QAction>(controls::format8Bit)->trigger();
        const Raster before = window->document().raster;
        child<QAction>(controls::formatGray)->trigger();
        QVERIFY(child<QAction>(controls::formatGray)->isChecked());
        QVERIFY(window->document().raster == before);
    }

    void pasteWithAChosenFormat() {
        MainWindow* window = createWindow();
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        QApplication::clipboard()->setImage(image);
        QTRY_VERIFY(child<QAction>(controls::pasteImage)->isEnabled());
        prompter_->dialogs.push_back([](QDialog* d) {
            static_cast<PasteFormatDialog*>(d)->setChoice(PasteFormatDialog::Bit8);
            return true;
        });
        child<QAction>(controls::pasteImage)->trigger();
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - image pasted from clipboard"));
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit8);
        QCOMPARE(window->document().raster.width(), 6);
        QVERIFY(child<QAction>(controls::format8Bit)->isChecked());
        // "no changes" keeps the clipboard's own format; Cancel changes nothing.
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        child<QAction>(controls::pasteImage)->trigger();
        QCOMPARE(window->document().raster.format(), PixelFormat::Bit24);
        prompter_->dialogs.push_back([](QDialog*) { return false; });
        window->setWindowTitle("unchanged");
        child<QAction>(controls::pasteImage)->trigger();
        QCOMPARE(window->windowTitle(), QString("unchanged"));
        // Text in the clipboard: the status message, the picture stays.
        QApplication::clipboard()->setText("no picture");
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        window->part<PictureCommands>()->pasteImage();
        QCOMPARE(window->statusText(4), QString("WOW! Not graphic format in Clipboard"));
        QCOMPARE(window->document().raster.width(), 6);
    }

    void copyPurgeAndSave() {
        MainWindow* window = createWindow();
        openThroughDialog(writeRaster("s.bmp", Raster(9, 5, PixelFormat::Bit24, kRed)));
        child<QAction>(controls::copyImage)->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(9, 5));
        QVERIFY(child<QAction>(controls::purgeClipboard)->isEnabled());
        child<QAction>(controls::purgeClipboard)->trigger();
        QVERIFY(QApplication::clipboard()->image().isNull());
        QVERIFY(!child<QAction>(controls::purgeClipboard)->isEnabled());

        // Saving over an existing file happens only after Yes.
        const QString target = files_.filePath("saved.bmp");
        writeBmpFile(Raster(1, 1, PixelFormat::Bit24), target);
        prompter_->savePaths = {target, target};
        prompter_->answers = {Answer::No, Answer::Yes};
        child<QAction>(controls::saveImage)->trigger();
        QCOMPARE(readBuiltIn(target).width(), 1);
        child<QAction>(controls::saveImage)->trigger();
        QCOMPARE(readBuiltIn(target).width(), 9);
        QCOMPARE(prompter_->questions.count("The file already exists, exchange it?"), 2);

        child<QAction>(controls::purgeImage)->trigger();
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16"));
        QVERIFY(window->document().raster.isEmpty());
        QVERIFY(!child<ImageView>(controls::imageView)->isEnabled());
        QVERIFY(child<QAction>(controls::saveImage)->isEnabled());
        child<QAction>(controls::saveImage)->trigger();
        QCOMPARE(prompter_->messages.last(), QString("There is no image."));
    }

    void interfaceLockLeavesStopAlone() {
        MainWindow* window = createWindow();
        auto* stop = child<QPushButton>(controls::stop);
        stop->setEnabled(true);
        window->setInterfaceEnabled(false);
        QVERIFY(stop->isEnabled());
        QVERIFY(!window->menuBar()->isEnabled());
        QVERIFY(!child<QLineEdit>(controls::curveNumber)->isEnabled());
        QVERIFY(!child<QTabWidget>(controls::pages)->isEnabled());
        window->setInterfaceEnabled(true);
        QVERIFY(window->menuBar()->isEnabled());
        QVERIFY2(!child<QAction>(controls::purgeImage)->isEnabled(), "items keep their own state");
        stop->setEnabled(false);
        window->setInterfaceEnabled(true);
        QVERIFY(!stop->isEnabled());
    }

    void curveControlsDriveTheTable() {
        MainWindow* window = createWindow();
        child<SpinButton>(controls::curveSpinButton)->upButton()->click();
        QCOMPARE(child<QLineEdit>(controls::curveNumber)->text(), QString("2"));
        QCOMPARE(child<QSpinBox>(controls::pairCount)->value(), 2);
        QCOMPARE(child<QLabel>(controls::curveLabel)->text(), QString("N2"));
        auto* grid = child<QTableView>(controls::tableView);
        QCOMPARE(grid->model()->columnCount(), 4);
        QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QString("X2*"));
        // Typing a cell in row 20 moves the curve's next row there and enables the data commands.
        grid->model()->setData(grid->model()->index(19, 2), "7", Qt::EditRole);
        QCOMPARE(window->table()->nextRow(2), 20);
        QVERIFY(child<QAction>(controls::saveTable)->isEnabled());
        QVERIFY(child<QToolButton>(controls::clearTable)->isEnabled());
        // The Clear drop-down.
        child<QSpinBox>(controls::rowCount)->setValue(50);
        QCOMPARE(grid->model()->rowCount(), 50);
        child<QLineEdit>(controls::curveNumber)->setText("x");
        child<SpinButton>(controls::curveSpinButton)->downButton()->click();
        QCOMPARE(prompter_->messages.last(), QString("'x' is not a valid integer value"));
    }

    void aCellEditUnderABadCurveNumberKeepsTheTable() {
        MainWindow* window = createWindow();
        Table* t = window->table();
        t->setCell(1, 1, "keep");
        auto* curve = child<QLineEdit>(controls::curveNumber);
        curve->selectAll();
        QTest::keyClicks(curve, "121,5");
        child<QTabWidget>(controls::pages)->setCurrentIndex(1);
        auto* grid = child<QTableView>(controls::tableView);
        const QPoint cell = grid->visualRect(grid->model()->index(2, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "7");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(t->cell(1, 3), QString("7")); // the grid commits after the key
        QTRY_COMPARE(prompter_->messages.value(0), QString("'121,5' is not a valid integer value"));
        QCOMPARE(t->cell(1, 1), QString("keep"));
        QCOMPARE(t->nextRow(1), 1);
        // The edit finished normally: the editor is closed.
        QTRY_VERIFY(!grid->viewport()->findChild<QLineEdit*>() ||
                    !grid->viewport()->findChild<QLineEdit*>()->isVisible());
    }

    // The guard where events are delivered: an error that escapes a handler becomes a message.
    void anEscapedErrorIsReportedAndTheProgramGoesOn() {
        MainWindow* window = createWindow();
        window->table()->setCell(1, 1, "5");
        struct Thrower : QObject {
            std::function<void()> raise;
            bool event(QEvent* e) override {
                if (e->type() == QEvent::User) raise();
                return QObject::event(e);
            }
        } thrower;
        const struct {
            std::function<void()> raise;
            QString reported;
        } cases[] = {
            {[] { parseInt("12a"); }, "'12a' is not a valid integer value"},
            {[] { throw ImageError("cannot read"); }, "cannot read"},
            {[] { throw std::bad_alloc(); }, "There is not enough memory for this command."},
            {[] { throw std::runtime_error("boom"); }, "The command failed: boom"},
        };
        for (const auto& c : cases) {
            thrower.raise = c.raise;
            QEvent event(QEvent::User);
            QApplication::sendEvent(&thrower, &event);
            QCOMPARE(prompter_->messages.last(), c.reported);
        }
        QCOMPARE(window->table()->cell(1, 1), QString("5"));
    }

    void secondStartBringsTheFirstForwardOnlyWithTheBareTitle() {
        MainWindow* window = createWindow();
        SingleInstance instance(
            [window](const QString& path) { return window->answerLaterStart(path); });
        QVERIFY(instance.isListening());
        auto ask = [](const QString& path) {
            return std::async(std::launch::async, [path] {
                return SingleInstance::activateRunningInstance(path, 3000);
            });
        };
        auto first = ask(QString());
        QTRY_VERIFY(first.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(first.get());
        openThroughDialog(writeRaster("i.bmp", Raster(3, 3, PixelFormat::Bit24)));
        auto second = ask(QString());
        QTRY_VERIFY(second.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(!second.get());
    }

    // A file opened from a file manager while Quorvex runs without a picture opens in that
    // window (a name with a line break and non-ASCII letters survives the hand-over); once a
    // picture is shown, a later start goes on by itself.
    void secondStartHandsItsPictureToTheFirst() {
        MainWindow* window = createWindow();
        SingleInstance instance(
            [window](const QString& path) { return window->answerLaterStart(path); });
        const QString path = writeRaster("chart\nграфик.bmp", Raster(5, 4, PixelFormat::Bit24));
        auto handed = std::async(std::launch::async, [path] {
            return SingleInstance::activateRunningInstance(path, 3000);
        });
        QTRY_VERIFY(handed.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(handed.get());
        QTRY_COMPARE(window->document().raster.width(), 5);
        QVERIFY(window->windowTitle().contains(QString("график")));

        const QString other = writeRaster("other.bmp", Raster(7, 4, PixelFormat::Bit24));
        auto refused = std::async(std::launch::async, [other] {
            return SingleInstance::activateRunningInstance(other, 3000);
        });
        QTRY_VERIFY(refused.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(!refused.get());
        QCoreApplication::processEvents();
        QCOMPARE(window->document().raster.width(), 5);
    }

    void scannerThroughTheTestBackend() {
        QVERIFY(VirtualScanner::instance().enable(false));
        MainWindow* window = createWindow();
        child<QAction>(controls::selectScanner)->trigger();
        QCOMPARE(prompter_->messages.size(), 1);
        QVERIFY(prompter_->messages.front().startsWith("No scanner was found"));

        QVERIFY(VirtualScanner::instance().enable(true));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<ScannerSourceDialog*>(d);
            return dialog->list()->count() == 1 && dialog->chosenDevice().startsWith("test:");
        });
        child<QAction>(controls::selectScanner)->trigger();
        child<QAction>(controls::scanImage)->trigger();
        QCOMPARE(prompter_->messages.size(), 1);
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - image scanned"));
        QCOMPARE(window->document().raster.width(), 78);
        QCOMPARE(window->document().raster.height(), 59);
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
        QVERIFY(window->menuBar()->isEnabled());
    }

    void aboutAndCalculator() {
        MainWindow* window = createWindow();
        prompter_->dialogs.push_back(
            [](QDialog* d) { return d->windowTitle() == "About Quorvex"; });
        child<QAction>(controls::about)->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("AboutBox1"));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* calc = static_cast<CalculatorDialog*>(d);
            for (QChar k : QString("12.5*4="))
                calc->press(k);
            return calc->display() == "50";
        });
        child<QAction>(controls::calculator)->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("RxCalculator1"));
        Q_UNUSED(window);
    }

    void badSettingsAreReportedAndTheWindowStaysUsable() {
        const QString ini = iniFilePath(QCoreApplication::applicationFilePath());
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Application]\nHint=abc\n");
        f.close();
        MainWindow* window = createWindow();
        QCOMPARE(window->settingsError(), QString("'abc' is not a valid integer value"));
        QVERIFY(prompter_->messages.contains("'abc' is not a valid integer value"));
        openThroughDialog(writeRaster("ok.bmp", Raster(4, 4, PixelFormat::Bit24)));
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - ok.bmp"));
        tearDownTest();
        setUpTest();

        // A digitize.cfg line that is no number: reported, the lines before it applied.
        QFile cfg(digitizeCfgPath(QCoreApplication::applicationFilePath()));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("1\n2\n1\n6\n12\nx\n");
        cfg.close();
        window = createWindow();
        QVERIFY(window->settingsError().contains("line 6"));
        QCOMPARE(child<QSpinBox>(controls::markerSize)->value(), 12);
    }

    // The stored placement comes back at start and when the program's own dialogs close, not
    // when the user switches back from another application.
    void placementAtStartAndAfterOwnDialogsOnly() {
        QFile f(iniFilePath(QCoreApplication::applicationFilePath()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Application]\nWindow state=wsNormal\nWindow left=10\nWindow top=20\n"
                "Window client width=900\nWindow client height=700\n");
        f.close();
        MainWindow* window = createWindow();
        QApplication::setActiveWindow(window);
        QTRY_COMPARE(window->size(), QSize(900, 700));
        window->resize(1000, 750);
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(window);
        QCoreApplication::processEvents();
        QCOMPARE(window->size(), QSize(1000, 750));
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        child<QAction>(controls::about)->trigger();
        QTRY_COMPARE(window->size(), QSize(900, 700));
    }

    void aBadLowResolutionCountOnASmallScreenIsReported() {
        struct SmallScreen {
            SmallScreen() { overridePrimaryScreenHeight(500); }
            ~SmallScreen() { overridePrimaryScreenHeight(std::nullopt); }
        } smallScreen;
        // With digitize.cfg present the defaults, which reset the count, are not written.
        const QString cfg = digitizeCfgPath(QCoreApplication::applicationFilePath());
        QVERIFY(writeDigitizeCfg(cfg, kDefaultCfgLines));
        IniFile ini(iniFilePath(QCoreApplication::applicationFilePath()));
        ini.writeString(ini::kApplication, ini::kLowResolutionCount, "abc");
        QVERIFY(ini.save());
        MainWindow* window = createWindow();
        QVERIFY(prompter_->messages.contains("'abc' is not a valid integer value"));
        QVERIFY(window->isVisible());
        // A count that reads warns, as long as it is 3 or less.
        tearDownTest();
        setUpTest();
        QVERIFY(writeDigitizeCfg(cfg, kDefaultCfgLines));
        ini.writeString(ini::kApplication, ini::kLowResolutionCount, "2");
        QVERIFY(ini.save());
        createWindow();
        QCOMPARE(prompter_->messages.count(message(Msg::LowResolution)), 1);
    }

    // Every control keeps what the user set when the program is started again.
    void settingsSurviveARestart() {
        createWindow();
        child<QSpinBox>(controls::markerSize)->setValue(9); // stored in steps of 3
        child<QCheckBox>(controls::oneValuedness)->click(); // off: the thickness field opens
        child<QSpinBox>(controls::curveThickness)->setValue(4);
        child<QSpinBox>(controls::zoomFactor)->setValue(6);
        prompter_->answers.push_back(Answer::No); // markers off, the image left as it is
        child<QAction>(controls::markers)->trigger();
        child<QAction>(controls::lineStyle)->trigger();
        child<QCheckBox>(controls::selfCorrection)->click();
        child<QSpinBox>(controls::correctionDepth)->setValue(20);
        child<QCheckBox>(controls::polyBezier)->click();
        child<QAction>(controls::clearTableOnNewImage)->trigger();
        child<QAction>(controls::colourConversion)->trigger();
        child<QAction>(controls::longHints)->trigger();
        const QMap<QString, QString> before = controlStates();
        QCOMPARE(before.value("SpinEdit5"), QString("9"));
        QCOMPARE(before.value("Zoom"), QString("6"));
        tearDownTest(); // closing writes the settings
        createWindow();
        const QMap<QString, QString> after = controlStates();
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(),
                     qPrintable(it.key() + ": " + it.value() + " became " + after.value(it.key())));
    }

    // After a long operation each control of the lock comes back only as far as the window's
    // state allows: no image, no data and an empty clipboard leave their commands off.
    void unlockingFollowsTheWindowsState() {
        MainWindow* window = createWindow();
        window->setInterfaceEnabled(false);
        window->setInterfaceEnabled(true);
        const struct {
            const char* name;
            bool enabled;
        } cases[] = {
            {controls::pasteImageButton, false}, {controls::copyImageButton, false},
            {controls::measureBox, false},       {controls::showGraphButton, false},
            {controls::imageView, false},        {controls::calibrationPanel, false},
            {controls::openButton, true},        {controls::curveNumber, true},
        };
        for (const auto& c : cases)
            QVERIFY2(child<QWidget>(c.name)->isEnabled() == c.enabled, c.name);
        QVERIFY(!child<QAction>(controls::pasteImage)->isEnabled());
        // With a picture on the clipboard, paste comes back with the rest.
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QApplication::clipboard()->setImage(picture);
        window->setInterfaceEnabled(false);
        QVERIFY(!child<QWidget>(controls::pasteImageButton)->isEnabled());
        window->setInterfaceEnabled(true);
        QVERIFY(child<QWidget>(controls::pasteImageButton)->isEnabled());
    }

    void aSettingsErrorAtStartStillChecksTheClipboard() {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QApplication::clipboard()->setImage(picture);
        QFile f(iniFilePath(QCoreApplication::applicationFilePath()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Application]\nHint=abc\n");
        f.close();
        MainWindow* window = createWindow();
        QVERIFY(!window->settingsError().isEmpty());
        QVERIFY(child<QAction>(controls::pasteImage)->isEnabled());
        QVERIFY(child<QAction>(controls::purgeClipboard)->isEnabled());
    }

    // Without a display name the window manager shows the caption exactly as the program writes
    // it; a display name would be appended to every caption but the bare title.
    void theCaptionIsShownAsWritten() {
        MainWindow* window = createWindow();
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        window->openImageFile(writeRaster("t.bmp", Raster(3, 3, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        QCOMPARE(window->windowTitle(), QString("Quorvex 2.16 - t.bmp"));
    }

    void hintsAndControlsAsDesigned() {
        createWindow();
        const struct {
            const char* name;
            const char* hint;
        } hints[] = {
            {controls::colourPickTool, "Define \"Curve color\" on the image"},
            {controls::curveColourSwatch,
             "Curve color. Click button \"Define curve color\"\r\nfor do it (on the Image). Or "
             "click here (or menu)\r\nto select color in the pallet."},
            {controls::importButton,
             "Import data from text file to Table.\r\nDelimiter must be TAB!"},
            {controls::polyBezier,
             "Interpolation for manual input, then use automatic digitization"},
            {controls::rotateTool,
             "Rotate: paint the line which will have to be horizontal after rotation"},
            {controls::pencilTool, "Pencil (or eraser)"},
        };
        for (const auto& h : hints)
            QCOMPARE(child<QWidget>(h.name)->toolTip(), QString::fromUtf8(h.hint));
        // Marker removal and the palette button are hidden by default.
        QVERIFY(!child<QWidget>(controls::curveColourButton)->isVisible());
        QVERIFY(!child<QWidget>(controls::removeMarkersButton)->isVisible());
        QVERIFY(child<QWidget>(controls::rectangleTool)->isVisible());
        // The step item starts at 1; a new image sets 0.
        QCOMPARE(child<QAction>(controls::graphStep)->text(), QString("1"));
        openThroughDialog(writeRaster("s.bmp", Raster(5, 5, PixelFormat::Bit24)));
        QCOMPARE(child<QAction>(controls::graphStep)->text(), QString("0"));
    }

    // With an image and data every command that waits for them is usable.
    void commandsFollowImageAndData() {
        MainWindow* window = createWindow();
        openThroughDialog(writeRaster("d.bmp", Raster(20, 20, PixelFormat::Bit24)));
        window->table()->setCell(1, 1, "5");
        window->table()->tableEdited(1, 1);
        const char* built[] = {"Rotate90",
                               "Rotate",
                               "Pencil",
                               "Rotatebackgroundimagecolor1",
                               "N49",
                               "SpeedButton16",
                               "Clear1",
                               "ClTabl",
                               "N50",
                               "SpeedButton2",
                               "N40",
                               "SaveImage1",
                               "Fixcoord",
                               "RectSelect",
                               "Points",
                               "Rescale1",
                               "Resc",
                               "Calculate1",
                               "SpeedButton1",
                               "Dataformat1",
                               "RxSpeedButton4",
                               "N1",
                               "Repl",
                               "X1",
                               "SpeedButton12Sort",
                               "N42",
                               "SpeedButton13",
                               "Chart_bg",
                               "TableintoExcel1",
                               "ColumninClipboard1",
                               "PasteButton",
                               "Excel2",
                               "SaveSpreadsheet",
                               "YX1",
                               "BitBtn1",
                               "N91",
                               "MG_clear",
                               "N45",
                               "SpeedButton3",
                               "SpeedButton17",
                               "ChartPrint",
                               "RxSpeedButton5",
                               "N22",
                               "MG_log",
                               "PM_clear",
                               "N51",
                               "Edit6"};
        for (const char* name : built)
            QVERIFY2(enabled(name), name);
    }

    void theZoomButtonHidesAndShowsTheZoomPicture() {
        createWindow();
        // A tall window leaves the zoom panel room to move its contents around.
        window_->setWindowState(Qt::WindowNoState);
        window_->resize(1200, 900);
        QTRY_COMPARE(window_->height(), 900);
        auto* button = child<QToolButton>(controls::zoomToggle);
        auto* picture = child<QLabel>(controls::zoomPicture);
        QVERIFY(picture->isVisible());
        const QPoint place = button->mapTo(window_.get(), QPoint(0, 0));
        button->click();
        QVERIFY(!picture->isVisible());
        // Once the layout has settled, the button has not moved away from under the mouse.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(button->mapTo(window_.get(), QPoint(0, 0)), place);
        button->click();
        QVERIFY(picture->isVisible());
        auto* dock = child<QDockWidget>(controls::zoomDock);
        QTRY_VERIFY(dock->height() >= 174 && dock->width() >= 174);
        button->click();
        QVERIFY(!picture->isVisible());
    }

    void imagesOfEveryReadableTypeAreListedAndPngIsSavedAsPng() {
        MainWindow* window = createWindow();
        openThroughDialog(
            writeRaster("p.bmp", Raster(6, 4, PixelFormat::Bit24, makeColour(10, 20, 200))));
        const QString first = prompter_->openFilters.last().first();
        for (const char* pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.ico", "*.wmf", "*.emf"})
            QVERIFY2(first.contains(pattern), pattern);
        const struct {
            QString name;
            QByteArray magic;
        } cases[] = {{"out.png", "\x89PNG"}, {"out.PNG", "\x89PNG"}, {"out.bmp", "BM"}};
        for (const auto& c : cases) {
            prompter_->savePaths.push_back(files_.filePath(c.name));
            child<QAction>(controls::saveImage)->trigger();
            QFile saved(files_.filePath(c.name));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY2(saved.read(c.magic.size()) == c.magic, qPrintable(c.name));
            QVERIFY(readBuiltIn(files_.filePath(c.name)) == window->document().raster);
        }
        QVERIFY(prompter_->saveFilters.last().join(' ').contains("*.png"));
    }

    void theTableIsSavedUnderUntitledFirst() {
        MainWindow* window = createWindow();
        window->table()->setCell(1, 1, "1");
        window->table()->tableEdited(1, 1);
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        child<QAction>(controls::saveTable)->trigger();
        QCOMPARE(prompter_->saveInitialNames.last(), QString("Untitled"));
        QCOMPARE(prompter_->saveFilters.last().first(), QString("Data files (*.dat)"));
    }

    // "," and "." typed into a number field enter the locale's decimal separator.
    void bothDecimalKeysEnterTheLocalesSeparator() {
        createWindow();
        openThroughDialog(writeRaster("k.bmp", Raster(5, 5, PixelFormat::Bit24)));
        auto* field = child<QLineEdit>(controls::xLeftBottom);
        field->setEnabled(true);
        const struct {
            QLocale locale;
            QString typed, shown;
        } cases[] = {{QLocale::c(), "1,5", "1.5"},
                     {QLocale::c(), "2.5", "2.5"},
                     {QLocale(QLocale::German), "1,5", "1,5"},
                     {QLocale(QLocale::German), "2.5", "2,5"}};
        for (const auto& c : cases) {
            QLocale::setDefault(c.locale);
            field->clear();
            QTest::keyClicks(field, c.typed);
            QCOMPARE(field->text(), c.shown);
        }
        QLocale::setDefault(QLocale::c());
    }

    void theCalculatorSurvivesAnError() {
        createWindow();
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* calc = static_cast<CalculatorDialog*>(d);
            const struct {
                QString keys, display;
            } steps[] = {{"1/0=", "Error"}, {"+2=", "Error"}, {"C", "0"}, {"5*3=", "15"}};
            for (const auto& s : steps) {
                for (QChar k : s.keys)
                    calc->press(k);
                if (calc->display() != s.display) return false;
            }
            return true;
        });
        child<QAction>(controls::calculator)->trigger();
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(prompter_->dialogNames.last(), QString("RxCalculator1"));
    }

    void interfaceOptions() {
        MainWindow* window = createWindow();
        openThroughDialog(writeRaster("o.bmp", Raster(20, 20, PixelFormat::Bit24)));
        // Cancel after switching the rulers off: they stay off, the key is not written yet.
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* o = static_cast<InterfaceOptionsDialog*>(d);
            if (o->applyButton->isEnabled() || o->languageGroup->checkedId() != 0) return false;
            o->selectNode("Image/Rulers");
            o->rulersBox->click();
            return false;
        });
        child<QAction>(controls::interfaceOptions)->trigger();
        QVERIFY(child<Ruler>(controls::horizontalRuler)->isHidden());
        QVERIFY(!window->ini().contains(ini::kImage, ini::kShowRulers) ||
                window->ini().readString(ini::kImage, ini::kShowRulers, "") == "True");
        // OK with Russian, a taller status bar and short hints.
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* o = static_cast<InterfaceOptionsDialog*>(d);
            o->languageGroup->button(1)->click();
            o->statusBarHeightBox->setValue(30);
            o->longHintsBox->setChecked(false);
            o->rulersBox->setChecked(true);
            o->acceptChanges();
            return true;
        });
        child<QAction>(controls::interfaceOptions)->trigger();
        QCOMPARE(messageLanguage(), Language::Russian);
        QCOMPARE(window->ini().readString(ini::kApplication, ini::kLanguage, ""),
                 QString("Russian"));
        QCOMPARE(window->ini().readString(ini::kImage, ini::kShowRulers, ""), QString("True"));
        QCOMPARE(window->hintTime(), 2500);
        QCOMPARE(window->statusBar()->height(), 30);
        QVERIFY(!child<Ruler>(controls::horizontalRuler)->isHidden());
        QCOMPARE(child<QAction>(controls::undoDigitization)->text(),
                 QString::fromUtf8("Отменить оцифровку"));
        QCOMPARE(child<QAction>(controls::saveProject)->text(),
                 QString::fromUtf8("Сохранить проект"));
        QCOMPARE(child<QAction>(controls::historyUndo)->text(), QString::fromUtf8("Отменить"));
        setMessageLanguage(Language::English);
    }

    void helpOpensTheFileOfTheLanguage() {
        MainWindow* window = createWindow();
        const QString beside =
            QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() + "/QUORVEX21E.HLP";
        QFile::remove(beside);
        child<QAction>(controls::help)->trigger();
        QVERIFY(prompter_->messages.last().contains("QUORVEX21E.HLP"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVEX_SOURCE_DIR "/help/QUORVEX21E.HLP"), beside));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* text = d->findChild<QTextBrowser*>("HelpText");
            return text && text->toPlainText().contains("Getting started");
        });
        child<QAction>(controls::help)->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("HelpViewer"));
        QFile::remove(beside);
        Q_UNUSED(window);
    }

    // The program installed into a prefix (by the real install rules): its folder is no place
    // for settings, so they go to the user's configuration folder, and the help comes from the
    // installed data folder.
    void installedProgramKeepsSettingsInTheUserFolderAndFindsItsHelp() {
        QTemporaryDir prefix, home;
        QCOMPARE(QProcess::execute(QUORVEX_CMAKE,
                                   {"--install", QUORVEX_BINARY_DIR, "--prefix", prefix.path()}),
                 0);
        const QString program = prefix.filePath("bin/quorvex");
        QVERIFY(QFileInfo(program).isExecutable());
        const QByteArray configDir = qgetenv("QUORVEX_CONFIG_DIR");
        qunsetenv("QUORVEX_CONFIG_DIR");
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        MainWindow* window = createWindow(false, program);
        QCOMPARE(window->ini().path(), home.filePath("quorvex/quorvex.INI"));

        prompter_->dialogs.push_back([](QDialog* d) {
            auto* text = d->findChild<QTextBrowser*>("HelpText");
            return text && text->toPlainText().contains("Calibration");
        });
        child<QAction>(controls::help)->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("HelpViewer"));
        QVERIFY(prompter_->messages.isEmpty());

        window->close();
        qputenv("QUORVEX_CONFIG_DIR", configDir);
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QFileInfo::exists(home.filePath("quorvex/quorvex.INI")));
        QVERIFY(QFileInfo::exists(home.filePath("quorvex/digitize.cfg")));
        QVERIFY(!QFileInfo::exists(prefix.filePath("bin/quorvex.INI")));
        QVERIFY(!QFileInfo::exists(prefix.filePath("bin/digitize.cfg")));
    }

    // F1 opens the help at the part about the control that has the focus.
    void f1OpensTheHelpAtTheFocusedControl() {
        MainWindow* window = createWindow();
        const struct {
            const char* control;
            const char* topic;
        } cases[] = {
            {controls::xLeftBottom, "calibration"}, {controls::tableView, "table"},
            {controls::imageView, "image"},         {controls::chart, "grapher"},
            {controls::manualInputTool, "manual"},  {controls::curveNumber, "topic4"},
        };
        for (const auto& c : cases) {
            auto* w = child<QWidget>(c.control);
            QCOMPARE(window->helpTopicFor(w), QString(c.topic));
        }
        const QString beside =
            QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() + "/QUORVEX21E.HLP";
        QVERIFY(QFile::copy(QStringLiteral(QUORVEX_SOURCE_DIR "/help/QUORVEX21E.HLP"), beside));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* corner = child<QLineEdit>(controls::xLeftBottom);
        corner->setFocus();
        QString shownAt;
        prompter_->dialogs.push_back([&shownAt](QDialog* d) {
            auto* text = d->findChild<QTextBrowser*>("HelpText");
            shownAt = text ? text->toPlainText() : QString();
            return true;
        });
        QTest::keyClick(corner, Qt::Key_F1);
        QFile::remove(beside);
        QCOMPARE(prompter_->dialogNames.last(), QString("HelpViewer"));
        QVERIFY(shownAt.contains("Calibration"));
    }

    // The view paints the document's own pixels: a drawing into the raster shows after a refresh
    // of its rectangle, and the picture is the raster's buffer, not a copy.
    void viewPaintsTheRastersOwnPixels() {
        MainWindow* window = createWindow();
        window->openImageFile(writeRaster("v.bmp", Raster(40, 30, PixelFormat::Bit24, kWhite)),
                              ImageReader::BuiltIn);
        auto* view = child<ImageView>(controls::imageView);
        Raster& raster = window->document().raster;
        QCOMPARE(view->picture().constBits(), reinterpret_cast<const uchar*>(raster.row(0)));
        Canvas canvas(raster);
        canvas.pen.colour = makeColour(0, 128, 255);
        canvas.line(5, 10, 30, 10);
        view->refresh(QRect(5, 10, 26, 1));
        QCOMPARE(view->picture().constBits(), reinterpret_cast<const uchar*>(raster.row(0)));
        const QImage shown = view->grab().toImage();
        QCOMPARE(QColor(shown.pixel(12, 10)), QColor(0, 128, 255));
        QCOMPARE(QColor(shown.pixel(12, 12)), QColor(Qt::white));
    }

    void hintTimeFollowsTheHelpItem() {
        MainWindow* window = createWindow();
        QCOMPARE(window->hintTime(), 10000);
        child<QAction>(controls::longHints)->trigger();
        QCOMPARE(window->hintTime(), 2500);
        child<QAction>(controls::longHints)->trigger();
        QCOMPARE(window->hintTime(), 10000);
    }
};

int runMainWindowTest(int argc, char** argv) {
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
