// Automatic digitization and search in area through the main window.
#include "autodigit/gui/settings_dialog.h"
#include "components/image_view.h"
#include "corpus.h"
#include "gui_fixture.h"
#include "table/table.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <cmath>

using namespace quorvex;

class AutoTest : public WindowFixture {
    Q_OBJECT

    // The sine chart calibrated on its plot frame, with the curve colour red.
    TForm1* calibratedSine() {
        TForm1* form = createForm();
        form->openImage(corpusFile("lin_sine.png"), ImageReader::BuiltIn);
        if (form->document().raster.width() < 700) qFatal("missing corpus chart");
        auto* image = child<ImageView>("Image1");
        child<QToolButton>("RectSelect")->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(98, 525));
        sendMouse(image, QEvent::MouseMove, QPoint(733, 62));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(733, 62));
        const char* values[4] = {"0.0390625", "-1.483974358974359", "9.9609375",
                                 "1.483974358974359"};
        const char* names[4] = {"Edit1", "Edit2", "Edit3", "Edit4"};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(names[i])->setText(values[i]);
        prompter_->colours.push_back(QColor(255, 0, 0));
        child<QAction>("N43")->trigger();
        child<QSpinBox>("Border")->setValue(3);
        return form;
    }

private slots:
    void initTestCase() { setUpSuite(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void automaticRunThroughTheDialog() {
        TForm1* form = calibratedSine();
        prompter_->dialogs.push_back([](QDialog* d) {
            auto* dialog = static_cast<TPixelFormat*>(d);
            if (!dialog->RxSwitch1->isEnabled())
                return false; // 24-bit image: the colour page is usable
            dialog->RxSpeedButton1Click();
            return true;
        });
        child<QToolButton>("BitBtn2")->click();
        Table* t = form->table();
        const int rows = t->nextRow(1);
        QVERIFY2(rows > 600, qPrintable(QString::number(rows)));
        QCOMPARE(t->rowCountSetting(), rows);
        double worst = 0;
        for (int r = 1; r <= rows; ++r) {
            const double x = t->cell(1, r).toDouble(), y = t->cell(2, r).toDouble();
            worst = std::max(worst, std::abs(y - std::sin(x)));
        }
        QVERIFY2(worst < 0.02, qPrintable(QString::number(worst)));
        QVERIFY(form->menuBar()->isEnabled());
        QVERIFY(!child<QPushButton>("Stop")->isEnabled());
        QCOMPARE(form->mouseMode(), 6);
        // Undo the run: its rows empty, the curve back where it started.
        QVERIFY(child<QAction>("UndoAuto")->isEnabled());
        child<QAction>("UndoAuto")->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(2, rows));
        QCOMPARE(t->nextRow(1), 1);
    }

    void cancelLeavesTheTableAsItWas() {
        TForm1* form = calibratedSine();
        Table* t = form->table();
        t->setCell(1, 1, "keep");
        t->setNextRow(1, 7);
        prompter_->dialogs.push_back([](QDialog* d) {
            static_cast<TPixelFormat*>(d)->RxSpeedButton2Click();
            return false;
        });
        child<QToolButton>("BitBtn2")->click();
        QCOMPARE(t->cell(1, 1), QString("keep"));
        QVERIFY(t->isEmpty(1, 2));
        QCOMPARE(t->nextRow(1), 7);
        QVERIFY(form->menuBar()->isEnabled());
    }

    void stopKeepsTheRowsWritten() {
        TForm1* form = calibratedSine();
        prompter_->dialogs.push_back([this](QDialog* d) {
            // Stop is pressed as soon as the window gets to handle events again.
            QTimer::singleShot(0, child<QPushButton>("Stop"), &QPushButton::click);
            static_cast<TPixelFormat*>(d)->RxSpeedButton1Click();
            return true;
        });
        child<QToolButton>("BitBtn2")->click();
        Table* t = form->table();
        QVERIFY(t->nextRow(1) >= 1);
        QVERIFY2(t->nextRow(1) < 50, qPrintable(QString::number(t->nextRow(1))));
        QVERIFY(!t->isEmpty(1, 1));
        QVERIFY(t->isEmpty(1, t->nextRow(1) + 1));
        QVERIFY(form->menuBar()->isEnabled());
        QVERIFY(!child<QPushButton>("Stop")->isEnabled());
        // The stopped run can be undone: exactly its rows.
        child<QAction>("UndoAuto")->trigger();
        QVERIFY(t->isEmpty(1, 1));
    }

    void searchInAreaFollowsTheDrag() {
        TForm1* form = calibratedSine();
        prompter_->answers.push_back(Answer::Yes); // "Clear Table"
        child<QToolButton>("SpeedButton11SA")->click();
        QCOMPARE(form->mouseMode(), 1);
        QCOMPARE(form->markerSize(), 10);
        auto* image = child<ImageView>("Image1");
        auto rowAt = [](int px) {
            const double x = 0.0390625 + (px - 98) * (9.9609375 - 0.0390625) / 635.0;
            return 525 - (std::sin(x) + 1.483974358974359) * 463 / (2 * 1.483974358974359);
        };
        sendMouse(image, QEvent::MouseButtonPress, QPoint(150, qRound(rowAt(150))));
        for (int px = 150; px <= 600; px += 5)
            sendMouse(image, QEvent::MouseMove, QPoint(px, qRound(rowAt(px)) + 3));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(600, qRound(rowAt(600))));
        Table* t = form->table();
        const int points = t->nextRow(1) - 1;
        // Points at least 20 view pixels apart along a path of about 700 pixels.
        QVERIFY2(points >= 20 && points <= 40, qPrintable(QString::number(points)));
        for (int r = 1; r <= points; ++r) {
            const double x = t->cell(1, r).toDouble(), y = t->cell(2, r).toDouble();
            QVERIFY2(std::abs(y - std::sin(x)) < 0.02, qPrintable(QString("%1 %2").arg(x).arg(y)));
        }
        QCOMPARE(form->markerSize(), 3);
        QVERIFY(child<QAction>("UndoAuto")->isEnabled());
        child<QAction>("UndoAuto")->trigger();
        QVERIFY(t->isEmpty(1, 1));
        QCOMPARE(t->nextRow(1), 1);
        // Without self-correction the tool collects nothing.
        child<QCheckBox>("CheckBoxCorrect")->setChecked(false);
        prompter_->answers.push_back(Answer::No);
        child<QToolButton>("SpeedButton11SA")->click();
        child<QToolButton>("SpeedButton11SA")->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(150, qRound(rowAt(150))));
        for (int px = 150; px <= 300; px += 5)
            sendMouse(image, QEvent::MouseMove, QPoint(px, qRound(rowAt(px))));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(300, 100));
        QCOMPARE(t->nextRow(1), 1);
    }

    void stepFields() {
        TForm1* form = createForm();
        form->openImage(writeRaster("w.bmp", Raster(700, 100, PixelFormat::Bit24)),
                        ImageReader::BuiltIn);
        auto* image = child<ImageView>("Image1");
        child<QToolButton>("RectSelect")->click();
        sendMouse(image, QEvent::MouseButtonPress, QPoint(50, 90));
        sendMouse(image, QEvent::MouseMove, QPoint(650, 10));
        sendMouse(image, QEvent::MouseButtonRelease, QPoint(650, 10));
        // W = 600; from 1, to 600, step 1.
        auto* from = child<QSpinBox>("SpinEdit3");
        auto* to = child<QSpinBox>("SpinEdit2");
        auto* step = child<QSpinBox>("StepValue");
        QCOMPARE(to->value(), 600);
        step->setValue(3);
        QCOMPARE(to->value(), 201);
        to->setValue(301);
        QCOMPARE(step->value(), 2);
        // With graph values 0 .. 10 the step caption shows D / (to - from).
        child<QLineEdit>("Edit1")->setText("0");
        child<QLineEdit>("Edit3")->setText("10");
        QCOMPARE(form->findChild<QAction*>("N110")->text(), QString("0.0333333333333333"));
        // from = to: the step keeps its value and the failure is reported.
        from->setValue(to->value());
        QCOMPARE(step->value(), 2);
        QCOMPARE(form->statusText(4), QString("Wow!!! EZeroDivide!"));
        // One-valuedness and the thickness field.
        auto* oneValued = child<QCheckBox>("N32");
        oneValued->click();
        QVERIFY(child<QSpinBox>("SpinEdit4")->isEnabled());
        oneValued->click();
        QVERIFY(!child<QSpinBox>("SpinEdit4")->isEnabled());
    }

    void settingsDialogInterlocks() {
        TPixelFormat dialog(kRed);
        dialog.prepare(PixelFormat::Bit24);
        QVERIFY(dialog.RxSwitch1->isEnabled());
        QVERIFY(!dialog.pages->widget(1)->isEnabled()); // brightness only for a grey curve
        dialog.CheckBox1->setChecked(false);
        dialog.RxSwitch1->setChecked(true);
        QVERIFY(dialog.CheckBox1
                    ->isChecked()); // switching the colour interval on re-checks closest hue
        dialog.RxSwitch2->setChecked(true);
        QVERIFY(!dialog.RxSwitch1->isChecked());
        QVERIFY(!dialog.RxSwitch1->isEnabled());
        dialog.RxSwitch3->setChecked(true);
        QVERIFY(!dialog.RxSwitch2->isChecked());
        dialog.RxSwitch3->setChecked(false);
        QVERIFY(dialog.RxSwitch1->isEnabled());
        // Space presses count the typed grid entries; pasted text does not.
        dialog.RxSwitch3->setChecked(true);
        QTest::keyClicks(dialog.Edit1, "10 20 30");
        QCOMPARE(dialog.spacePressesH(), 3);
        dialog.Edit2->setText("1 2 3");
        QCOMPARE(dialog.spacePressesV(), 1);
        dialog.RxSpeedButton1Click();
        QVERIFY(dialog.grid().typedOn);
        QCOMPARE(dialog.recognition().mode, RecognitionMode::Exact);

        TPixelFormat mono(kBlack);
        mono.prepare(PixelFormat::Bit1);
        QVERIFY(!mono.RxSwitch1->isEnabled());
        QVERIFY(!mono.RxSwitch4->isEnabled());
        TPixelFormat grey(kBlack);
        grey.prepare(PixelFormat::Bit24);
        QCOMPARE(grey.pages->currentIndex(), 1);
        grey.RxSwitch4->setChecked(true);
        grey.CheckBox2->setChecked(true);
        grey.RxSpeedButton1Click();
        QCOMPARE(grey.recognition().mode, RecognitionMode::TowardsBlack);
        QVERIFY(!grey.cancelled());
    }
};

int runAutoTest(int argc, char** argv) {
    AutoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "auto_test.moc"
