// The main window driven as a user would, offscreen, with scripted answers to its dialogs.
#include "app/gui/dialogs.h"
#include "app/gui/interface_options.h"
#include "app/gui/single_instance.h"
#include "app/gui/tform1.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "corpus.h"
#include "gui_fixture.h"
#include "image/bmp.h"
#include "image/gui/pixel_format_dialog.h"
#include "image/gui/scanner_dialog.h"
#include "image/pixel_format.h"
#include "table/table.h"
#include "virtual_scanner.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
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
#include <future>

using namespace quorvex;

class MainWindowTest : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void firstStartWritesDefaultsAndShowsTheHintOnce() {
        TForm1* form = createForm(true);
        QTRY_COMPARE(prompter_->dialogNames.count("HintForm"), 1);
        QVERIFY(!form->startupHintPending());
        form->update();
        QTest::qWait(0);
        QCOMPARE(prompter_->dialogNames.count("HintForm"), 1);
        QFile cfg(form->digitizeCfgFile());
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        QCOMPARE(cfg.readAll(), QByteArray("1\n1\n1\n2\n1\n1\n1\n1\n1\n"));
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16"));
        // The defaults turn "Poly Bezier for manual" off in the first run.
        QVERIFY(!child<QCheckBox>("Bezier")->isChecked());
        QVERIFY(!child<QAction>("N40")->isEnabled());
        QVERIFY(!child<QAction>("N49")->isEnabled());
        QVERIFY(child<QAction>("N34")->isEnabled());
        QCOMPARE(form->table()->rowCountSetting(), 30);
    }

    void closingAsksAboutTheTableOnlyWithData() {
        TForm1* form = createForm();
        form->close();
        QVERIFY(prompter_->questions.isEmpty());
        // The settings writer ran: Line size follows Point size, and digitize.cfg has nine lines.
        IniFile ini(iniFilePath(QCoreApplication::applicationFilePath()));
        QCOMPARE(ini.readString(ini::kGrapher, ini::kLineSize, ""), QString("2"));
        QCOMPARE(ini.readString(ini::kApplication, ini::kHint, ""), QString("10000"));
        form_.reset();

        form = createForm();
        form->table()->setCell(2, 1, "5");
        QApplication::clipboard()->setText("something");
        prompter_->answers = {Answer::Yes, Answer::Yes};
        form->close();
        QCOMPARE(prompter_->questions,
                 (QStringList{"The Table containes the data.  Save its?",
                              "The Clipboard containes the object.  Purge it?"}));
        QCOMPARE(prompter_->dialogNames.last(),
                 QString("ExportTO")); // Yes opens the save of the Table
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void opensEachFormatThroughTheDialog() {
        TForm1* form = createForm();
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
            QCOMPARE(form->windowTitle(), "Quorvex 2.16 - " + QFileInfo(c.path).fileName());
            QCOMPARE(form->document().raster.format(), c.format);
            QCOMPARE(form->document().fileName, c.path);
            QCOMPARE(recentSettings().front(), c.path);
            QCOMPARE(child<QLineEdit>("Edit1")->text(), QString("0"));
            QVERIFY(!child<QLineEdit>("Edit1")->isEnabled());
            QVERIFY(child<QAction>("N40")->isEnabled());
            QVERIFY(child<QAction>("Fixcoord")->isEnabled());
            QVERIFY(child<QToolButton>("RxSpeedButton6")->isEnabled());
            QCOMPARE(child<QComboBox>("ComboBoxSize")->currentText(), QString("100%"));
            QVERIFY(child<ImageView>("Image1")->isEnabled());
            QCOMPARE(child<ImageView>("Image1")->size(),
                     QSize(form->document().raster.width(), form->document().raster.height()));
        }
        // The newest file first, the four latest only; the menu shows their names.
        QCOMPARE(recentSettings(),
                 (QStringList{cases[4].path, cases[3].path, cases[2].path, cases[1].path}));
        QCOMPARE(child<QAction>("RecentFile1")->text(), QString("e.ico"));
        QCOMPARE(child<QAction>("N24bit1")->isChecked(), true);
        QCOMPARE(form->ini().readString(ini::kImage, ini::kDirectory, ""), files_.path());
    }

    void gifReaderByFileTypeOrExtension() {
        TForm1* form = createForm();
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
        QCOMPARE(form->document().raster.width(), 2);
        openThroughDialog(files_.filePath("g.dat"), 1, true);
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - g.dat"));
        // A BMP right after, without switching the file type again: the built-in reader.
        const QString bmp = writeRaster("after.bmp", Raster(5, 5, PixelFormat::Bit24));
        openThroughDialog(bmp, 1, false);
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(form->document().raster.width(), 5);
    }

    void unsupportedTypeChangesNothing() {
        TForm1* form = createForm();
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
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - keep.bmp"));
        QCOMPARE(form->document().raster.width(), 7);
        QCOMPARE(recentSettings(), recent);
        // A damaged file: the same.
        QFile broken(files_.filePath("broken.bmp"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM1234");
        broken.close();
        openThroughDialog(files_.filePath("broken.bmp"));
        QCOMPARE(prompter_->messages.size(), 2);
        QCOMPARE(form->document().raster.width(), 7);
    }

    void recentEntriesReopenInTheirOrder() {
        TForm1* form = createForm();
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << writeRaster(QString("r%1.bmp").arg(i), Raster(4 + i, 4, PixelFormat::Bit24));
        for (const QString& p : paths)
            openThroughDialog(p);
        // Slots now: r3, r2, r1, r0. Slot 3 to the front: r1, r3, r2, r0.
        child<QAction>("RecentFile3")->trigger();
        QCOMPARE(recentSettings(), (QStringList{paths[1], paths[3], paths[2], paths[0]}));
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - r1.bmp"));
        QCOMPARE(form->document().raster.width(), 5);
        // A reopened file that is gone gives the red cross.
        QFile::remove(paths[3]);
        child<QAction>("RecentFile2")->trigger();
        QCOMPARE(form->document().raster.width(), 32);
        QCOMPARE(form->document().raster.pixel(2, 2), kRed);
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - r3.bmp"));
        // "Reload Image file" reopens slot 1.
        child<QAction>("Reloadtheimagefile1")->trigger();
        QCOMPARE(recentSettings().front(), paths[3]);
    }

    void newImageClearsOnlyTheFirstPair() {
        TForm1* form = createForm();
        Table* t = form->table();
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
        child<QAction>("NewTable")->trigger();
        t->setCell(1, 1, "9");
        openThroughDialog(writeRaster("m.bmp", Raster(3, 3, PixelFormat::Bit24)));
        QCOMPARE(t->cell(1, 1), QString("9"));
    }

    void blackAndWhiteImagesBecomeColourUntilTheFormatIsChanged() {
        TForm1* form = createForm();
        Raster mono(8, 8, PixelFormat::Bit1, kWhite);
        mono.setPixel(1, 1, kBlack);
        const QString path = writeRaster("mono.bmp", mono);
        openThroughDialog(path);
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit24);
        QVERIFY(child<QAction>("N24bit1")->isChecked());
        QCOMPARE(form->markerColour(), kRed);
        child<QAction>("pf4")->trigger(); // off
        openThroughDialog(path);
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit1);
        QVERIFY(child<QAction>("N1bit1")->isChecked());
        QCOMPARE(form->markerColour(), kGrey);
        child<QAction>("pf4")->trigger(); // on again
        // After any command of the format menu, 1-bit images stay as they are.
        child<QAction>("N8bit1")->trigger();
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit8);
        openThroughDialog(path);
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit1);
        // "gray" on an 8-bit raster leaves it, but the item is checked.
        child<QAction>("N8bit1")->trigger();
        const Raster before = form->document().raster;
        child<QAction>("gray1")->trigger();
        QVERIFY(child<QAction>("gray1")->isChecked());
        QVERIFY(form->document().raster == before);
    }

    void pasteWithAChosenFormat() {
        TForm1* form = createForm();
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        QApplication::clipboard()->setImage(image);
        QTRY_VERIFY(child<QAction>("PastefromClipboard1")->isEnabled());
        prompter_->dialogs.push_back([](QDialog* d) {
            static_cast<TForm7*>(d)->setChoice(TForm7::Bit8);
            return true;
        });
        child<QAction>("PastefromClipboard1")->trigger();
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - image pasted from clipboard"));
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit8);
        QCOMPARE(form->document().raster.width(), 6);
        QVERIFY(child<QAction>("N8bit1")->isChecked());
        // "no changes" keeps the clipboard's own format; Cancel changes nothing.
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        child<QAction>("PastefromClipboard1")->trigger();
        QCOMPARE(form->document().raster.format(), PixelFormat::Bit24);
        prompter_->dialogs.push_back([](QDialog*) { return false; });
        form->setWindowTitle("unchanged");
        child<QAction>("PastefromClipboard1")->trigger();
        QCOMPARE(form->windowTitle(), QString("unchanged"));
        // Text in the clipboard: the status message, the picture stays.
        QApplication::clipboard()->setText("no picture");
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        form->ClipbrdExecute();
        QCOMPARE(form->statusText(4), QString("WOW! Not graphic format in Clipboard"));
        QCOMPARE(form->document().raster.width(), 6);
    }

    void copyPurgeAndSave() {
        TForm1* form = createForm();
        openThroughDialog(writeRaster("s.bmp", Raster(9, 5, PixelFormat::Bit24, kRed)));
        child<QAction>("CopytheimagetoClipboard1")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(9, 5));
        QVERIFY(child<QAction>("PurgeClipboard1")->isEnabled());
        child<QAction>("PurgeClipboard1")->trigger();
        QVERIFY(QApplication::clipboard()->image().isNull());
        QVERIFY(!child<QAction>("PurgeClipboard1")->isEnabled());

        // Saving over an existing file happens only after Yes.
        const QString target = files_.filePath("saved.bmp");
        writeBmpFile(Raster(1, 1, PixelFormat::Bit24), target);
        prompter_->savePaths = {target, target};
        prompter_->answers = {Answer::No, Answer::Yes};
        child<QAction>("SaveImage1")->trigger();
        QCOMPARE(readBuiltIn(target).width(), 1);
        child<QAction>("SaveImage1")->trigger();
        QCOMPARE(readBuiltIn(target).width(), 9);
        QCOMPARE(prompter_->questions.count("The file already exists, exchange it?"), 2);

        child<QAction>("N40")->trigger();
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16"));
        QVERIFY(form->document().raster.isEmpty());
        QVERIFY(!child<ImageView>("Image1")->isEnabled());
        QVERIFY(child<QAction>("SaveImage1")->isEnabled());
        child<QAction>("SaveImage1")->trigger();
        QCOMPARE(prompter_->messages.last(), QString("There is no image."));
    }

    void enabledAllLeavesStopAlone() {
        TForm1* form = createForm();
        auto* stop = child<QPushButton>("Stop");
        stop->setEnabled(true);
        form->EnabledAll(false);
        QVERIFY(stop->isEnabled());
        QVERIFY(!form->menuBar()->isEnabled());
        QVERIFY(!child<QLineEdit>("N_curve")->isEnabled());
        QVERIFY(!child<QTabWidget>("PageControl1")->isEnabled());
        form->EnabledAll(true);
        QVERIFY(form->menuBar()->isEnabled());
        QVERIFY2(!child<QAction>("N40")->isEnabled(), "items keep their own state");
        stop->setEnabled(false);
        form->EnabledAll(true);
        QVERIFY(!stop->isEnabled());
    }

    void curveControlsDriveTheTable() {
        TForm1* form = createForm();
        child<SpinButton>("RxSpinButton1")->upButton()->click();
        QCOMPARE(child<QLineEdit>("N_curve")->text(), QString("2"));
        QCOMPARE(child<QSpinBox>("Rows")->value(), 2);
        QCOMPARE(child<QLabel>("Label4")->text(), QString("N2"));
        auto* grid = child<QTableView>("Tabl");
        QCOMPARE(grid->model()->columnCount(), 4);
        QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QString("X2*"));
        // Typing a cell in row 20 moves the curve's next row there and enables the data commands.
        grid->model()->setData(grid->model()->index(19, 2), "7", Qt::EditRole);
        QCOMPARE(form->table()->nextRow(2), 20);
        QVERIFY(child<QAction>("N49")->isEnabled());
        QVERIFY(child<QToolButton>("ClTabl")->isEnabled());
        // The Clear drop-down.
        child<QSpinBox>("SpinEdit1")->setValue(50);
        QCOMPARE(grid->model()->rowCount(), 50);
        child<QLineEdit>("N_curve")->setText("x");
        child<SpinButton>("RxSpinButton1")->downButton()->click();
        QCOMPARE(prompter_->messages.last(), QString("'x' is not a valid integer value"));
    }

    void secondStartBringsTheFirstForwardOnlyWithTheBareTitle() {
        TForm1* form = createForm();
        SingleInstance instance([form] { return form->bringToFront(); });
        QVERIFY(instance.isListening());
        auto ask = [] {
            return std::async(std::launch::async,
                              [] { return SingleInstance::activateRunningInstance(3000); });
        };
        auto first = ask();
        QTRY_VERIFY(first.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(first.get());
        openThroughDialog(writeRaster("i.bmp", Raster(3, 3, PixelFormat::Bit24)));
        auto second = ask();
        QTRY_VERIFY(second.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(!second.get());
    }

    void scannerThroughTheTestBackend() {
        QVERIFY(VirtualScanner::instance().enable(false));
        TForm1* form = createForm();
        child<QAction>("SelectScaner")->trigger();
        QCOMPARE(prompter_->messages.size(), 1);
        QVERIFY(prompter_->messages.front().startsWith("No scanner was found"));

        QVERIFY(VirtualScanner::instance().enable(true));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<ScannerSourceDialog*>(d);
            return dialog->list()->count() == 1 && dialog->chosenDevice().startsWith("test:");
        });
        child<QAction>("SelectScaner")->trigger();
        child<QAction>("Scan")->trigger();
        QCOMPARE(prompter_->messages.size(), 1);
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - image scanned"));
        QCOMPARE(form->document().raster.width(), 78);
        QCOMPARE(form->document().raster.height(), 59);
        QVERIFY(!child<QPushButton>("Stop")->isEnabled());
        QVERIFY(form->menuBar()->isEnabled());
    }

    void aboutAndCalculator() {
        TForm1* form = createForm();
        prompter_->dialogs.push_back(
            [](QDialog* d) { return d->windowTitle() == "About Quorvex"; });
        child<QAction>("About1")->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("AboutBox1"));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* calc = static_cast<CalculatorDialog*>(d);
            for (QChar k : QString("12.5*4="))
                calc->press(k);
            return calc->display() == "50";
        });
        child<QAction>("Calculator1")->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("RxCalculator1"));
        Q_UNUSED(form);
    }

    void badSettingsAreReportedAndTheWindowStaysUsable() {
        const QString ini = iniFilePath(QCoreApplication::applicationFilePath());
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Application]\nHint=abc\n");
        f.close();
        TForm1* form = createForm();
        QCOMPARE(form->settingsError(), QString("'abc' is not a valid integer value"));
        QVERIFY(prompter_->messages.contains("'abc' is not a valid integer value"));
        openThroughDialog(writeRaster("ok.bmp", Raster(4, 4, PixelFormat::Bit24)));
        QCOMPARE(form->windowTitle(), QString("Quorvex 2.16 - ok.bmp"));
        tearDownTest();
        setUpTest();

        // A digitize.cfg line that is no number: reported, the lines before it applied.
        QFile cfg(digitizeCfgPath(QCoreApplication::applicationFilePath()));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("1\n2\n1\n6\n12\nx\n");
        cfg.close();
        form = createForm();
        QVERIFY(form->settingsError().contains("line 6"));
        QCOMPARE(child<QSpinBox>("SpinEdit5")->value(), 12);
    }

    void activationRestoresTheStoredPlacement() {
        QFile f(iniFilePath(QCoreApplication::applicationFilePath()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Application]\nWindow state=wsNormal\nWindow left=10\nWindow top=20\n"
                "Window client width=900\nWindow client height=700\n");
        f.close();
        TForm1* form = createForm();
        QApplication::setActiveWindow(form);
        QTRY_COMPARE(form->size(), QSize(900, 700));
        form->resize(1000, 750);
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(form);
        QTRY_COMPARE(form->size(), QSize(900, 700));
    }

    void interfaceOptions() {
        TForm1* form = createForm();
        openThroughDialog(writeRaster("o.bmp", Raster(20, 20, PixelFormat::Bit24)));
        // Cancel after switching the rulers off: they stay off, the key is not written yet.
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* o = static_cast<TInterfacing*>(d);
            if (o->applyButton->isEnabled() || o->language->checkedId() != 0) return false;
            o->selectNode("Image/Rulers");
            o->rulers->click();
            return false;
        });
        child<QAction>("interfaceOptions")->trigger();
        QVERIFY(child<Ruler>("RsRulerH")->isHidden());
        QVERIFY(!form->ini().contains(ini::kImage, ini::kShowRulers) ||
                form->ini().readString(ini::kImage, ini::kShowRulers, "") == "True");
        // OK with Russian, a taller status bar and short hints.
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* o = static_cast<TInterfacing*>(d);
            o->language->button(1)->click();
            o->Height->setValue(30);
            o->hints->setChecked(false);
            o->rulers->setChecked(true);
            o->OkClick();
            return true;
        });
        child<QAction>("interfaceOptions")->trigger();
        QCOMPARE(messageLanguage(), Language::Russian);
        QCOMPARE(form->ini().readString(ini::kApplication, ini::kLanguage, ""), QString("Russian"));
        QCOMPARE(form->ini().readString(ini::kImage, ini::kShowRulers, ""), QString("True"));
        QCOMPARE(form->hintTime(), 2500);
        QCOMPARE(form->statusBar()->height(), 30);
        QVERIFY(!child<Ruler>("RsRulerH")->isHidden());
        QCOMPARE(child<QAction>("UndoAuto")->text(), QString::fromUtf8("Отменить оцифровку"));
        setMessageLanguage(Language::English);
    }

    void helpOpensTheFileOfTheLanguage() {
        TForm1* form = createForm();
        const QString beside =
            QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() + "/QUORVEX21E.HLP";
        QFile::remove(beside);
        child<QAction>("Help2")->trigger();
        QVERIFY(prompter_->messages.last().contains("QUORVEX21E.HLP"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVEX_SOURCE_DIR "/help/QUORVEX21E.HLP"), beside));
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* text = d->findChild<QTextBrowser*>("HelpText");
            return text && text->toPlainText().contains("Getting started");
        });
        child<QAction>("Help2")->trigger();
        QCOMPARE(prompter_->dialogNames.last(), QString("HelpViewer"));
        QFile::remove(beside);
        Q_UNUSED(form);
    }

    void hintTimeFollowsTheHelpItem() {
        TForm1* form = createForm();
        QCOMPARE(form->hintTime(), 10000);
        child<QAction>("HintHideP")->trigger();
        QCOMPARE(form->hintTime(), 2500);
        child<QAction>("HintHideP")->trigger();
        QCOMPARE(form->hintTime(), 10000);
    }
};

int runMainWindowTest(int argc, char** argv) {
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
