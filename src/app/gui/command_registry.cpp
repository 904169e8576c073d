#include "app/gui/command_registry.h"

#include "app/digitizing_session.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QWidget>

namespace quorvex {

const std::vector<MenuLayout>& menuLayout() {
    static const std::vector<MenuLayout> layout{
        {"File",
         {"N34",
          "N40",
          "Reloadtheimagefile1",
          "-N8",
          "SaveImage1",
          "N49",
          "SaveSpreadsheet",
          "N50",
          "SaveProfile",
          "LoadProfile",
          "N91",
          "-NProject",
          "OpenProject",
          "SaveProject",
          "SaveProjectAs",
          "-N39",
          "SelectScaner",
          "Scan",
          "-N9",
          "pf4",
          "NewTable",
          "-N19",
          "Exit3",
          "-",
          "RecentFile1",
          "RecentFile2",
          "RecentFile3",
          "RecentFile4"}},
        {"Edit", {"EditUndo", "EditRedo"}},
        {"Digitization",
         {"UndoPoint1",
          "UndoAuto",
          "-N28",
          "CopytheimagetoClipboard1",
          "PastefromClipboard1",
          "-N4",
          "Fixcoord",
          "FindAxes",
          "N43",
          "-N29",
          "Auto1",
          "N37",
          "-N36",
          "N10Mark",
          "MarkerClor",
          "-N30",
          "Rotatebackgroundimagecolor1",
          "Rotate90",
          "-N44",
          "ShowZoom1",
          "HideZoom1"}},
        {"Table",
         {"ShowTable1", "-N7", "Rescale1", "-N2", "TableintoExcel1", "ColumninClipboard1", "-N48",
          "Calculate1", "Dataformat1", "N1", "X1", "-N5", "N42", "Clear1"}},
        {"Grapher",
         {">N21 Graph", "N22", "N23", "-N35", "N38", "<", "N17", "N18", "MG_Auto", "MG_Grid",
          "-N12", "MG_log", "MG_logY", "-N15", "MG_clear", "N45", "-N25", "Edit"}},
        {"Commands",
         {"YX1", "-N31", "DefaultM", "interfaceOptions", "-N41", "Calculator1", "-N52",
          "PurgeClipboard1"}},
        {"Help", {"Help2", "HintHideP", "-N3", "About1"}},
    };
    return layout;
}

const std::vector<ToolBarLayout>& toolBarLayout() {
    static const std::vector<ToolBarLayout> layout{
        {"ToolBar4",
         {"SpeedButton6", "SpeedButton15", "SpeedButton12", "RxSpeedButton2", "-", "BitBtn1",
          "Stop", "-", "Image3", "=Label1: curve No ", "RxSpinButton1", "N_curve", "-",
          "RxSpeedButton6", "ComboBoxSize"}},
        {"SpeedBar1",
         {"RectSelect", "Points", "BitBtn2", "SpeedButton11SA", "SpeedButton112SA",
          // Marker removal and the palette button are hidden by default: the "Markers"
          // question and the swatch do the same.
          "~RxSpeedButton1", "~ColorBtn", "Rotate", "Pencil"}},
        {"ToolBar3",
         {"SpeedButton16", "SpeedButton2", "PasteButton", "Excel2", "RxSpeedButton4",
          "SpeedButton1", "Repl", "SpeedButton12Sort", "SpeedButton13", "Resc", "ClTabl", "-",
          "=: Pairs ", "Rows", "=: Rows ", "SpinEdit1", "Label4"}},
        {"ToolBar1",
         {"SpeedButton17", "RxSpeedButton5", "-", "CheckBoxTextOut", "Edit5", "-", "RemoveSeries",
          "RxSpeedButton7", "ChartPrint", "SpeedButton3", "Chart_bg", "SeriesColor"}},
    };
    return layout;
}

CommandRegistry::CommandRegistry(DigitizingSession& session, QWidget* window)
    : QObject(window), session_(session), window_(window) {
    connect(&session, &DigitizingSession::stateChanged, this, &CommandRegistry::updateStates);
    // Idle update of the clipboard commands.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CommandRegistry::updateStates);
}

QAction* CommandRegistry::addAction(const char* name, const QString& caption) {
    auto* action = new QAction(caption, window_);
    action->setObjectName(QString::fromLatin1(name));
    actions_.insert(action->objectName(), action);
    return action;
}

void CommandRegistry::addWidget(const char* name, QWidget* widget) {
    widget->setObjectName(QString::fromLatin1(name));
    widgets_.insert(widget->objectName(), widget);
}

void CommandRegistry::addToolBar(const char* name, QToolBar* bar) {
    bar->setObjectName(QString::fromLatin1(name));
    toolBars_.insert(bar->objectName(), bar);
}

QAction* CommandRegistry::action(const char* name) const {
    return actions_.value(QString::fromLatin1(name));
}

QWidget* CommandRegistry::widget(const char* name) const {
    return widgets_.value(QString::fromLatin1(name));
}

void CommandRegistry::addRule(QObject* control, CommandNeeds needs, bool locksWithWindow) {
    rules_.push_back({control, needs, locksWithWindow});
}

void CommandRegistry::updateStates() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const bool clipboardImage = clipboard && clipboard->hasImage();
    const bool clipboardContent = clipboardImage || (clipboard && clipboard->hasText());
    const bool image = session_.imageLoaded(), data = session_.dataPresent();
    for (const Rule& r : rules_) {
        bool on = false;
        switch (r.needs) {
        case CommandNeeds::Image:
            on = image;
            break;
        case CommandNeeds::Data:
            on = data;
            break;
        case CommandNeeds::ImageOrData:
            on = image || data;
            break;
        case CommandNeeds::DataOrGraph:
            on = data || session_.graphUsed();
            break;
        case CommandNeeds::ClipboardImage:
            on = clipboardImage;
            break;
        case CommandNeeds::ClipboardContent:
            on = clipboardContent;
            break;
        }
        if (r.locksWithWindow && session_.interfaceLocked()) on = false;
        if (auto* a = qobject_cast<QAction*>(r.control))
            a->setEnabled(on);
        else if (auto* w = qobject_cast<QWidget*>(r.control))
            w->setEnabled(on);
    }
}

void CommandRegistry::addCommand(const QString& name, std::function<void()> run) {
    commands_.insert(name, std::move(run));
}

void CommandRegistry::run(const QString& name) const {
    const auto found = commands_.constFind(name);
    if (found != commands_.constEnd() && *found) (*found)();
}

void CommandRegistry::buildLayout(QMenuBar* menuBar) {
    for (const MenuLayout& layout : menuLayout()) {
        QMenu* menu = menuBar->addMenu(QString::fromLatin1(layout.caption));
        QMenu* top = menu;
        for (const char* item : layout.items) {
            const QString text = QString::fromLatin1(item);
            if (text.startsWith(QLatin1Char('-'))) {
                QAction* separator = menu->addSeparator();
                if (text.size() > 1) separator->setObjectName(text.mid(1));
            } else if (text.startsWith(QLatin1Char('>'))) {
                menu = top->addMenu(text.section(QLatin1Char(' '), 1));
                menu->menuAction()->setObjectName(text.mid(1).section(QLatin1Char(' '), 0, 0));
            } else if (text == QLatin1String("<")) {
                menu = top;
            } else if (QAction* a = actions_.value(text)) {
                menu->addAction(a);
            } else {
                qWarning("the menu layout names %s, which no part added", item);
            }
        }
    }
    for (const ToolBarLayout& layout : toolBarLayout()) {
        QToolBar* bar = toolBars_.value(QString::fromLatin1(layout.name));
        if (!bar) continue;
        for (const char* item : layout.items) {
            const QString text = QString::fromLatin1(item);
            if (text == QLatin1String("-")) {
                bar->addSeparator();
            } else if (text.startsWith(QLatin1Char('='))) {
                auto* label = new QLabel(text.section(QLatin1Char(':'), 1));
                label->setObjectName(text.mid(1).section(QLatin1Char(':'), 0, 0));
                bar->addWidget(label);
            } else {
                const bool hidden = text.startsWith(QLatin1Char('~'));
                QWidget* w = widgets_.value(hidden ? text.mid(1) : text);
                if (!w) {
                    qWarning("the tool bar layout names %s, which no part added", item);
                    continue;
                }
                // A tool bar shows or hides a widget through its action.
                QAction* place = bar->addWidget(w);
                if (hidden) place->setVisible(false);
            }
        }
    }
    updateStates();
}

} // namespace quorvex
