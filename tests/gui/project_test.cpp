// Project files in the window: the work saved and opened in a fresh window, the title, and the
// question before unsaved work is replaced or the window closes.
#include "exchange/gui/project_files.h"
#include "gui_fixture.h"
#include "table/table.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

using namespace quorvex;

class ProjectTest : public WindowFixture {
    Q_OBJECT

    QString picturePath_;

    // A picture with a red curve pixel, a log10 Y axis, two curves with a title, curve 2
    // current and a green curve colour.
    MainWindow* windowWithWork() {
        MainWindow* window = createWindow();
        Raster raster(200, 100, PixelFormat::Bit24, kWhite);
        raster.setPixelRaw(50, 40, kRed);
        picturePath_ = writeRaster("chart.bmp", raster);
        window->openImageFile(picturePath_, ImageReader::BuiltIn);
        const char* const fields[4] = {controls::xLeftBottom, controls::yLeftBottom,
                                       controls::xRightTop, controls::yRightTop};
        const char* const values[4] = {"0", "1", "20", "1000"};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(fields[i])->setText(values[i]);
        child<QComboBox>(controls::yTransfer)->setCurrentIndex(1);
        Table* t = window->table();
        t->setPairCount(2);
        for (int row = 1; row <= 12; ++row) {
            t->setCell(1, row, QString::number(row * 0.5));
            t->setCell(2, row, QString::number(row * 10));
            t->setCell(3, row, QString::number(row));
            t->setCell(4, row, QString::number(-row));
        }
        t->setCell(2, 0, "Pressure");
        t->setNextRow(1, 13);
        t->setNextRow(2, 13);
        child<QLineEdit>(controls::curveNumber)->setText("2");
        window->session().setCurveColour(makeColour(0, 160, 0));
        return window;
    }

    QStringList tableTexts() const {
        QStringList texts;
        const Table* t = window_->table();
        for (int row = 0; row <= 14; ++row)
            for (int column = 1; column <= 4; ++column)
                texts << t->cell(column, row);
        return texts;
    }

    QStringList calibrationTexts() const {
        QStringList texts;
        for (const char* field : {controls::xLeftBottom, controls::yLeftBottom, controls::xRightTop,
                                  controls::yRightTop})
            texts << child<QLineEdit>(field)->text();
        texts << QString::number(child<QComboBox>(controls::yTransfer)->currentIndex());
        return texts;
    }

    void editCell(int modelRow, int modelColumn, const QString& text) {
        QAbstractItemModel* model = child<QTableView>(controls::tableView)->model();
        QVERIFY(model->setData(model->index(modelRow, modelColumn), text));
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void savedWorkOpensInAFreshWindow() {
        windowWithWork();
        const QStringList table = tableTexts(), calibration = calibrationTexts();
        const QString project = files_.filePath("work.qvx");
        prompter_->savePaths.push_back(project);
        child<QAction>(controls::saveProject)->trigger();
        QVERIFY(QFileInfo(project).isFile());
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - work.qvx"));
        editCell(0, 0, "99");
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - work.qvx*"));
        // Undone, the Table is as saved again; redone, it is not.
        child<QAction>(controls::historyUndo)->trigger();
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - work.qvx"));
        child<QAction>(controls::historyRedo)->trigger();
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - work.qvx*"));
        child<QAction>(controls::saveProject)->trigger(); // saved again under its name
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - work.qvx"));
        const QStringList saved = tableTexts();
        QVERIFY(saved != table);

        tearDownTest();
        setUpTest();
        MainWindow* fresh = createWindow();
        QVERIFY(fresh->openImageFile(project, ImageReader::BuiltIn));
        QCOMPARE(tableTexts(), saved);
        QCOMPARE(calibrationTexts(), calibration);
        QCOMPARE(fresh->table()->curveText(), QString("2"));
        QCOMPARE(fresh->table()->nextRow(1), 13);
        QCOMPARE(fresh->session().curveColour(), makeColour(0, 160, 0));
        QCOMPARE(fresh->session().document().raster.pixel(50, 40), kRed);
        QCOMPARE(fresh->windowTitle(), QString("Quorvex 2.16 - work.qvx"));
        QVERIFY(!child<QAction>(controls::historyUndo)->isEnabled());
    }

    void unsavedChangesAreAskedAboutFirst() {
        windowWithWork();
        const QString project = files_.filePath("ask.qvx");
        prompter_->savePaths.push_back(project);
        child<QAction>(controls::saveProject)->trigger();
        editCell(1, 0, "7");
        const QString other = writeRaster("other.bmp", Raster(30, 30, PixelFormat::Bit24));
        // Cancel keeps everything.
        prompter_->answers.push_back(Answer::Cancel);
        QVERIFY(!window_->openImageFile(other, ImageReader::BuiltIn));
        QCOMPARE(window_->session().document().raster.width(), 200);
        QCOMPARE(prompter_->questions.size(), 1);
        QVERIFY(prompter_->questions.last().contains("ask.qvx"));
        prompter_->answers.push_back(Answer::Cancel);
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        // Yes saves the project, then the other picture opens.
        prompter_->answers.push_back(Answer::Yes);
        QVERIFY(window_->openImageFile(other, ImageReader::BuiltIn));
        QCOMPARE(window_->session().document().raster.width(), 30);
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - other.bmp"));
        tearDownTest();
        setUpTest();
        createWindow();
        QVERIFY(window_->openImageFile(project, ImageReader::BuiltIn));
        QCOMPARE(window_->table()->cell(1, 2), QString("7"));
    }

    void aBrokenProjectChangesNothing() {
        windowWithWork();
        const QStringList table = tableTexts();
        const QString broken = files_.filePath("broken.qvx");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 not an archive");
        f.close();
        QVERIFY(!window_->openImageFile(broken, ImageReader::BuiltIn));
        QVERIFY(prompter_->messages.last().startsWith(
            "The file \"broken.qvx\" cannot be opened as a project"));
        QCOMPARE(tableTexts(), table);
        QCOMPARE(window_->windowTitle(), QString("Quorvex 2.16 - chart.bmp"));
    }
};

int runProjectTest(int argc, char** argv) {
    ProjectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "project_test.moc"
