// Parts of the window on their own: a session, a command registry and one part, without the
// main window.
#include "app/digitizing_session.h"
#include "app/gui/command_registry.h"
#include "app/gui/status_panels.h"
#include "autodigit/gui/scan_options_panel.h"
#include "autodigit/step_fields.h"
#include "scripted_prompter.h"
#include "table/table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <memory>

using namespace quorvex;

class PartsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<DigitizingSession> session_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<IniFile> ini_;
    CommandRegistry* commands_ = nullptr;

    PartContext context() {
        return PartContext{*session_,     *commands_,
                           *prompter_,    *ini_,
                           window_.get(), [this](QDialog* d) { return prompter_->run(d); }};
    }
    template <typename T> T* child(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        session_ = std::make_unique<DigitizingSession>();
        prompter_ = std::make_unique<ScriptedPrompter>();
        ini_ = std::make_unique<IniFile>(folder_.filePath("parts.ini"));
        commands_ = new CommandRegistry(*session_, window_.get());
    }
    void cleanup() {
        window_.reset();
        session_.reset();
    }

    // Commands follow what they need from the session's state, and the lock of long
    // operations for those that lock with the window.
    void commandRulesFollowTheSession() {
        QAction* data = commands_->addAction("N49", "Save data from Table...");
        QAction* image = commands_->addAction("N40", "Purge Image");
        auto* button = new QToolBar(window_.get());
        commands_->addWidget("SpeedButton15", button);
        commands_->addRule(data, CommandNeeds::Data);
        commands_->addRule(image, CommandNeeds::Image);
        commands_->addRule(button, CommandNeeds::ImageOrData, true);
        commands_->updateStates();
        QVERIFY(!data->isEnabled() && !image->isEnabled() && !button->isEnabled());
        session_->table().setCell(1, 1, "1");
        session_->table().tableEdited(1, 1); // the Table now holds data
        QVERIFY(data->isEnabled());
        QVERIFY(!image->isEnabled());
        QVERIFY(button->isEnabled());
        session_->setInterfaceLocked(true);
        QVERIFY(data->isEnabled());
        QVERIFY(!button->isEnabled());
        session_->setInterfaceLocked(false);
        QVERIFY(button->isEnabled());
        // Commands offered to other parts run by name; an unknown name does nothing.
        int runs = 0;
        commands_->addCommand("part.count", [&runs] { ++runs; });
        commands_->run("part.count");
        commands_->run("part.none");
        QCOMPARE(runs, 1);
    }

    // The menus come out in the layout's order, whichever part added an item first.
    void menusFollowTheLayout() {
        QAction* exit = commands_->addAction("Exit3", "Exit");
        QAction* open = commands_->addAction("N34", "Open graph Image...");
        QMenuBar bar(window_.get());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the menu layout names .*"));
        commands_->buildLayout(&bar);
        QMenu* file = bar.actions().first()->menu();
        QVERIFY(file);
        QList<QAction*> items;
        for (QAction* a : file->actions())
            if (!a->isSeparator()) items << a;
        QCOMPARE(items, (QList<QAction*>{open, exit}));
    }

    // The step fields: values a tool presets keep their rules asleep, typed ones run them;
    // the session holds what the fields show.
    void scanOptionsFollowTheirRules() {
        auto* panel = new ScanOptionsPanel(context());
        panel->pages()->setParent(window_.get());                  // the main window would place it
        session_->setPixelCorners(QPoint(0, 100), QPoint(200, 0)); // 200 pixels wide
        auto* first = child<QSpinBox>("SpinEdit3");
        auto* last = child<QSpinBox>("SpinEdit2");
        auto* step = child<QSpinBox>("StepValue");
        QVERIFY(panel && first && last && step);
        session_->presetScanRows(200, 1, 3);
        QCOMPARE(last->value(), 200);
        QCOMPARE(step->value(), 3); // not what the rules would give
        QCOMPARE(session_->options().step, 3);
        last->setValue(101); // typed: the step follows
        QCOMPARE(step->value(), *steps::stepFor(200, 1, 101));
        QCOMPARE(session_->options().lastRow, 101);
        QCOMPARE(session_->options().step, step->value());
        session_->changeOptions([](DigitizingOptions& o) { o.indent = 7; });
        QCOMPARE(child<QSpinBox>("Border")->value(), 7);
        QCOMPARE(last->value(), 101);
        session_->setMarkerSizeField(40); // beyond the field: its largest value
        QCOMPARE(child<QSpinBox>("SpinEdit5")->value(), 30);
        QCOMPARE(session_->markerSize, 30);
    }

    // Messages and read-outs of the session reach their panels.
    void statusPanelsShowTheSession() {
        auto* status = new StatusPanels(context());
        session_->showStatus("Done");
        QCOMPARE(status->text(4), QString("Done"));
        session_->setReadout(2, "X=1.5", 3);
        QCOMPARE(status->text(2), QString("X=1.5"));
        status->clearReadouts();
        QVERIFY(status->text(2).isEmpty());
        QCOMPARE(status->text(4), QString("Done"));
    }
};

int runPartsTest(int argc, char** argv) {
    PartsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "parts_test.moc"
