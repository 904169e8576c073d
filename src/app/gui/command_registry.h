#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quorvex {

class DigitizingSession;

// What a command needs before it can be used.
enum class CommandNeeds {
    Image,       // a picture was loaded since the start
    Data,        // the Table has held data
    ImageOrData, //
    DataOrGraph, // data, or the Grapher was used
    ClipboardImage,
    ClipboardContent
};

// The commands of the window. The parts fill it: each adds its menu items and tool-bar widgets
// under their designer names, says what each needs, and registers the commands other parts may
// ask for. The menu bar and the tool bars are then built from it in the order of one layout
// (command_layout.cpp), and the enabled state of every command with a rule is derived here
// from the session's state, and nowhere else.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    CommandRegistry(DigitizingSession& session, QWidget* window);

    // A menu item, made here and kept by the window; its objectName is `name`.
    QAction* addAction(const char* name, const QString& caption);
    // A widget of one of the layout's tool bars; its objectName becomes `name`.
    void addWidget(const char* name, QWidget* widget);
    // A tool bar of the layout, filled by buildLayout().
    void addToolBar(const char* name, QToolBar* bar);
    QAction* action(const char* name) const;
    QWidget* widget(const char* name) const;

    // The enabled state of a control follows its needs (and the lock of long operations when
    // `locksWithWindow`).
    void addRule(QObject* control, CommandNeeds needs, bool locksWithWindow = false);
    void updateStates();

    // Commands a part offers to the others, by name.
    void addCommand(const QString& name, std::function<void()> run);
    void run(const QString& name) const;

    // Builds the menu bar and fills the tool bars, once every part has added its commands.
    void buildLayout(QMenuBar* menuBar);

private:
    struct Rule {
        QObject* control;
        CommandNeeds needs;
        bool locksWithWindow;
    };
    DigitizingSession& session_;
    QWidget* window_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QToolBar*> toolBars_;
    QHash<QString, std::function<void()>> commands_;
    std::vector<Rule> rules_;
};

// The order of the menus, their items and the tool bars' widgets. A name "-N8" is a separator
// with that objectName ("-" one without), ">N21 Graph" opens a submenu (its action named N21,
// captioned "Graph") and "<" closes it, "=text" is a label, "~name" a widget hidden in its bar.
struct MenuLayout {
    const char* caption;
    std::vector<const char*> items;
};
const std::vector<MenuLayout>& menuLayout();
struct ToolBarLayout {
    const char* name;
    std::vector<const char*> items;
};
const std::vector<ToolBarLayout>& toolBarLayout();

} // namespace quorvex
