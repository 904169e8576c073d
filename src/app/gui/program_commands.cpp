#include "app/gui/program_commands.h"

#include "app/gui/about_dialog.h"
#include "app/gui/interface_options_dialog.h"
#include "app/settings_files.h"
#include "autodigit/gui/auto_digitize_settings_dialog.h"
#include "components/calculator_dialog.h"
#include "components/widgets.h"
#include "core/messages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

ProgramCommands::ProgramCommands(const PartContext& context, QString programPath)
    : WindowPart(context), programPath_(std::move(programPath)) {
    CommandRegistry& c = commands();
    QAction* calculatorItem = c.addAction("Calculator1", QStringLiteral("Calculator"));
    QToolButton* calculatorButton =
        glyphButton("RxSpeedButton2", Glyph::Calculator, QStringLiteral("Show calculator"));
    c.addWidget("RxSpeedButton2", calculatorButton);
    QAction* purge = c.addAction("PurgeClipboard1", QStringLiteral("Purge Clipboard"));
    c.addRule(purge, CommandNeeds::ClipboardContent);
    QAction* help = c.addAction("Help2", QStringLiteral("Help"));
    // F1 also from the program's dialogs: the help opens at the part about the focused control.
    help->setShortcut(QKeySequence::HelpContents);
    help->setShortcutContext(Qt::ApplicationShortcut);
    QAction* about = c.addAction("About1", QStringLiteral("About Quorvex..."));

    const auto showCalculator = [this] {
        CalculatorDialog calculator(window());
        runDialog(&calculator);
    };
    connect(calculatorItem, &QAction::triggered, this, showCalculator);
    connect(calculatorButton, &QToolButton::clicked, this, showCalculator);
    connect(purge, &QAction::triggered, this, [this] {
        QApplication::clipboard()->clear();
        commands().updateStates();
    });
    connect(help, &QAction::triggered, this, &ProgramCommands::showHelp);
    connect(about, &QAction::triggered, this, [this] {
        AboutDialog dialog(window());
        runDialog(&dialog);
    });
    connect(&session(), &DigitizingSession::lockChanged, calculatorButton,
            [calculatorButton](bool locked) { calculatorButton->setEnabled(!locked); });
}

QString ProgramCommands::helpFile() const {
    const QString name = messageLanguage() == Language::Russian ? QStringLiteral("QUORVEX21R.HLP")
                                                                : QStringLiteral("QUORVEX21E.HLP");
    return programDataFile(programPath_, name);
}

// The topics by the controls of the window (their designer names) and by the dialog in front.
QString ProgramCommands::helpTopicFor(const QWidget* focus) const {
    const auto within = [this, focus](std::initializer_list<const char*> names) {
        if (!focus) return false;
        for (const char* name : names)
            for (const QWidget* area : window()->findChildren<QWidget*>(QString::fromLatin1(name)))
                if (area->window() == window() && (area == focus || area->isAncestorOf(focus)))
                    return true;
        return false;
    };
    const QWidget* front = focus ? focus->window() : nullptr;
    if (within({"Edit1", "Edit2", "Edit3", "Edit4", "ComboBox2", "ComboBox3", "RectSelect"}))
        return QStringLiteral("calibration");
    if (within({"auto", "BitBtn2", "Points", "ColorBtn"}) ||
        qobject_cast<const AutoDigitizeSettingsDialog*>(front))
        return QStringLiteral("auto");
    if (within({"general", "AutoSemi", "SpeedButton112SA", "SpeedButton11SA"}))
        return QStringLiteral("manual");
    if (within({"TabSheet2"})) return QStringLiteral("table");
    if (within({"TabSheet1"})) return QStringLiteral("grapher");
    if (within({"Image1", "Rotate", "Pencil", "RxSpeedButton3"})) return QStringLiteral("image");
    if (qobject_cast<const InterfaceOptionsDialog*>(front)) return QStringLiteral("topic5");
    return QStringLiteral("topic4");
}

void ProgramCommands::showHelp() {
    const QString topic = helpTopicFor(QApplication::focusWidget());
    const QString path = helpFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        inform(message(Msg::HelpFileMissing).arg(path), true);
        return;
    }
    QDialog viewer(window());
    viewer.setObjectName(QStringLiteral("HelpViewer"));
    viewer.setWindowTitle(QStringLiteral("Quorvex - Help"));
    auto* layout = new QVBoxLayout(&viewer);
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("HelpText"));
    browser->setHtml(QString::fromUtf8(file.readAll()));
    browser->scrollToAnchor(topic);
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::reject);
    layout->addWidget(buttons);
    viewer.resize(640, 480);
    runDialog(&viewer);
}

} // namespace quorvex
