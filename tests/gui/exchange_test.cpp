// The Table handed to others from the window: the clipboard copy and spreadsheet workbooks.
#include "core/messages.h"
#include "exchange/gui/copy_to_clipboard_dialog.h"
#include "gui_fixture.h"
#include "table/table.h"
#include "zip_reader.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

using namespace quorvex;

class ExchangeTest : public WindowFixture {
    Q_OBJECT

    MainWindow* windowWithTwoPoints() {
        MainWindow* window = createWindow();
        window->table()->appendPoint(1, 2);
        window->table()->appendPoint(3, 4.5);
        window->table()->tableEdited(1, 2);
        return window;
    }

    // Answers the copy dialog with a mode, a separator and, for the custom mode, a range.
    void answerCopy(int mode, int separator, CopyRange custom = {}) {
        prompter_->dialogs.push_back([=](QDialog* d) {
            auto* dialog = static_cast<CopyToClipboardDialog*>(d);
            dialog->modeBox->setCurrentIndex(mode);
            if (dialog->customGroup->isEnabled() != (mode == 7)) return false;
            dialog->separatorBox->setCurrentIndex(separator);
            dialog->leftBox->setValue(custom.left);
            dialog->topBox->setValue(custom.top);
            dialog->rightBox->setValue(custom.right);
            dialog->bottomBox->setValue(custom.bottom);
            return true;
        });
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void copyingThroughTheDialog() {
        windowWithTwoPoints();
        answerCopy(0, 0);
        child<QToolButton>(controls::copyRangeButton)->click();
        QCOMPARE(prompter_->dialogNames.last(), QString("TXY"));
        const QString whole = QApplication::clipboard()->text();
        QVERIFY(whole.startsWith("1\t2\t\r\n3\t4.5\t\r\n\t\t\r\n"));
        QCOMPARE(whole.count("\r\n"), 30);
        answerCopy(5, 0); // the Y column
        child<QAction>(controls::copyToClipboard)->trigger();
        QVERIFY(QApplication::clipboard()->text().startsWith("Y1\r\n2\r\n4.5\r\n"));
        answerCopy(7, 3, {0, 1, 2, 2}); // custom, semicolons
        child<QAction>(controls::copyToClipboard)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("1;1;2;\r\n2;3;4.5;\r\n"));
        // Cancel leaves the clipboard alone.
        child<QAction>(controls::copyToClipboard)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("1;1;2;\r\n2;3;4.5;\r\n"));
        QVERIFY(prompter_->messages.isEmpty());
        // A curve number that is no number: an empty clipboard and the message.
        child<QLineEdit>(controls::curveNumber)->setText("x");
        answerCopy(0, 0);
        child<QAction>(controls::copyToClipboard)->trigger();
        QCOMPARE(prompter_->messages.last(), QString("Error coping to Clipboard, try again!"));
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    // Without an application for workbooks the export says so, says where the workbook was
    // kept (also in the status bar) and offers to save the Table as a spreadsheet elsewhere;
    // with one, the workbook goes to it.
    void exportingToTheSpreadsheetApplication() {
        windowWithTwoPoints();
        prompter_->answers.push_back(Answer::No); // keep it where it is
        child<QToolButton>(controls::spreadsheetButton)->click();
        QCOMPARE(prompter_->openedDocuments.size(), 1);
        const QString path = prompter_->openedDocuments.first();
        QCOMPARE(prompter_->questions,
                 QStringList{message(Msg::ExcelNotFoundKept).arg(QDir::toNativeSeparators(path))});
        QVERIFY(prompter_->questions.first().startsWith(message(Msg::ExcelNotFound)));
        QCOMPARE(window_->statusText(4), QDir::toNativeSeparators(path));
        QCOMPARE(QFileInfo(path).fileName().section('-', 2, 2),
                 QString::number(QCoreApplication::applicationPid()));
        const auto zip = test::readZip(path);
        QVERIFY(zip.value("xl/worksheets/sheet1.xml").contains("<v>4.5</v>"));
        QFile::remove(path);
        // Yes: the Table goes where the user says, and the temporary workbook goes away.
        const QString kept = files_.filePath("kept.xlsx");
        prompter_->answers.push_back(Answer::Yes);
        prompter_->savePaths.push_back(kept);
        child<QToolButton>(controls::spreadsheetButton)->click();
        QVERIFY(test::readZip(kept).value("xl/worksheets/sheet1.xml").contains("<v>4.5</v>"));
        QVERIFY(!QFile::exists(prompter_->openedDocuments.last()));
        prompter_->desktopOpensDocuments = true;
        child<QAction>(controls::spreadsheetAction)->trigger();
        QCOMPARE(prompter_->questions.size(), 2);
        QCOMPARE(prompter_->openedDocuments.size(), 3);
        QVERIFY(QFile::exists(prompter_->openedDocuments.last()));
        QFile::remove(prompter_->openedDocuments.last());
    }

    void savingAWorkbook() {
        windowWithTwoPoints();
        const QString path = files_.filePath("table.xlsx");
        prompter_->savePaths.push_back(path);
        child<QAction>(controls::saveSpreadsheet)->trigger();
        QCOMPARE(prompter_->saveFilters.last(), QStringList{"Excel workbooks (*.xlsx)"});
        QVERIFY(test::readZip(path).value("xl/worksheets/sheet1.xml").contains("<v>3</v>"));
        IniFile stored(window_->ini().path());
        QCOMPARE(stored.readString(ini::kData, ini::kDirectory, ""), files_.path());
        // Replacing it is asked first.
        prompter_->savePaths.push_back(path);
        child<QAction>(controls::saveSpreadsheet)->trigger();
        QCOMPARE(prompter_->questions.last(), message(Msg::FileExistsReplace));
    }
};

int runExchangeTest(int argc, char** argv) {
    ExchangeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "exchange_test.moc"
