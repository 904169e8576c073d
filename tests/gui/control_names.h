#pragma once

// The object names of the main window's controls, under names that say what each control is.
// Tests look controls up with these (child<QAction>(controls::purgeImage)).
namespace quorvex::controls {

// File menu
inline constexpr char openImage[] = "N34";
inline constexpr char purgeImage[] = "N40";
inline constexpr char reloadImage[] = "Reloadtheimagefile1";
inline constexpr char saveImage[] = "SaveImage1";
inline constexpr char saveTable[] = "N49";
inline constexpr char openDataFile[] = "N50";
inline constexpr char saveSpreadsheet[] = "SaveSpreadsheet";
inline constexpr char selectScanner[] = "SelectScaner";
inline constexpr char scanImage[] = "Scan";
inline constexpr char colourConversion[] = "pf4";
inline constexpr char clearTableOnNewImage[] = "NewTable";
inline constexpr char recentFile1[] = "RecentFile1";
inline constexpr char recentFile2[] = "RecentFile2";
inline constexpr char recentFile3[] = "RecentFile3";
// Digitization menu
inline constexpr char undoLatestPoint[] = "UndoPoint1";
inline constexpr char undoDigitization[] = "UndoAuto";
inline constexpr char historyUndo[] = "EditUndo";
inline constexpr char historyRedo[] = "EditRedo";
inline constexpr char openProject[] = "OpenProject";
inline constexpr char saveProject[] = "SaveProject";
inline constexpr char saveProjectAs[] = "SaveProjectAs";
inline constexpr char copyImage[] = "CopytheimagetoClipboard1";
inline constexpr char pasteImage[] = "PastefromClipboard1";
inline constexpr char fixCoordinates[] = "Fixcoord";
inline constexpr char curveColour[] = "N43";
inline constexpr char autoSize[] = "Auto1";
inline constexpr char rotate90[] = "Rotate90";
inline constexpr char rotateBackground[] = "Rotatebackgroundimagecolor1";
// Pixel-format menu
inline constexpr char format1Bit[] = "N1bit1";
inline constexpr char format8Bit[] = "N8bit1";
inline constexpr char format24Bit[] = "N24bit1";
inline constexpr char formatGray[] = "gray1";
inline constexpr char markers[] = "N10Mark";
inline constexpr char markerColour[] = "MarkerClor";
// Grapher menu, and the same commands in the drop-down of the Grapher's Options button
inline constexpr char symbolStyle[] = "N22";
inline constexpr char lineStyle[] = "N23";
inline constexpr char grapherSorting[] = "N38";
inline constexpr char increaseSymbols[] = "N17";
inline constexpr char decreaseSymbols[] = "N18";
inline constexpr char chartAutoSize[] = "MG_Auto";
inline constexpr char chartGrid[] = "MG_Grid";
inline constexpr char logarithmicX[] = "MG_log";
inline constexpr char logarithmicY[] = "MG_logY";
inline constexpr char clearGraph[] = "MG_clear";
inline constexpr char printGraph[] = "N45";
inline constexpr char grapherOptions[] = "Edit";
inline constexpr char popupSymbolStyle[] = "N10";
inline constexpr char popupLineStyle[] = "N20";
inline constexpr char popupSorting[] = "N27";
inline constexpr char popupGrid[] = "PM_Grid";
inline constexpr char popupLogarithmicX[] = "PM_log";
inline constexpr char popupClearGraph[] = "PM_clear";
inline constexpr char popupPrintGraph[] = "N51";
inline constexpr char saveGraph[] = "N91";
inline constexpr char showGraph[] = "YX1";
// Grapher page
inline constexpr char grapherPage[] = "TabSheet1";
inline constexpr char chart[] = "Chart1";
inline constexpr char saveGraphButton[] = "SpeedButton17";
inline constexpr char grapherOptionsButton[] = "RxSpeedButton5";
inline constexpr char printTextBox[] = "CheckBoxTextOut";
inline constexpr char printText[] = "Edit5";
inline constexpr char removePointsButton[] = "RemoveSeries";
inline constexpr char movePointsButton[] = "RxSpeedButton7";
inline constexpr char printGraphButton[] = "ChartPrint";
inline constexpr char clearGraphButton[] = "SpeedButton3";
inline constexpr char chartBackground[] = "Chart_bg";
inline constexpr char seriesColour[] = "SeriesColor";
// Commands and Help menus
inline constexpr char interfaceOptions[] = "interfaceOptions";
inline constexpr char calculator[] = "Calculator1";
inline constexpr char purgeClipboard[] = "PurgeClipboard1";
inline constexpr char help[] = "Help2";
inline constexpr char longHints[] = "HintHideP";
inline constexpr char about[] = "About1";
// Main tool bar
inline constexpr char openButton[] = "SpeedButton6";
inline constexpr char copyImageButton[] = "SpeedButton15";
inline constexpr char pasteImageButton[] = "SpeedButton12";
inline constexpr char showGraphButton[] = "BitBtn1";
inline constexpr char stop[] = "Stop";
inline constexpr char curveColourSwatch[] = "Image3";
inline constexpr char curveSpinButton[] = "RxSpinButton1";
inline constexpr char curveNumber[] = "N_curve";
inline constexpr char saveProfile[] = "SaveProfile";
inline constexpr char loadProfile[] = "LoadProfile";
inline constexpr char formatButton[] = "RxSpeedButton6";
inline constexpr char measureBox[] = "ComboBoxSize";
inline constexpr char pages[] = "PageControl1";
// Digitization page
inline constexpr char calibrationPanel[] = "Panel2";
inline constexpr char xTransfer[] = "ComboBox2";
inline constexpr char yTransfer[] = "ComboBox3";
inline constexpr char selectAreaOnly[] = "SelectOnly";
inline constexpr char xLeftBottom[] = "Edit1";
inline constexpr char yLeftBottom[] = "Edit2";
inline constexpr char xRightTop[] = "Edit3";
inline constexpr char yRightTop[] = "Edit4";
inline constexpr char selfCorrection[] = "CheckBoxCorrect";
inline constexpr char correctionDepth[] = "Correct";
inline constexpr char markerSize[] = "SpinEdit5";
inline constexpr char polyBezier[] = "Bezier";
inline constexpr char oneValuedness[] = "N32";
inline constexpr char curveThickness[] = "SpinEdit4";
inline constexpr char firstRow[] = "SpinEdit3";
inline constexpr char lastRow[] = "SpinEdit2";
inline constexpr char step[] = "StepValue";
inline constexpr char graphStep[] = "N110";
inline constexpr char indent[] = "Border";
inline constexpr char rectangleTool[] = "RectSelect";
inline constexpr char colourPickTool[] = "Points";
inline constexpr char removeMarkersButton[] = "RxSpeedButton1";
inline constexpr char curveColourButton[] = "ColorBtn";
inline constexpr char autoDigitize[] = "BitBtn2";
inline constexpr char searchTool[] = "SpeedButton11SA";
inline constexpr char manualInputTool[] = "SpeedButton112SA";
inline constexpr char rotateTool[] = "Rotate";
inline constexpr char pencilTool[] = "Pencil";
inline constexpr char pencilDialog[] = "TFormPencil";
inline constexpr char imageView[] = "Image1";
inline constexpr char zoomPicture[] = "Image2";
inline constexpr char zoomToggle[] = "RxSpeedButton3";
inline constexpr char zoomFactor[] = "Zoom";
inline constexpr char zoomDock[] = "ZoomDock";
inline constexpr char horizontalRuler[] = "RsRulerH";
inline constexpr char verticalRuler[] = "RsRulerV";
// Table page
inline constexpr char tablePage[] = "TabSheet2";
inline constexpr char tableView[] = "Tabl";
inline constexpr char pairCount[] = "Rows";
inline constexpr char rowCount[] = "SpinEdit1";
inline constexpr char curveLabel[] = "Label4";
inline constexpr char clearTable[] = "ClTabl";
inline constexpr char importButton[] = "SpeedButton2";
inline constexpr char sortButton[] = "SpeedButton12Sort";
inline constexpr char deleteRowsButton[] = "SpeedButton13";
inline constexpr char replaceButton[] = "Repl";
inline constexpr char calculateButton[] = "SpeedButton1";
inline constexpr char dataFormatButton[] = "RxSpeedButton4";
inline constexpr char copyRangeButton[] = "PasteButton";
inline constexpr char spreadsheetButton[] = "Excel2";
inline constexpr char redigitizeButton[] = "Resc";
// Table menu
inline constexpr char sortAction[] = "X1";
inline constexpr char copyToClipboard[] = "ColumninClipboard1";
inline constexpr char spreadsheetAction[] = "TableintoExcel1";
inline constexpr char deleteRowsAction[] = "N42";
inline constexpr char calculateAction[] = "Calculate1";
inline constexpr char dataFormatAction[] = "Dataformat1";

} // namespace quorvex::controls
