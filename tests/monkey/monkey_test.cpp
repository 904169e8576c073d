// The window monkey: a seeded random sequence of commands, clicks, drags, edits and key presses
// on the real main window (offscreen), with every dialog answered at random, and the window's
// invariants checked after each step. A broken invariant or a crash prints the seed and the
// steps that led to it.
//
//   QUORVEX_MONKEY_SEED     the first seed (default 1)
//   QUORVEX_MONKEY_STEPS    steps per seed (default 250)
//   QUORVEX_MONKEY_SECONDS  keep running further seeds until this time is up (default: one seed)
#include "app/gui/application.h"
#include "app/gui/main_window.h"
#include "charts.h"
#include "components/image_view.h"
#include "grapher/gui/chart_view.h"
#include "image/pixel_format.h"
#include "table/table.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <random>

using namespace quorvex;

namespace {

// Answers everything at random from the monkey's generator.
class RandomPrompter : public Prompter {
public:
    RandomPrompter(std::mt19937& random, const QString& folder, QStringList& log)
        : random_(random), folder_(folder), log_(log) {}

    Answer question(QWidget*, const QString& text, bool withCancel) override {
        const Answer a = static_cast<Answer>(pick(withCancel ? 3 : 2));
        log_ << QStringLiteral("  question \"%1\" -> %2").arg(text.left(40)).arg(int(a));
        return a;
    }
    void information(QWidget*, const QString& text, bool) override {
        log_ << QStringLiteral("  message \"%1\"").arg(text.left(60));
    }
    std::optional<OpenChoice> openFile(QWidget*, const QString&, const QString&,
                                       const QStringList& filters, int) override {
        const QStringList files{chartFile("lin_sine.png"),
                                chartFile("bmp_logistic.bmp"),
                                chartFile("jpeg_damped.jpg"),
                                chartFile("two_curves_grid.png"),
                                dataFile(),
                                folder_ + QStringLiteral("/missing.bmp")};
        if (pick(5) == 0) return std::nullopt;
        const QString path = files[pick(files.size())];
        log_ << QStringLiteral("  open %1").arg(path.section('/', -1));
        return OpenChoice{path, pick(std::max<qsizetype>(filters.size(), 1)), pick(4) == 0};
    }
    std::optional<SaveChoice> saveFile(QWidget*, const QString&, const QString&,
                                       const QStringList& filters, const QString&) override {
        if (pick(4) == 0) return std::nullopt;
        QString suffix = QStringLiteral("dat");
        int chosen = 0;
        if (!filters.isEmpty()) {
            chosen = pick(filters.size());
            const QString filter = filters[chosen];
            const int star = filter.indexOf(QLatin1String("*."));
            if (star >= 0) suffix = filter.mid(star + 2).section(QLatin1Char(')'), 0, 0);
        }
        const QString path = folder_ + QStringLiteral("/saved%1.%2").arg(pick(3)).arg(suffix);
        log_ << QStringLiteral("  save %1").arg(path.section('/', -1));
        return SaveChoice{path, chosen};
    }
    std::optional<QColor> colour(QWidget*, const QColor&) override {
        if (pick(4) == 0) return std::nullopt;
        const QColor colours[] = {Qt::red, Qt::black, Qt::blue, Qt::white, QColor(31, 119, 180)};
        return colours[pick(5)];
    }
    bool run(QDialog* dialog) override {
        const bool accept = pick(2) == 0;
        log_ << QStringLiteral("  dialog %1 -> %2").arg(dialog->objectName()).arg(accept);
        if (accept) {
            // Dialogs that accept through their own button.
            if (dialog->metaObject()->indexOfMethod("acceptSettings()") >= 0)
                QMetaObject::invokeMethod(dialog, "acceptSettings");
        }
        return accept;
    }
    void preparePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder_ + QStringLiteral("/print.pdf"));
    }
    bool openDocument(const QString&) override { return false; }

private:
    int pick(qsizetype n) { return static_cast<int>(random_() % std::uint32_t(n)); }
    QString dataFile() const {
        const QString path = folder_ + QStringLiteral("/data.txt");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write("1\t2\r\n3\t4,5\r\nx\ty\r\n\t7\r\n");
        return path;
    }
    std::mt19937& random_;
    QString folder_;
    QStringList& log_;
};

class Monkey {
public:
    Monkey(unsigned seed, int steps) : seed_(seed), steps_(steps), random_(seed) {}

    // Runs the steps; false (after printing the steps) when an invariant broke.
    bool run() {
        QTemporaryDir folder;
        qputenv("QUORVEX_CONFIG_DIR", folder.path().toLocal8Bit());
        auto prompter = std::make_unique<RandomPrompter>(random_, folder.path(), log_);
        window_ = std::make_unique<MainWindow>(std::move(prompter),
                                               QCoreApplication::applicationFilePath());
        window_->resize(1100, 800);
        window_->show();
        QCoreApplication::processEvents();
        window_->openImageFile(chartFile("lin_sine.png"), ImageReader::BuiltIn);
        bool ok = true;
        // A step that never returns (an event loop the monkey cannot answer) would hang the
        // run without a word; the watchdog prints the steps and ends it instead.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        int current = 0;
        QObject::connect(&watchdog, &QTimer::timeout, [this, &current] {
            std::printf("monkey seed %u: step %d did not return\n", seed_, current);
            for (const QString& line : log_)
                std::printf("  %s\n", qPrintable(line));
            std::fflush(stdout);
            std::_Exit(1);
        });
        for (int step = 0; step < steps_ && ok; ++step) {
            current = step;
            watchdog.start(20000);
            act(step);
            // Let queued work (timers, deferred dialogs) run, as the event loop would.
            QCoreApplication::processEvents();
            const QString broken = brokenInvariant();
            if (!broken.isEmpty()) {
                std::printf("monkey seed %u: after step %d: %s\n", seed_, step, qPrintable(broken));
                for (const QString& line : log_)
                    std::printf("  %s\n", qPrintable(line));
                ok = false;
            }
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window_.get() && w->isVisible()) w->close();
        window_->close();
        window_.reset();
        return ok;
    }

private:
    int pick(int n) { return static_cast<int>(random_() % std::uint32_t(std::max(n, 1))); }

    // Commands that leave the program or reach outside it (scanners, help in a browser).
    static bool excluded(const QString& name) {
        static const QStringList names{"Exit3", "SelectScaner", "Scan", "Help2"};
        return names.contains(name);
    }

    void collectActions(QMenu* menu, QList<QAction*>& out) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isEnabled() || excluded(a->objectName())) continue;
            if (a->menu())
                collectActions(a->menu(), out);
            else
                out << a;
        }
    }

    void act(int step) {
        const int kind = pick(100);
        MainWindow& w = *window_;
        if (kind < 30) {
            QList<QAction*> actions;
            for (QAction* a : w.menuBar()->actions())
                if (a->menu() && a->isEnabled()) collectActions(a->menu(), actions);
            for (QMenu* popup : w.findChildren<QMenu*>())
                if (!popup->parent() || popup->parentWidget() == &w) collectActions(popup, actions);
            if (actions.isEmpty()) return;
            QAction* a = actions[pick(int(actions.size()))];
            log_ << QStringLiteral("%1 action %2").arg(step).arg(a->objectName());
            a->trigger();
        } else if (kind < 55) {
            QList<QAbstractButton*> buttons;
            for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
                // A button with a drop-down would run the menu's own event loop; its commands
                // are triggered from the menus instead.
                const auto* tool = qobject_cast<QToolButton*>(b);
                if (tool && tool->menu() && tool->popupMode() == QToolButton::InstantPopup)
                    continue;
                if (b->isEnabled() && b->isVisible() && b->window() == &w &&
                    !excluded(b->objectName()))
                    buttons << b;
            }
            if (buttons.isEmpty()) return;
            QAbstractButton* b = buttons[pick(int(buttons.size()))];
            log_ << QStringLiteral("%1 button %2").arg(step).arg(b->objectName());
            b->click();
        } else if (kind < 75) {
            QWidget* target = pick(3) == 0 ? static_cast<QWidget*>(w.findChild<ChartView*>())
                                           : static_cast<QWidget*>(w.findChild<ImageView*>());
            if (!target || !target->isEnabled()) return;
            drag(step, target);
        } else if (kind < 85) {
            editCell(step);
        } else if (kind < 93) {
            setNumber(step);
        } else {
            pressKey(step);
        }
    }

    void drag(int step, QWidget* target) {
        const int width = std::max(target->width(), 1), height = std::max(target->height(), 1);
        auto point = [&] { return QPoint(pick(width), pick(height)); };
        const Qt::MouseButton button = pick(6) == 0 ? Qt::RightButton : Qt::LeftButton;
        QPoint at = point();
        log_ << QStringLiteral("%1 drag on %2 from %3,%4")
                    .arg(step)
                    .arg(target->objectName())
                    .arg(at.x())
                    .arg(at.y());
        QTest::mousePress(target, button, Qt::NoModifier, at);
        for (int moves = pick(5); moves > 0; --moves) {
            at = point();
            QMouseEvent move(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)),
                             Qt::NoButton, button, Qt::NoModifier);
            QApplication::sendEvent(target, &move);
        }
        QTest::mouseRelease(target, button, Qt::NoModifier, at);
    }

    void editCell(int step) {
        auto* view = window_->findChild<QTableView*>(QStringLiteral("Tabl"));
        if (!view || !view->model() || !view->isEnabled()) return;
        QAbstractItemModel* model = view->model();
        if (model->rowCount() == 0 || model->columnCount() == 0) return;
        const QModelIndex index =
            model->index(pick(std::min(model->rowCount(), 60)), pick(model->columnCount()));
        const QString texts[] = {"1", "-2.5", "", "abc", "1E300", "3", "X1*", "0", "7"};
        const QString text = texts[pick(9)];
        log_ << QStringLiteral("%1 cell %2,%3 = \"%4\"")
                    .arg(step)
                    .arg(index.row())
                    .arg(index.column())
                    .arg(text);
        model->setData(index, text, Qt::EditRole);
    }

    void setNumber(int step) {
        QList<QWidget*> fields;
        for (QSpinBox* b : window_->findChildren<QSpinBox*>())
            if (b->isEnabled() && b->window() == window_.get()) fields << b;
        if (QLineEdit* curve = window_->findChild<QLineEdit*>(QStringLiteral("N_curve")))
            fields << curve;
        if (fields.isEmpty()) return;
        QWidget* field = fields[pick(int(fields.size()))];
        if (auto* box = qobject_cast<QSpinBox*>(field)) {
            // Small values keep each step quick (a 100000-row Table is slow to sort many times).
            const int value =
                box->minimum() + pick(std::min(box->maximum() - box->minimum(), 400) + 1);
            log_ << QStringLiteral("%1 %2 = %3").arg(step).arg(box->objectName()).arg(value);
            box->setValue(value);
        } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            const QString texts[] = {"1", "2", "20", "0", "x", "21", "-3"};
            const QString text = texts[pick(7)];
            log_ << QStringLiteral("%1 %2 = \"%3\"").arg(step).arg(edit->objectName()).arg(text);
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        }
    }

    void pressKey(int step) {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window_.get()) target = window_.get();
        // Space or Return on a button with a drop-down runs the menu's own event loop.
        if (const auto* tool = qobject_cast<QToolButton*>(target); tool && tool->menu())
            target = window_.get();
        const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Up,
                                Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right,  Qt::Key_5,
                                Qt::Key_Comma,  Qt::Key_Period, Qt::Key_Space,  Qt::Key_Tab};
        const Qt::Key key = keys[pick(12)];
        log_ << QStringLiteral("%1 key %2 on %3").arg(step).arg(int(key)).arg(target->objectName());
        QTest::keyClick(target, key);
    }

    // The first invariant that does not hold, or nothing.
    QString brokenInvariant() const {
        const MainWindow& w = *window_;
        const Table& t = *w.table();
        for (int curve = 1; curve <= Table::kMaxPairs; ++curve)
            if (t.nextRow(curve) < 1 || t.nextRow(curve) > Table::kMaxRows + 1)
                return QStringLiteral("NextRow of curve %1 is %2").arg(curve).arg(t.nextRow(curve));
        if (t.cell(0, 0) != QLatin1String("N")) return QStringLiteral("header N changed");
        for (int column = 1; column <= 2 * t.pairCount(); ++column) {
            const QString expected = QStringLiteral("%1%2")
                                         .arg(column % 2 ? QLatin1Char('X') : QLatin1Char('Y'))
                                         .arg((column + 1) / 2);
            // Columns added by raising the pair count have no header until the next curve switch.
            const QString header = t.cell(column, 0);
            if (!header.isEmpty() && header != expected && header != expected + QLatin1Char('*'))
                return QStringLiteral("header of column %1 is \"%2\"").arg(column).arg(header);
        }
        const UndoRecord& undo = w.undoRecord();
        for (const char* name : {"UndoPoint1", "UndoPoint"})
            if (w.findChild<QAction*>(QLatin1String(name))->isEnabled() &&
                !undo.latestPointAvailable)
                return QStringLiteral("%1 enabled with no point to take back").arg(name);
        for (const char* name : {"UndoAuto", "UndoAutoP"})
            if (w.findChild<QAction*>(QLatin1String(name))->isEnabled() && !undo.available &&
                !w.searchUndoable())
                return QStringLiteral("%1 enabled with nothing to take back").arg(name);
        const Raster& raster = const_cast<MainWindow&>(w).document().raster;
        if (!raster.isEmpty()) {
            for (int i = 0; i < 7; ++i) {
                static const char* items[7] = {"N1bit1",  "N4bit1",  "N8bit1", "N15bit1",
                                               "N16bit1", "N24bit1", "N32bit1"};
                const QAction* item = w.findChild<QAction*>(QLatin1String(items[i]));
                if (item->isChecked() && raster.format() != kMenuFormats[i])
                    return QStringLiteral("format item %1 checked for a raster of format %2")
                        .arg(items[i])
                        .arg(int(raster.format()));
            }
            const auto* view = w.findChild<ImageView*>();
            if (view->raster() != &raster) return QStringLiteral("the view shows another raster");
        }
        if (!w.menuBar()->isEnabled()) return QStringLiteral("the menu bar stayed locked");
        if (!w.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isEnabled())
            return QStringLiteral("the pages stayed locked");
        if (w.findChild<QPushButton*>(QStringLiteral("Stop"))->isEnabled())
            return QStringLiteral("Stop stayed enabled");
        if (QApplication::activeModalWidget())
            return QStringLiteral("a modal dialog stayed open: %1")
                .arg(QApplication::activeModalWidget()->objectName());
        return {};
    }

    unsigned seed_;
    int steps_;
    std::mt19937 random_;
    QStringList log_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace

// The offscreen platform warns about every raise and size hint; those lines would bury the
// steps a failing seed prints.
void dropPlatformNoise(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support")) ||
        text.contains(QLatin1String("OpenType support missing")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg) std::abort();
}

int main(int argc, char** argv) {
    qInstallMessageHandler(dropPlatformNoise);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTEST_DISABLE_STACK_DUMP", "1");
    Application app(argc, argv);
    configureApplication();
    QLocale::setDefault(QLocale::c());
    qputenv("QUORVEX_INSTANCE_NAME",
            QByteArray("quorvex-monkey-") + QByteArray::number(QCoreApplication::applicationPid()));
    const unsigned firstSeed = qEnvironmentVariableIsSet("QUORVEX_MONKEY_SEED")
                                   ? qEnvironmentVariableIntValue("QUORVEX_MONKEY_SEED")
                                   : 1u;
    const int steps = qEnvironmentVariableIsSet("QUORVEX_MONKEY_STEPS")
                          ? qEnvironmentVariableIntValue("QUORVEX_MONKEY_STEPS")
                          : 250;
    const int seconds = qEnvironmentVariableIntValue("QUORVEX_MONKEY_SECONDS");
    QElapsedTimer clock;
    clock.start();
    unsigned seed = firstSeed;
    int runs = 0;
    do {
        Monkey monkey(seed, steps);
        if (!monkey.run()) return 1;
        ++runs;
        ++seed;
    } while (seconds > 0 && clock.elapsed() < qint64(seconds) * 1000);
    std::printf("monkey: %d seed(s) from %u, %d steps each, every invariant held\n", runs,
                firstSeed, steps);
    return 0;
}
