// The operations of the Table page through their buttons, menu items and dialogs.
#include "gui_fixture.h"
#include "table/gui/calculate_dialog.h"
#include "table/gui/data_format_dialog.h"
#include "table/gui/delete_rows_dialog.h"
#include "table/gui/redigitize_dialog.h"
#include "table/gui/replace_dialog.h"
#include "table/gui/table_page.h"
#include "table/table.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

using namespace quorvex;

class TablePageTest : public WindowFixture {
    Q_OBJECT

    // A window whose pair 1 holds the rows given (X, Y), with the data commands usable.
    MainWindow* windowWithPair(const std::vector<std::pair<QString, QString>>& rows) {
        MainWindow* window = createWindow();
        Table* t = window->table();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            t->setCell(1, int(i) + 1, rows[i].first);
            t->setCell(2, int(i) + 1, rows[i].second);
        }
        t->tableEdited(1, int(rows.size()));
        return window;
    }

    QStringList column(int c, int rows) const {
        QStringList texts;
        for (int r = 1; r <= rows; ++r)
            texts << window_->table()->cell(c, r);
        return texts;
    }

    // A pair of 100000 rows whose X values run backwards.
    void fillLargePair() {
        Table* t = window_->table();
        t->setRowCount(Table::kMaxRows);
        for (int r = 1; r <= Table::kMaxRows; ++r) {
            t->store().setCell(1, r, QString::number(Table::kMaxRows - r));
            t->store().setCell(2, r, QString::number(r));
        }
    }

    // Presses Stop as soon as the running operation lets events through.
    void stopAtOnce() {
        QTimer::singleShot(0, child<QPushButton>(controls::stop), &QPushButton::click);
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void sortOnXFromTheButtonAndTheMenu() {
        windowWithPair({{"3", "c"}, {"1", "a"}, {"", "gap"}, {"2", "b"}, {"-1", "z"}});
        child<QToolButton>(controls::sortButton)->click();
        QCOMPARE(column(1, 5), (QStringList{"1", "3", "", "-1", "2"}));
        QCOMPARE(column(2, 5), (QStringList{"a", "c", "gap", "z", "b"}));
        window_->table()->setCell(1, 1, "9");
        child<QAction>(controls::sortAction)->trigger();
        QCOMPARE(column(1, 2), (QStringList{"3", "9"}));
        // A cell that is no number: its message, the pair as it was, the window usable.
        window_->table()->setCell(1, 2, "x");
        child<QAction>(controls::sortAction)->trigger();
        QCOMPARE(prompter_->messages.last(), QString("'x' is not a valid floating point value"));
        QCOMPARE(column(1, 2), (QStringList{"3", "x"}));
        QVERIFY(window_->menuBar()->isEnabled());
    }

    void stopDuringASortLeavesThePair() {
        windowWithPair({{"1", "1"}});
        fillLargePair();
        stopAtOnce();
        child<QToolButton>(controls::sortButton)->click();
        QCOMPARE(window_->table()->cell(1, 1), QString::number(Table::kMaxRows - 1));
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
        QVERIFY(window_->menuBar()->isEnabled());
        // The next sort runs to its end.
        child<QToolButton>(controls::sortButton)->click();
        QCOMPARE(window_->table()->cell(1, 1), QString("0"));
        QCOMPARE(window_->table()->cell(2, 1), QString::number(Table::kMaxRows));
    }

    // The dialogs beside the window wait while a long operation runs; a request that reaches
    // the window from one of them meanwhile is refused and leaves the running one its lock.
    void dialogsBesideTheWindowWaitForALongOperation() {
        MainWindow* window = windowWithPair({{"1", "1"}});
        fillLargePair();
        child<QToolButton>(controls::dataFormatButton)->click();
        auto* format = window->findChild<DataFormatDialog*>();
        format->formatGroup->button(2)->click(); // Fixed
        child<QToolButton>(controls::deleteRowsButton)->click();
        auto* deletion = window->findChild<DeleteRowsDialog*>();
        auto* pencil = window->findChild<QWidget*>(controls::pencilDialog);
        QVERIFY(format && deletion && pencil);
        bool ran = false, formatUsable = true, deletionUsable = true, pencilUsable = true,
             stillLocked = false;
        QTimer::singleShot(0, window, [&] {
            ran = true;
            formatUsable = format->isEnabled();
            deletionUsable = deletion->isEnabled();
            pencilUsable = pencil->isEnabled();
            // As if a click had got through: Apply and OK of the two dialogs.
            window->part<TablePage>()->applyDataFormat();
            emit deletion->deleteRequested(1, 5);
            stillLocked = child<QPushButton>(controls::stop)->isEnabled() &&
                          !child<QWidget>(controls::pages)->isEnabled();
        });
        child<QToolButton>(controls::sortButton)->click();
        QVERIFY(ran);
        QVERIFY(!formatUsable && !deletionUsable && !pencilUsable);
        QVERIFY(stillLocked);
        // Sorted, neither formatted nor shortened.
        QCOMPARE(window->table()->cell(1, 1), QString("0"));
        QCOMPARE(window->table()->cell(2, 1), QString::number(Table::kMaxRows));
        QCOMPARE(window->table()->cell(1, 2), QString("1"));
        QVERIFY(format->isEnabled() && deletion->isEnabled() && pencil->isEnabled());
        QVERIFY(!child<QPushButton>(controls::stop)->isEnabled());
    }

    // The Table's file dialogs start in the data folder last used, else the picture's folder,
    // else the home folder; never in the program's folder.
    void dataDialogsStartInTheUsersFolders() {
        MainWindow* window = windowWithPair({{"1", "2"}});
        prompter_->dialogs.push_back([](QDialog*) { return true; }); // data file options
        child<QAction>(controls::saveTable)->trigger();
        QCOMPARE(prompter_->saveFolders.last(), QDir::homePath());
        window->openImageFile(writeRaster("picture.bmp", Raster(10, 10, PixelFormat::Bit24)),
                              ImageReader::BuiltIn);
        window->table()->setCell(1, 1, "1");
        child<QAction>(controls::openDataFile)->trigger();
        QCOMPARE(prompter_->openFolders.last(), files_.path());
        QDir(files_.path()).mkdir("data");
        prompter_->dialogs.push_back([](QDialog*) { return true; });
        prompter_->savePaths.push_back(files_.filePath("data/points.dat"));
        child<QAction>(controls::saveTable)->trigger();
        QVERIFY(QFile::exists(files_.filePath("data/points.dat")));
        child<QAction>(controls::openDataFile)->trigger();
        QCOMPARE(prompter_->openFolders.last(), files_.filePath("data"));
    }

    // "Delete Rows" stays open beside the window, which stays usable, until OK or Cancel.
    void deleteRowsBesideTheWindow() {
        MainWindow* window = windowWithPair({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
        window->table()->setNextRow(1, 5);
        child<QToolButton>(controls::deleteRowsButton)->click();
        auto* dialog = window->findChild<DeleteRowsDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(dialog->toBox->maximum(), window->table()->rowCountSetting());
        // The window goes on working meanwhile.
        window->table()->setCell(3, 1, "other");
        dialog->fromBox->setValue(2);
        dialog->toBox->setValue(3);
        dialog->findChild<QPushButton*>("BitBtn1")->click();
        QCOMPARE(column(1, 4), (QStringList{"1", "4", "", ""}));
        QCOMPARE(column(2, 4), (QStringList{"a", "d", "", ""}));
        QCOMPARE(window->table()->nextRow(1), 3);
        QTRY_VERIFY(!window->findChild<DeleteRowsDialog*>()); // closed and gone
        // Cancel deletes nothing.
        child<QAction>(controls::deleteRowsAction)->trigger();
        dialog = window->findChild<DeleteRowsDialog*>();
        QVERIFY(dialog);
        dialog->toBox->setValue(2);
        dialog->findChild<QPushButton*>("BitBtn2")->click();
        QCOMPARE(column(1, 2), (QStringList{"1", "4"}));
    }

    void replaceTheSeparatorInOneColumn() {
        windowWithPair({{"1,5", "2,5"}, {"3,25", "1"}});
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<ReplaceDialog*>(d);
            dialog->fromBox->setCurrentIndex(0); // ","
            dialog->toBox->setCurrentIndex(0);   // "."
            dialog->columnBox->setCurrentIndex(0);
            return true;
        });
        child<QToolButton>(controls::replaceButton)->click();
        QCOMPARE(column(1, 2), (QStringList{"1.5", "3.25"}));
        QCOMPARE(column(2, 2), (QStringList{"2,5", "1"}));
    }

    void calculateThroughItsDialog() {
        windowWithPair({{"5", "1"}, {"6", "2"}, {"7", ""}});
        const struct {
            int operation, order;
            bool onY;
            QString value;
            QStringList x, y;
            QString message;
        } cases[] = {
            {3, 1, false, "1", {"-4", "-5", "-6"}, {"1", "2", ""}, ""},
            {2, 0, true, "1,5", {"-4", "-5", "-6"}, {"2.5", "3.5", ""}, ""},
            {1,
             0,
             false,
             "0",
             {"-4", "-5", "-6"},
             {"2.5", "3.5", ""},
             "Floating point division by zero"},
            {0,
             0,
             false,
             "abc",
             {"-4", "-5", "-6"},
             {"2.5", "3.5", ""},
             "'abc' is not a valid floating point value"},
            // No operation chosen: nothing changes, and the user hears what is missing.
            {-1,
             0,
             false,
             "2",
             {"-4", "-5", "-6"},
             {"2.5", "3.5", ""},
             message(Msg::CalculateNoOperation)},
        };
        for (const auto& c : cases) {
            prompter_->messages.clear();
            prompter_->dialogs.push_back([&c](QDialog* d) {
                auto* dialog = static_cast<CalculateDialog*>(d);
                if (c.operation >= 0) dialog->operationGroup->button(c.operation)->setChecked(true);
                dialog->orderGroup->button(c.order)->setChecked(true);
                dialog->columnBox->setCurrentIndex(c.onY ? 1 : 0);
                dialog->valueField->clear();
                QTest::keyClicks(dialog->valueField, c.value); // "," enters the separator
                return true;
            });
            child<QToolButton>(controls::calculateButton)->click();
            QCOMPARE(column(1, 3), c.x);
            QCOMPARE(column(2, 3), c.y);
            QCOMPARE(prompter_->messages.value(0), c.message);
        }
    }

    void lagrangeThroughTheCalculateDialog() {
        MainWindow* window = windowWithPair({{"0", "0"}, {"1", "1"}, {"2", "4"}});
        auto lagrange = [](QDialog* d) {
            static_cast<CalculateDialog*>(d)->lagrangeBox->setChecked(true);
            return true;
        };
        prompter_->dialogs.push_back(lagrange);
        child<QAction>(controls::calculateAction)->trigger();
        QCOMPARE(prompter_->messages.last(), QString("Input please the data in columns X2-Y2"));
        window->table()->setCell(3, 1, "1.5");
        prompter_->dialogs.push_back(lagrange);
        child<QAction>(controls::calculateAction)->trigger();
        QCOMPARE(window->table()->cell(4, 1), QString("2.25"));
    }

    // "Data format" stays open beside the window and keeps its choices; Apply works on the pair
    // current at that moment.
    void dataFormatStaysOpenAndKeepsItsChoices() {
        MainWindow* window = windowWithPair({{"1", "7"}, {"2.5", ""}, {"3.14159", "9"}});
        child<QToolButton>(controls::dataFormatButton)->click();
        auto* dialog = window->findChild<DataFormatDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        QVERIFY(!dialog->applyButton->isEnabled());
        // Digits offers only what the formats take (0 to 18), and starts within it.
        QCOMPARE(dialog->digitsBox->minimum(), 0);
        QCOMPARE(dialog->digitsBox->maximum(), 18);
        QCOMPARE(dialog->digitsBox->value(), 2);
        QCOMPARE(dialog->exampleLabel->text(), QString("Example: 1  7"));
        dialog->formatGroup->button(2)->click(); // Fixed
        dialog->digitsBox->setValue(2);
        dialog->columnsGroup->button(1)->click(); // X
        QCOMPARE(dialog->exampleLabel->text(), QString("Example: 1.00   7.00"));
        QVERIFY(dialog->explanation->toPlainText().startsWith("Fixed"));
        dialog->applyButton->click();
        QCOMPARE(column(1, 3), (QStringList{"1.00", "2.50", "3.14"}));
        QCOMPARE(column(2, 3), (QStringList{"7", "", "9"}));
        QVERIFY(dialog->isVisible());
        dialog->okButton->click();
        QVERIFY(!dialog->isVisible());
        child<QAction>(controls::dataFormatAction)->trigger();
        QCOMPARE(window->findChildren<DataFormatDialog*>().size(), 1);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->formatGroup->checkedId(), 2);
        QCOMPARE(dialog->digitsBox->value(), 2);
        // Stop at once: the rows are left as they were; the dialog stays usable.
        dialog->formatGroup->button(1)->click(); // Scientific
        dialog->columnsGroup->button(0)->click();
        stopAtOnce();
        dialog->applyButton->click();
        QCOMPARE(column(1, 3), (QStringList{"1.00", "2.50", "3.14"}));
        QVERIFY(dialog->applyButton->isEnabled());
        dialog->applyButton->click();
        QCOMPARE(column(1, 3), (QStringList{"1.000000000E+00", "2.50", "3.140000000E+00"}));
        QCOMPARE(window->table()->cell(2, 1), QString("7.000000000E+00"));
        dialog->cancelButton->click();
        QVERIFY(!dialog->isVisible());
    }

    void redigitizeThroughItsDialog() {
        MainWindow* window = windowWithPair({{"0", "0"}, {"1", "2"}, {"2", "4"}});
        struct Step {
            int row1, row2;
            QString x1, y1, x2, y2;
            QString message;
        };
        const Step steps[] = {
            {1, 1, "", "", "", "", ""}, // equal rows: Rescale stays disabled
            {1, 3, "5", "0", "5", "8", "New coordinates in rows1,2 are coincided, correct its!"},
            {1, 3, "a", "0", "5", "8", "The mistakes were found! Try again."},
            {1, 3, "10", "0", "30", "8", ""},
        };
        prompter_->dialogs.push_back([this, &steps](QDialog* d) {
            auto* dialog = static_cast<RedigitizeDialog*>(d);
            if (dialog->xCaption->text() != "X1") return false;
            for (const Step& s : steps) {
                prompter_->messages.clear();
                dialog->firstRowBox->setValue(s.row1);
                dialog->secondRowBox->setValue(s.row2);
                if (s.row1 == s.row2) {
                    if (dialog->rescaleButton->isEnabled()) return false;
                    continue;
                }
                dialog->newX1->setText(s.x1);
                dialog->newY1->setText(s.y1);
                dialog->newX2->setText(s.x2);
                dialog->newY2->setText(s.y2);
                dialog->rescaleButton->click();
                if (prompter_->messages.value(0) != s.message) return false;
            }
            return dialog->secondReadout->text() == "X=30 Y=8";
        });
        child<QToolButton>(controls::redigitizeButton)->click();
        QCOMPARE(prompter_->dialogNames.last(), QString("Rescale"));
        QCOMPARE(column(1, 3), (QStringList{"10", "20", "30"}));
        QCOMPARE(column(2, 3), (QStringList{"0", "4", "8"}));
        QCOMPARE(window->table()->nextRow(1), 4);
    }
};

int runTablePageTest(int argc, char** argv) {
    TablePageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "table_page_test.moc"
