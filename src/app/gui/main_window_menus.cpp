// The menu bar of the main window, its pop-up menus and the connections of every command.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "image/pixel_format.h"
#include "table/gui/table_grid_model.h"
#include "table/table.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace quorvex {

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MainWindow::createMenus() {
    menuBar_ = menuBar();
    menuBar_->setObjectName(QStringLiteral("Protokol"));
    auto separator = [](QMenu* m, const char* name) {
        m->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    auto disabled = [](QAction* a) {
        a->setEnabled(false);
        return a;
    };
    auto checked = [](QAction* a, bool on = true) {
        a->setCheckable(true);
        a->setChecked(on);
        return a;
    };

    fileMenu_ = menuBar_->addMenu(QStringLiteral("File"));
    openImageAction_ = addAction(fileMenu_, "N34", "Open graph Image...");
    openImageAction_->setShortcut(QKeySequence::Open);
    purgeImageAction_ = disabled(addAction(fileMenu_, "N40", "Purge Image"));
    reloadImageAction_ = disabled(addAction(fileMenu_, "Reloadtheimagefile1", "Reload Image file"));
    separator(fileMenu_, "N8");
    saveImageAction_ = disabled(addAction(fileMenu_, "SaveImage1", "Save graph Image..."));
    saveTableAction_ = disabled(addAction(fileMenu_, "N49", "Save data from Table..."));
    saveTableAction_->setShortcut(QKeySequence::Save);
    saveSpreadsheetAction_ =
        disabled(addAction(fileMenu_, "SaveSpreadsheet", message(Msg::SaveSpreadsheetItem)));
    openDataFileAction_ = addAction(fileMenu_, "N50", "Open data file to Table...");
    saveProfileAction_ =
        disabled(addAction(fileMenu_, "SaveProfile", message(Msg::ProfileSaveItem)));
    loadProfileAction_ =
        disabled(addAction(fileMenu_, "LoadProfile", message(Msg::ProfileLoadItem)));
    saveGraphAction_ = disabled(addAction(fileMenu_, "N91", "Save graph from Grapher... "));
    separator(fileMenu_, "N39");
    selectScannerAction_ = addAction(fileMenu_, "SelectScaner", "Select TWAIN source...");
    scanAction_ = addAction(fileMenu_, "Scan", "Acquire...");
    separator(fileMenu_, "N9");
    colourConversionAction_ =
        checked(addAction(fileMenu_, "pf4", "White-black Image into colored one"));
    clearTableOnNewImageAction_ =
        checked(addAction(fileMenu_, "NewTable", "For new Image clear Table and Grapher"));
    separator(fileMenu_, "N19");
    exitAction_ = addAction(fileMenu_, "Exit3", "Exit");
    exitAction_->setShortcut(QKeySequence::Quit);
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < 4; ++i) {
        recentEntries_[static_cast<std::size_t>(i)] = fileMenu_->addAction(QString());
        recentEntries_[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("RecentFile%1").arg(i + 1));
    }

    QMenu* digitization = menuBar_->addMenu(QStringLiteral("Digitization"));
    undoPointAction_ =
        disabled(addAction(digitization, "UndoPoint1", "Undo input of the latest point"));
    undoPointAction_->setShortcut(QKeySequence::Undo);
    undoDigitizationAction_ = addAction(digitization, "UndoAuto", "Undo digitization");
    separator(digitization, "N28");
    copyImageAction_ =
        disabled(addAction(digitization, "CopytheimagetoClipboard1", "Copy Image to Clipboard"));
    pasteImageAction_ =
        disabled(addAction(digitization, "PastefromClipboard1", "Paste Image from Clipboard..."));
    separator(digitization, "N4");
    fixCoordinatesAction_ = disabled(addAction(digitization, "Fixcoord", "Fix coordinates"));
    curveColourAction_ = addAction(digitization, "N43", "Select curve colour from pallet...");
    separator(digitization, "N29");
    autoSizeAction_ = disabled(checked(addAction(digitization, "Auto1", "Auto-size"), false));
    realSizeAction_ = disabled(checked(addAction(digitization, "N37", "Real size (100%)")));
    separator(digitization, "N36");
    markersAction_ = checked(addAction(digitization, "N10Mark", "Markers"));
    markersAction_->setToolTip(QStringLiteral("Mark a digitezed points with color"));
    markerColourAction_ =
        addAction(digitization, "MarkerClor", "Select marker colour from pallet...");
    separator(digitization, "N30");
    rotateBackgroundAction_ = addAction(digitization, "Rotatebackgroundimagecolor1",
                                        "Select rotate background image colour...");
    rotate90Action_ = disabled(addAction(digitization, "Rotate90", "Rotate 90 degrees"));
    separator(digitization, "N44");
    showZoomAction_ = addAction(digitization, "ShowZoom1", "Show Zoom");
    hideZoomAction_ = addAction(digitization, "HideZoom1", "Hide Zoom");

    QMenu* tableMenu = menuBar_->addMenu(QStringLiteral("Table"));
    showTableAction_ = addAction(tableMenu, "ShowTable1", "Show Table");
    separator(tableMenu, "N7");
    redigitizeAction_ = disabled(addAction(tableMenu, "Rescale1", "Re-digitize data XY..."));
    separator(tableMenu, "N2");
    spreadsheetAction_ = disabled(addAction(tableMenu, "TableintoExcel1", "Table into Excel"));
    copyToClipboardAction_ =
        disabled(addAction(tableMenu, "ColumninClipboard1", "Copy to Clipboard..."));
    separator(tableMenu, "N48");
    calculateAction_ = disabled(addAction(tableMenu, "Calculate1", "Calculate..."));
    dataFormatAction_ = disabled(addAction(tableMenu, "Dataformat1", "Data format..."));
    replaceAction_ = disabled(addAction(tableMenu, "N1", "Replace..."));
    sortAction_ = disabled(addAction(tableMenu, "X1", "Sorting on X"));
    separator(tableMenu, "N5");
    deleteRowsAction_ = disabled(addAction(tableMenu, "N42", "Delete rows..."));
    clearAllColumnsAction_ = disabled(addAction(tableMenu, "Clear1", "Clear all columns"));

    grapherMenu_ = menuBar_->addMenu(QStringLiteral("Grapher"));
    grapherOptionsMenu_ = new QMenu(this);
    grapherOptionsMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    // The Grapher menu [0] and the drop-down of the Options button [1] hold the same commands.
    struct ItemNames {
        const char* main;
        const char* popup;
    };
    GrapherItems& g = grapherItems_;
    const std::array<QMenu*, 2> menus{grapherMenu_, grapherOptionsMenu_};
    std::array<QMenu*, 2> graphMenus{};
    auto pair = [&](ItemPair& items, ItemNames names, const char* caption, bool inGraphMenu) {
        for (int i = 0; i < 2; ++i) {
            QMenu* menu = inGraphMenu ? graphMenus[i] : menus[i];
            items[i] = addAction(menu, QString::fromLatin1(i == 0 ? names.main : names.popup),
                                 QString::fromLatin1(caption));
        }
    };
    for (int i = 0; i < 2; ++i) {
        graphMenus[i] = menus[i]->addMenu(QStringLiteral("Graph"));
        graphMenus[i]->menuAction()->setObjectName(i == 0 ? QStringLiteral("N21")
                                                          : QStringLiteral("Gr"));
    }
    pair(g.symbol, {"N22", "N10"}, "Symbol", true);
    pair(g.line, {"N23", "N20"}, "Line", true);
    separator(graphMenus[0], "N35");
    graphMenus[1]->addSeparator();
    pair(g.sorting, {"N38", "N27"}, "Sorting on X", true);
    pair(g.increase, {"N17", "N14"}, "Increase symbol size", false);
    pair(g.decrease, {"N18", "N13"}, "Decrease symbol size", false);
    pair(g.autoSize, {"MG_Auto", "PM_Auto"}, "Auto-size", false);
    pair(g.grid, {"MG_Grid", "PM_Grid"}, "Grid", false);
    separator(grapherMenu_, "N12");
    grapherOptionsMenu_->addSeparator();
    pair(g.logX, {"MG_log", "PM_log"}, "Logarithmic scale X (log10)", false);
    pair(g.logY, {"MG_logY", "PM_logY"}, "Logarithmic scale Y (log10)", false);
    separator(grapherMenu_, "N15");
    grapherOptionsMenu_->addSeparator();
    pair(g.clear, {"MG_clear", "PM_clear"}, "Clear", false);
    pair(g.print, {"N45", "N51"}, "Print", false);
    separator(grapherMenu_, "N25");
    grapherOptionsMenu_->addSeparator();
    pair(g.options, {"Edit", "Edit6"}, "Options...", false);
    for (int i = 0; i < 2; ++i) {
        auto* style = new QActionGroup(this);
        style->addAction(checked(g.symbol[i]));
        style->addAction(checked(g.line[i], false));
        checked(g.sorting[i], false);
        checked(g.grid[i]);
        checked(g.logX[i], false);
        checked(g.logY[i], false);
    }
    grapherOptionsButton_->setMenu(grapherOptionsMenu_);

    QMenu* commands = menuBar_->addMenu(QStringLiteral("Commands"));
    showGraphAction_ = disabled(addAction(commands, "YX1", "Y(X)"));
    separator(commands, "N31");
    defaultOptionsAction_ = addAction(commands, "DefaultM", "Load default options");
    interfaceOptionsAction_ = addAction(commands, "interfaceOptions", "Interface options...");
    separator(commands, "N41");
    calculatorAction_ = addAction(commands, "Calculator1", "Calculator");
    separator(commands, "N52");
    purgeClipboardAction_ = addAction(commands, "PurgeClipboard1", "Purge Clipboard");

    QMenu* help = menuBar_->addMenu(QStringLiteral("Help"));
    helpAction_ = addAction(help, "Help2", "Help");
    // F1 also from the program's dialogs: the help opens at the part about the focused control.
    helpAction_->setShortcut(QKeySequence::HelpContents);
    helpAction_->setShortcutContext(Qt::ApplicationShortcut);
    longHintsAction_ = checked(addAction(help, "HintHideP", "Show hints during to 10s"));
    separator(help, "N3");
    aboutAction_ = addAction(help, "About1", "About Quorvex...");

    // Pop-up menus of tool buttons.
    formatMenu_ = new QMenu(this);
    formatMenu_->setObjectName(QStringLiteral("RxPopupMenu1"));
    formatGroup_ = new QActionGroup(this);
    formatGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* formatNames[8] = {"N1bit1",  "N4bit1",  "N8bit1",  "N15bit1",
                                  "N16bit1", "N24bit1", "N32bit1", "gray1"};
    const char* formatCaptions[8] = {"1 bit",  "4 bit",  "8 bit",  "15 bit",
                                     "16 bit", "24 bit", "32 bit", "gray"};
    for (int i = 0; i < 8; ++i) {
        QAction* a = checked(addAction(formatMenu_, formatNames[i], formatCaptions[i]), false);
        formatGroup_->addAction(a);
        formatItems_[static_cast<std::size_t>(i)] = a;
    }
    formatButton_->setMenu(formatMenu_);

    // The step button's drop-down shows the step in graph units.
    stepMenu_ = new QMenu(this);
    stepMenu_->setObjectName(QStringLiteral("PopupStep"));
    graphStepAction_ = addAction(stepMenu_, "N110", "1");
    stepButton_->setMenu(stepMenu_);

    // Opened by the image's mouse handling.
    undoMenu_ = new QMenu(this);
    undoMenu_->setObjectName(QStringLiteral("Undo"));
    undoPointPopupAction_ =
        disabled(addAction(undoMenu_, "UndoPoint", "Undo input of the latest point"));
    undoDigitizationPopupAction_ = addAction(undoMenu_, "UndoAutoP", "Undo digitization");

    clearMenu_ = new QMenu(this);
    clearMenu_->setObjectName(QStringLiteral("PopupMenuTable"));
    clearAllAction_ = addAction(clearMenu_, "ClearAll", "Clear all columns");
    clearPairAction_ = addAction(clearMenu_, "Clear2", "Clear columns XN,YN only");
    clearTableButton_->setMenu(clearMenu_);
}

void MainWindow::connectCommands() {
    connectGrapherCommands();
    connect(openImageAction_, &QAction::triggered, this, &MainWindow::openImage);
    connect(openButton_, &QToolButton::clicked, this, &MainWindow::openImage);
    for (int i = 0; i < 4; ++i)
        connect(recentEntries_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { reopenRecent(i + 1); });
    connect(reloadImageAction_, &QAction::triggered, this, &MainWindow::reloadImage);
    connect(purgeImageAction_, &QAction::triggered, this, &MainWindow::purgeImage);
    connect(saveImageAction_, &QAction::triggered, this, &MainWindow::saveImageAs);
    connect(selectScannerAction_, &QAction::triggered, this, &MainWindow::selectScanner);
    connect(scanAction_, &QAction::triggered, this, &MainWindow::scanImage);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(copyImageAction_, &QAction::triggered, this, &MainWindow::copyImageToClipboard);
    connect(copyImageButton_, &QToolButton::clicked, this, &MainWindow::copyImageToClipboard);
    connect(pasteImageAction_, &QAction::triggered, this, &MainWindow::pasteImage);
    connect(pasteImageButton_, &QToolButton::clicked, this, &MainWindow::pasteImage);
    for (int i = 0; i < 7; ++i)
        connect(formatItems_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, f = kMenuFormats[i]] { convertToFormat(f); });
    connect(formatItems_[7], &QAction::triggered, this, &MainWindow::convertToGrayscale);
    connect(showTableAction_, &QAction::triggered, this, &MainWindow::showTable);
    connect(curveSpinButton_, &SpinButton::upClicked, this, &MainWindow::nextCurve);
    connect(curveSpinButton_, &SpinButton::downClicked, this, &MainWindow::previousCurve);
    connect(clearMenu_, &QMenu::aboutToShow, this, &MainWindow::prepareClearMenu);
    connect(clearAllAction_, &QAction::triggered, this, &MainWindow::clearAllPairs);
    connect(clearAllColumnsAction_, &QAction::triggered, this, &MainWindow::clearAllPairs);
    connect(clearPairAction_, &QAction::triggered, this, &MainWindow::clearCurrentPair);
    // The operations on the Table, from the Table menu and the Table page's buttons.
    const struct {
        QAction* action;
        QToolButton* button;
        void (MainWindow::*command)();
    } tableCommands[] = {
        {sortAction_, sortButton_, &MainWindow::sortOnX},
        {deleteRowsAction_, deleteRowsButton_, &MainWindow::showDeleteRows},
        {replaceAction_, replaceButton_, &MainWindow::replaceSeparator},
        {calculateAction_, calculateButton_, &MainWindow::calculate},
        {dataFormatAction_, dataFormatButton_, &MainWindow::showDataFormat},
        {redigitizeAction_, redigitizeButton_, &MainWindow::redigitize},
    };
    for (const auto& c : tableCommands) {
        connect(c.action, &QAction::triggered, this, c.command);
        connect(c.button, &QToolButton::clicked, this, c.command);
    }
    connect(defaultOptionsAction_, &QAction::triggered, this, &MainWindow::loadDefaultOptions);
    connect(interfaceOptionsAction_, &QAction::triggered, this, &MainWindow::showInterfaceOptions);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);
    connect(purgeClipboardAction_, &QAction::triggered, this, &MainWindow::purgeClipboard);
    connect(longHintsAction_, &QAction::triggered, this, &MainWindow::hintTimeToggled);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(calculatorAction_, &QAction::triggered, this, &MainWindow::showCalculator);
    connect(calculatorButton_, &QToolButton::clicked, this, &MainWindow::showCalculator);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::requestStop);

    // The Table's controls and the Table follow each other.
    connect(pairCountBox_, qOverload<int>(&QSpinBox::valueChanged), table_, &Table::setPairCount);
    connect(table_, &Table::pairCountChanged, pairCountBox_, &QSpinBox::setValue);
    connect(rowCountBox_, qOverload<int>(&QSpinBox::valueChanged), table_, &Table::setRowCount);
    connect(table_, &Table::rowCountChanged, rowCountBox_, &QSpinBox::setValue);
    connect(curveField_, &QLineEdit::textChanged, table_, &Table::setCurveText);
    connect(table_, &Table::curveTextChanged, this, [this](const QString& text) {
        if (curveField_->text() != text) curveField_->setText(text);
        curveLabel_->setText(table_->curveLabel());
    });
    connect(table_, &Table::curveSwitched, this, &MainWindow::releaseDigitizingTools);
    // A change of rows the undo record names makes it untrue: its items follow at once.
    connect(table_, &Table::cellsChanged, this, &MainWindow::updateUndoActions);
    // Reported once the grid has finished the edit.
    connect(
        tableModel_, &TableGridModel::failed, this,
        [this](const QString& text) { prompter_->information(this, text, true); },
        Qt::QueuedConnection);
    connect(table_, &Table::dataAvailable, this, &MainWindow::enableDataCommands);
    connect(selfCorrectionBox_, &QCheckBox::clicked, this, &MainWindow::selfCorrectionToggled);
    connect(polyBezierBox_, &QCheckBox::clicked, this, &MainWindow::polyBezierToggled);
    connect(markerSizeBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &MainWindow::markerSizeChanged);

    // The image and its tools.
    connect(imageView_, &ImageView::mousePressed, this, &MainWindow::imageMousePressed);
    connect(imageView_, &ImageView::mouseMoved, this, &MainWindow::imageMouseMoved);
    connect(imageView_, &ImageView::mouseReleased, this, &MainWindow::imageMouseReleased);
    for (QToolButton* b :
         {rectangleTool_, colourPickTool_, searchTool_, manualInputTool_, rotateTool_, pencilTool_})
        connect(b, &QToolButton::toggled, this,
                [this, b](bool down) { toolButtonToggled(b, down); });
    connect(rectangleTool_, &QToolButton::clicked, this, &MainWindow::toggleRectangleSelection);
    connect(colourPickTool_, &QToolButton::clicked, this, &MainWindow::toggleColourPick);
    connect(manualInputTool_, &QToolButton::clicked, this, &MainWindow::toggleManualInput);
    connect(searchTool_, &QToolButton::clicked, this, &MainWindow::toggleSearchInArea);
    connect(autoDigitizeButton_, &QToolButton::clicked, this, &MainWindow::digitizeAutomatically);
    connect(rotateTool_, &QToolButton::toggled, this, &MainWindow::rotationToolToggled);
    connect(rotate90Action_, &QAction::triggered, this, &MainWindow::rotate90);
    connect(rotateBackgroundAction_, &QAction::triggered, this,
            &MainWindow::chooseRotateBackground);
    connect(pencilTool_, &QToolButton::toggled, this, &MainWindow::pencilToolToggled);
    connect(firstRowBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &MainWindow::firstRowChanged);
    connect(lastRowBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &MainWindow::lastRowChanged);
    connect(stepBox_, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::stepChanged);
    connect(oneValuedBox_, &QCheckBox::clicked, this, &MainWindow::oneValuednessToggled);
    connect(graphStepAction_, &QAction::triggered, this, &MainWindow::setUpGraphStep);
    connect(cornerFields_[0], &QLineEdit::textChanged, this, &MainWindow::refreshStepCaption);
    connect(cornerFields_[2], &QLineEdit::textChanged, this, &MainWindow::refreshStepCaption);
    connect(markersAction_, &QAction::triggered, this, &MainWindow::markersToggled);
    connect(removeMarkersButton_, &QToolButton::clicked, this, &MainWindow::removeMarkers);
    for (QAction* a : {undoPointPopupAction_, undoPointAction_})
        connect(a, &QAction::triggered, this, &MainWindow::undoLatestPoint);
    for (QAction* a : {undoDigitizationAction_, undoDigitizationPopupAction_})
        connect(a, &QAction::triggered, this, &MainWindow::undoDigitization);
    connect(fixCoordinatesAction_, &QAction::triggered, this, [this] { fixCoordinates(false); });
    connect(markerColourAction_, &QAction::triggered, this, &MainWindow::chooseMarkerColour);
    connect(curveColourAction_, &QAction::triggered, this, &MainWindow::chooseCurveColour);
    connect(curveColourButton_, &QToolButton::clicked, this, &MainWindow::chooseCurveColour);
    connect(curveColourSwatch_, &ColourSwatch::clicked, this, &MainWindow::chooseCurveColour);

    // The view.
    connect(realSizeAction_, &QAction::triggered, this, &MainWindow::showRealSize);
    connect(autoSizeAction_, &QAction::triggered, this, &MainWindow::autoSize);
    connect(measureBox_, qOverload<int>(&QComboBox::activated), this, &MainWindow::measureSelected);
    measureBox_->lineEdit()->installEventFilter(this);
    connect(zoomDock_, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) showStatus(message(Msg::ZoomDragging));
    });
    connect(showZoomAction_, &QAction::triggered, this, &MainWindow::showZoom);
    connect(hideZoomAction_, &QAction::triggered, this, &MainWindow::hideZoom);
    connect(zoomToggleButton_, &QToolButton::clicked, this, [this] {
        if (zoomActive_)
            hideZoom();
        else
            showZoom();
    });
    connect(horizontalRuler_, &Ruler::doubleClicked, this, &MainWindow::hideRulers);
    connect(verticalRuler_, &Ruler::doubleClicked, this, &MainWindow::hideRulers);
    rulerCorner_->installEventFilter(this);
    for (QLineEdit* f : cornerFields_) {
        f->installEventFilter(this);
        enterLocaleDecimalSeparator(f);
    }

    // Text data files.
    connect(saveTableAction_, &QAction::triggered, this, &MainWindow::saveTable);
    connect(saveSpreadsheetAction_, &QAction::triggered, this, &MainWindow::saveTableAsSpreadsheet);
    connect(saveProfileAction_, &QAction::triggered, this, &MainWindow::saveDigitizingProfile);
    connect(loadProfileAction_, &QAction::triggered, this, &MainWindow::loadDigitizingProfile);
    connect(copyToClipboardAction_, &QAction::triggered, this, &MainWindow::copyToClipboard);
    connect(copyRangeButton_, &QToolButton::clicked, this, &MainWindow::copyToClipboard);
    connect(spreadsheetAction_, &QAction::triggered, this, &MainWindow::exportToSpreadsheet);
    connect(spreadsheetButton_, &QToolButton::clicked, this, &MainWindow::exportToSpreadsheet);
    connect(openDataFileAction_, &QAction::triggered, this, &MainWindow::openDataFile);
    connect(saveTableButton_, &QToolButton::clicked, this, &MainWindow::saveTable);
    connect(importButton_, &QToolButton::clicked, this, &MainWindow::openDataFile);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != pages_->indexOf(digitizationPage_))
            for (int i = 0; i < 4; ++i)
                panels_[static_cast<std::size_t>(i)]->clear();
    });
    // Idle update of the clipboard commands.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainWindow::updateCommandStates);
}

// What each command needs before it can be used. The enabled state of every command listed
// here is derived from the window's state in updateCommandStates() and nowhere else.
void MainWindow::defineCommandRules() {
    using N = CommandNeeds;
    auto rule = [this](QObject* control, N needs, bool locksWithWindow = false) {
        commandRules_.push_back({control, needs, locksWithWindow});
    };
    for (QObject* c : std::initializer_list<QObject*>{
             purgeImageAction_, reloadImageAction_, saveImageAction_, autoSizeAction_,
             realSizeAction_, fixCoordinatesAction_, copyImageAction_, formatButton_,
             colourPickTool_, rectangleTool_, removeMarkersButton_, rotate90Action_, rotateTool_,
             pencilTool_, saveProfileAction_, loadProfileAction_})
        rule(c, N::Image);
    for (QWidget* w :
         std::initializer_list<QWidget*>{measureBox_, calibrationPanel_, copyImageButton_})
        rule(w, N::Image, true);
    rule(pasteImageAction_, N::ClipboardImage);
    rule(pasteImageButton_, N::ClipboardImage, true);
    rule(purgeClipboardAction_, N::ClipboardContent);
    for (QObject* c : std::initializer_list<QObject*>{saveTableAction_,
                                                      saveTableButton_,
                                                      clearAllColumnsAction_,
                                                      clearTableButton_,
                                                      sortAction_,
                                                      sortButton_,
                                                      deleteRowsAction_,
                                                      deleteRowsButton_,
                                                      replaceAction_,
                                                      replaceButton_,
                                                      calculateAction_,
                                                      calculateButton_,
                                                      dataFormatAction_,
                                                      dataFormatButton_,
                                                      redigitizeAction_,
                                                      redigitizeButton_,
                                                      copyToClipboardAction_,
                                                      copyRangeButton_,
                                                      spreadsheetAction_,
                                                      spreadsheetButton_,
                                                      saveSpreadsheetAction_})
        rule(c, N::Data);
    rule(showGraphAction_, N::ImageOrData);
    rule(showGraphButton_, N::ImageOrData, true);
    rule(chartBackgroundButton_, N::Image);
    for (QObject* c : std::initializer_list<QObject*>{
             saveGraphAction_, saveGraphButton_, grapherItems_.clear[0], grapherItems_.print[0],
             clearGraphButton_, printGraphButton_})
        rule(c, N::DataOrGraph);
}

void MainWindow::updateCommandStates() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const bool clipboardImage = clipboard && clipboard->hasImage();
    const bool clipboardContent = clipboardImage || (clipboard && clipboard->hasText());
    for (const CommandRule& r : commandRules_) {
        bool on = false;
        switch (r.needs) {
        case CommandNeeds::Image:
            on = imageLoaded_;
            break;
        case CommandNeeds::Data:
            on = dataCommandsEnabled_;
            break;
        case CommandNeeds::ImageOrData:
            on = imageLoaded_ || dataCommandsEnabled_;
            break;
        case CommandNeeds::DataOrGraph:
            on = dataCommandsEnabled_ || graphUsed_;
            break;
        case CommandNeeds::ClipboardImage:
            on = clipboardImage;
            break;
        case CommandNeeds::ClipboardContent:
            on = clipboardContent;
            break;
        }
        if (r.locksWithWindow && interfaceLocked_) on = false;
        if (auto* action = qobject_cast<QAction*>(r.control))
            action->setEnabled(on);
        else if (auto* widget = qobject_cast<QWidget*>(r.control))
            widget->setEnabled(on);
    }
}

} // namespace quorvex
