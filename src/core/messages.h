#pragma once

#include <QString>

namespace quorvex {

enum class Language { English, Russian };

// Identifiers of every text that the program shows to the user in a message box, a question or
// the status bar. Texts with an argument hold "%1" (and "%2") where it goes.
enum class Msg {
    // Conversions
    InvalidFloat,
    InvalidInteger,
    // Errors no handler expected
    OutOfMemory,
    UnexpectedError,
    // Start-up and closing
    LowResolution,
    SaveTableOnClose,
    PurgeClipboardOnClose,
    // Image document
    NotGraphicClipboard,
    SaveImageTitle,
    FileExistsReplace,
    UnsupportedImageType,
    NoImageType,
    ImageReadFailed,
    ImageWriteFailed,
    ImageTooLarge,
    ImageTruncated,
    ImageCorrupt,
    PdfLocked,
    VectorNoPage,
    VectorPageTitle,
    VectorPageLabel,
    VectorDpiLabel,
    VectorPageSize,
    VectorPageOpened,
    VectorLayerDropped,
    FindAxesItem,
    FindAxesFound,
    FindAxesFailed,
    NoImage,
    NoScanner,
    ScanFailed,
    // Settings files
    ConfigFileInvalid,
    HelpFileMissing,
    SettingsWriteFailed,
    // View
    MeasureFactor,
    ZoomDragging,
    // Calibration and manual input
    PointConvertError,
    PointZeroDivide,
    PointError,
    BezierOverflow,
    FixCoordinatesHelp,
    UncalibratedQuestion,
    UncalibratedQuestionAuto,
    EqualCorners,
    ClearColumnsQuestion,
    ClearColumnsBezierQuestion,
    ClearTableQuestion,
    // Markers and undo
    MarkersOffQuestion,
    UndoDigitization,
    // The history of the Table's changes
    HistoryUndo,
    HistoryUndoNamed,
    HistoryRedo,
    HistoryRedoNamed,
    ChangePoint,
    ChangeSearchStroke,
    ChangeAutomaticRun,
    ChangeCellEdit,
    ChangeSort,
    ChangeDeleteRows,
    ChangeReplace,
    ChangeCalculate,
    ChangeLagrange,
    ChangeDataFormat,
    ChangeRedigitize,
    ChangeImport,
    ChangeClearAll,
    ChangeClearPair,
    ChangeChartRemove,
    ChangeChartMove,
    // Project files
    ProjectSaveItem,
    ProjectSaveAsItem,
    ProjectOpenItem,
    ProjectFilter,
    ProjectUnusable,
    ProjectWriteFailed,
    ProjectUnsavedQuestion,
    ProjectSaveTitle,
    ProjectOpenTitle,
    // Automatic digitization
    BezierDigitizeQuestion,
    NoPointsFound,
    BrightnessBelowColour,
    GridHelpManyValued,
    GridHelpLineWidth,
    // Table
    TableFull,
    ClearAllColumns,
    ClearOnlyPairN,
    ClearOnlyPair1,
    ScaleTypeLabel,
    // Table operations, data format and re-digitize
    FloatDivideByZero,
    FloatOverflow,
    LagrangeNoNodes,
    LagrangeNoPoints,
    CalculateNoOperation,
    RedigitizeCoincide,
    RedigitizeMistakes,
    FormatExample,
    FormatGeneralHelp,
    FormatScientificHelp,
    FormatFixedHelp,
    FormatNumberHelp,
    // Export and Grapher
    ExcelNotFound,
    ExcelNotFoundKept,
    LogScaleX,
    LogScaleY,
    MinimumXNotPositive,
    MinimumYNotPositive,
    SaveGrapherImageTitle,
    SortQuestion,
    RemovePointsHint,
    ValuePointsHint,
    ValueRemoved,
    PrintFailed,
    NoPrinter,
    PrinterRefused,
    ClipboardCopyFailed,
    WorkbookWriteFailed,
    SaveSpreadsheetItem,
    SaveSpreadsheetTitle,
    RotationFailed,
    ProfileSaveItem,
    ProfileLoadItem,
    ProfileUnusable,
    ProfileWriteFailed,
    ProfileSizeQuestion,
    ProfileFilter,
};

// The language in which messages are shown now (English until set).
Language messageLanguage();
void setMessageLanguage(Language language);

// The text of a message in the current language, or in the one given.
QString message(Msg id);
QString message(Msg id, Language language);

// True for the few texts that exist in English only (shown in English in either language).
bool isEnglishOnly(Msg id);

} // namespace quorvex
