#include "core/messages.h"

#include <array>
#include <iterator>

namespace quorvex {

namespace {

struct Entry {
    Msg id;
    const char* english;
    const char* russian; // nullptr: the text exists in English only
};

// One catalog for every user-facing text; "\n\r" is the line break as the texts store it.
constexpr Entry kCatalog[] = {
    // The run-time library's conversion messages, shown as they are in either language.
    {Msg::InvalidFloat, "'%1' is not a valid floating point value", nullptr},
    {Msg::InvalidInteger, "'%1' is not a valid integer value", nullptr},
    {Msg::OutOfMemory, "There is not enough memory for this command.",
     "Для этой команды не хватает памяти."},
    {Msg::UnexpectedError, "The command failed: %1", "Команда не выполнена: %1"},
    {Msg::LowResolution,
     "For comfortable work use monitor resolution 800x600 or more, in order to look all use a "
     "splitters (a red lines)",
     "Рекомендуется разрешение монитора не менее 800х600, двигайте красные полосы когда что-то "
     "полностью не видно"},
    {Msg::SaveTableOnClose, "The Table containes the data.  Save its?", nullptr},
    {Msg::PurgeClipboardOnClose, "The Clipboard containes the object.  Purge it?", nullptr},
    {Msg::NotGraphicClipboard, "WOW! Not graphic format in Clipboard",
     "Опс! Не графический формат в буфере!"},
    {Msg::SaveImageTitle, "Save image", "Сохранить изображение"},
    {Msg::FileExistsReplace, "The file already exists, exchange it?",
     "Файл, однако, уже существует! Почикаем его?"},
    {Msg::UnsupportedImageType,
     "The file type \"%1\" cannot be opened here.\n\rOpen BMP, JPG (JPEG), PNG, ICO, WMF or EMF "
     "files, or GIF and TIFF files through their file types.",
     "Файлы типа \"%1\" так не открываются.\n\rОткрывайте файлы BMP, JPG (JPEG), PNG, ICO, WMF "
     "или EMF, а GIF и TIFF - через их типы файлов."},
    {Msg::NoImageType,
     "The file \"%1\" has no type (extension) and holds no picture that can be opened here.\n\r"
     "Open BMP, JPG (JPEG), PNG, ICO, WMF or EMF files, or GIF and TIFF files through their file "
     "types.",
     "Файл \"%1\" не имеет типа (расширения) и не содержит изображения, которое здесь "
     "открывается.\n\rОткрывайте файлы BMP, JPG (JPEG), PNG, ICO, WMF или EMF, а GIF и TIFF - "
     "через их типы файлов."},
    {Msg::ImageReadFailed, "Cannot read the image file \"%1\": %2",
     "Не удаётся прочитать файл изображения \"%1\": %2"},
    {Msg::ImageWriteFailed, "Cannot write the image file \"%1\": %2",
     "Не удаётся записать файл изображения \"%1\": %2"},
    {Msg::ImageTooLarge, "the image is too large (%1 x %2 pixels)",
     "изображение слишком велико (%1 x %2 пикселей)"},
    {Msg::ImageTruncated, "the file is truncated", "файл обрезан"},
    {Msg::ImageCorrupt, "the file is damaged or not of its type (%1)",
     "файл повреждён или не своего типа (%1)"},
    {Msg::PdfLocked, "the PDF file is protected by a password", "файл PDF защищён паролем"},
    {Msg::VectorNoPage, "the file holds no page to show", "в файле нет страницы для показа"},
    {Msg::VectorPageTitle, "PDF page", "Страница PDF"},
    {Msg::VectorPageLabel, "&Page:", "&Страница:"},
    {Msg::VectorDpiLabel, "&Resolution:", "&Разрешение:"},
    {Msg::VectorPageSize, "The picture will be %1 x %2 pixels.",
     "Изображение будет размером %1 x %2 пикселей."},
    {Msg::VectorPageOpened, "Page %1 of %2 at %3 dpi: %4 paths to digitize exactly",
     "Страница %1 из %2, %3 dpi: путей для точной оцифровки: %4"},
    {Msg::FindAxesItem, "Find axes", "Найти оси"},
    {Msg::FindAxesFound, "Axes found: X %1 .. %2 (%3), Y %4 .. %5 (%6)",
     "Оси найдены: X %1 .. %2 (%3), Y %4 .. %5 (%6)"},
    {Msg::FindAxesFailed, "The axes were not found: %1", "Оси не найдены: %1"},
    {Msg::VectorLayerDropped,
     "The picture changed: its curves are no longer read from the vector file",
     "Изображение изменено: кривые больше не читаются из векторного файла"},
    {Msg::NoImage, "There is no image.", "Изображения нет."},
    {Msg::NoScanner, "No scanner was found. Connect a scanner or check its SANE configuration.",
     "Сканер не найден. Подключите сканер или проверьте настройку SANE."},
    {Msg::ScanFailed, "Scanning failed: %1", "Сканирование не удалось: %1"},
    {Msg::ConfigFileInvalid, "The settings file \"%1\" has a line that is not a number (line %2).",
     "В файле настроек \"%1\" строка %2 не является числом."},
    {Msg::HelpFileMissing, "The help file \"%1\" is not found.", "Файл справки \"%1\" не найден."},
    {Msg::SettingsWriteFailed, "Cannot write the settings file \"%1\".",
     "Не удаётся записать файл настроек \"%1\"."},
    {Msg::MeasureFactor, "Image-Measure factor = ", "Степень увеличения = "},
    {Msg::PointConvertError, "Wow!!! EConvertError!", "Wow!!! EConvertError!"},
    {Msg::PointZeroDivide, "Wow!!! EZeroDivide!", "Wow!!! EZeroDivide!"},
    {Msg::PointError, "Error!", "Ошибка!"},
    {Msg::BezierOverflow, "Overflow of Bezier array!", "Переполнение массива Безье!"},
    {Msg::ZoomDragging, "Draging of Zoom panel", "Перетаскивание панели увеличения"},
    {Msg::FixCoordinatesHelp,
     " For resize of the dash rectangle input coordinates\n\rof left bottom and right top points "
     "of the new rectangle\n\r(screen coordinates - in spin-edit fields,\n\rreal coordinates of "
     "Your chart - in the simple-edit fields).",
     "Для изменения размеров пунктирного прямоугольника\n\rвведите координаты левой нижней и "
     "верхней правой вершин\n\r(в пикселях экранные координаты - в целочисленные поля ввода,\n\r"
     "реальные координаты Вашего графика - в обычные поля ввода)."},
    {Msg::UncalibratedQuestion,
     "In order to get a data in a coordinates of YOUR graph, then input the values in the red "
     "input-fields X,Y!\n\r Or You want digitize in pixells???",
     "Чтобы получить данные в координатах ВАШЕГО графика, введите соответствующие значения в "
     "красные поля ввода X,Y!\n\r Или Вы действительно хотите оцифровывать ВАШ график в "
     "пикселях???"},
    {Msg::UncalibratedQuestionAuto,
     "In order to get a data in a coordinates of YOUR graph,\n\rthen input the values in the red "
     "input-fields X,Y!\n\r Or You want digitize in pixells???",
     "Чтобы получить данные в координатах ВАШЕГО графика,\n\rвведите соответствующие значения в "
     "красные поля ввода X,Y!\n\r Или Вы действительно хотите оцифровывать ВАШ график в "
     "пикселях???"},
    {Msg::EqualCorners,
     "X or Y values of left bottom and right top points of the red rectangle should be not equal!",
     "Значения X или Y левой нижней и правой верхней вершин красного прямоугольника не должны "
     "совпадать!"},
    {Msg::ClearColumnsQuestion, "Clear the columns X%1,Y%1 of Table?",
     "Очистка колонок X%1,Y%1 Таблицы?"},
    {Msg::ClearColumnsBezierQuestion,
     "Attention: you use Bezier-interpolation, on completion execute autodigitization of obtained "
     "curve!\n\rClear the columns X%1,Y%1 of Table?",
     "Внимание: используется Безье-интерполяция, по завершении ручной оцифровки, выполните "
     "автоматическую для полученной кривой!\n\rОчистка колонок X%1,Y%1 Таблицы?"},
    {Msg::ClearTableQuestion, "Clear Table", "Очистка Таблицы"},
    {Msg::MarkersOffQuestion,
     "Now markers will not be imaged. Reload image file to clear previous markers?",
     "Теперь маркеры не будут отображаться. А чтобы стереть предыдущие перезагрузить файл?"},
    {Msg::UndoDigitization, "Undo digitization", "Отменить оцифровку"},
    {Msg::HistoryUndo, "Undo", "Отменить"},
    {Msg::HistoryUndoNamed, "Undo %1", "Отменить: %1"},
    {Msg::HistoryRedo, "Redo", "Повторить"},
    {Msg::HistoryRedoNamed, "Redo %1", "Повторить: %1"},
    {Msg::ChangePoint, "Point of curve %1", "Точка кривой %1"},
    {Msg::ChangeSearchStroke, "Search in area: %1 points", "Поиск на участке: точек %1"},
    {Msg::ChangeAutomaticRun, "Automatic run: %1 points", "Автоматическая оцифровка: точек %1"},
    {Msg::ChangeCellEdit, "Edit of cell %1, row %2", "Правка ячейки %1, строка %2"},
    {Msg::ChangeSort, "Sort curve %1 on X", "Сортировка кривой %1 по X"},
    {Msg::ChangeDeleteRows, "Delete rows %1 to %2", "Удаление строк с %1 по %2"},
    {Msg::ChangeReplace, "Replace in column %1", "Замена в колонке %1"},
    {Msg::ChangeCalculate, "Calculate in column %1", "Вычисление в колонке %1"},
    {Msg::ChangeLagrange, "Lagrange interpolation Y(X)", "Интерполяция Лагранжа Y(X)"},
    {Msg::ChangeDataFormat, "Data format of curve %1", "Формат данных кривой %1"},
    {Msg::ChangeRedigitize, "Re-digitize curve %1", "Переоцифровка кривой %1"},
    {Msg::ChangeImport, "Open data file %1", "Открытие файла данных %1"},
    {Msg::ChangeClearAll, "Clear all columns", "Очистка всех колонок"},
    {Msg::ChangeClearPair, "Clear columns X%1,Y%1", "Очистка колонок X%1,Y%1"},
    {Msg::ChangeChartRemove, "Remove a point of the chart", "Удаление точки графика"},
    {Msg::ChangeChartMove, "Move a point of the chart", "Перемещение точки графика"},
    {Msg::ProjectSaveItem, "Save project", "Сохранить проект"},
    {Msg::ProjectSaveAsItem, "Save project as...", "Сохранить проект как..."},
    {Msg::ProjectOpenItem, "Open project...", "Открыть проект..."},
    {Msg::ProjectFilter, "Quorvex projects (*.qvx)", "Проекты Quorvex (*.qvx)"},
    {Msg::ProjectUnusable, "The file \"%1\" cannot be opened as a project: %2",
     "Файл \"%1\" нельзя открыть как проект: %2"},
    {Msg::ProjectWriteFailed, "Cannot write the project \"%1\": %2",
     "Не удаётся записать проект \"%1\": %2"},
    {Msg::ProjectUnsavedQuestion, "The project \"%1\" has changes that are not saved. Save them?",
     "В проекте \"%1\" есть несохранённые изменения. Сохранить их?"},
    {Msg::ProjectSaveTitle, "Save project", "Сохранение проекта"},
    {Msg::ProjectOpenTitle, "Open project", "Открытие проекта"},
    {Msg::NoPointsFound, "No point of the curve colour was found", "Точек цвета кривой не найдено"},
    {Msg::BezierDigitizeQuestion,
     "Do you want digitize Bezier-polynomial (need curve color equate with marker color)?",
     "Сделать цвет кривой равным цвету маркера (чтобы оцифровать Безье-полином)?"},
    {Msg::BrightnessBelowColour, "You set value of Brightness less than value Color ov curve",
     nullptr},
    {Msg::GridHelpManyValued,
     "If the many-valuedness is haved and equals (or more) to this value, then this coordinate "
     "sets aside",
     "Если выполняется многозначность и она больше чем эта величина, то эта координата "
     "исключается"},
    {Msg::GridHelpLineWidth, "In order exclude the adjacents pixells (width of line)",
     "Чтобы учесть толщину линии и исключить эти точки"},
    {Msg::TableFull, "The Table is full (100000 rows): the point was not written",
     "Таблица заполнена (100000 строк): точка не записана"},
    {Msg::ClearAllColumns, "Clear all columns", "Очистить все колонки"},
    {Msg::ClearOnlyPairN, "Clear only X%1,Y%1 columns", "Очистить только X%1,Y%1 колонки"},
    {Msg::ClearOnlyPair1, "Clear only X,Y columns", "Очистить только X,Y колонки"},
    {Msg::ScaleTypeLabel, "Type of scale X: %1 , Y: %2", "Тип шкалы X: %1 , Y: %2"},
    // The run-time library's arithmetic messages, shown as they are in either language.
    {Msg::FloatDivideByZero, "Floating point division by zero", nullptr},
    {Msg::FloatOverflow, "Floating point overflow", nullptr},
    {Msg::LagrangeNoNodes, "Input please the data in columns X1-Y1",
     "Введите, пожалуйста, данные в колонки X1-Y1"},
    {Msg::LagrangeNoPoints, "Input please the data in columns X2-Y2",
     "Введите, пожалуйста, данные в колонки X2-Y2"},
    {Msg::CalculateNoOperation,
     "No operation is chosen: choose one of \"Operation\" or the Lagrange interpolation.",
     "Не выбрана операция: выберите одну из \"Operation\" или интерполяцию Лагранжа."},
    {Msg::RedigitizeCoincide, "New coordinates in rows1,2 are coincided, correct its!",
     "Новые координаты в строках 1,2 совпадают, исправьте их!"},
    {Msg::RedigitizeMistakes, "The mistakes were found! Try again.",
     "Обнаружены ошибки! Попробуйте ещё раз."},
    {Msg::FormatExample, "Example: ", "Пример: "},
    {Msg::FormatGeneralHelp,
     "General: the number rounded to Precision significant digits, without trailing zeros. It "
     "is written with a decimal separator while it is at least 0.00001 and has no more digits "
     "before the separator than Precision, otherwise with an exponent of at least Digits digits "
     "(0 to 4).",
     "Общий: число, округлённое до «Precision» значащих цифр, без конечных нулей. Оно пишется с "
     "десятичным разделителем, пока не меньше 0,00001 и имеет до разделителя не больше цифр, "
     "чем «Precision», иначе - с порядком не короче «Digits» цифр (от 0 до 4)."},
    {Msg::FormatScientificHelp,
     "Scientific: one digit before the decimal separator and Precision significant digits in "
     "all, trailing zeros kept, then E, the sign of the exponent and at least Digits exponent "
     "digits (0 to 4), for example 1.23E+03.",
     "Научный: одна цифра до десятичного разделителя и всего «Precision» значащих цифр, "
     "конечные нули сохраняются, затем E, знак порядка и не менее «Digits» цифр порядка (от 0 "
     "до 4), например 1,23E+03."},
    {Msg::FormatFixedHelp,
     "Fixed: at least one digit before the decimal separator and exactly Digits digits after it "
     "(0 to 18). A number with more than Precision digits before the separator is written in the "
     "General format instead.",
     "Фиксированный: не менее одной цифры до десятичного разделителя и ровно «Digits» цифр после "
     "него (от 0 до 18). Число, у которого до разделителя больше «Precision» цифр, пишется в "
     "общем формате."},
    {Msg::FormatNumberHelp,
     "Number: as Fixed, with the thousand separator of your locale between groups of three "
     "digits before the decimal separator. Such texts cannot be read back as numbers by the "
     "other operations.",
     "Числовой: как фиксированный, с разделителем тысяч вашей локали между группами по три "
     "цифры до десятичного разделителя. Такие тексты другие операции не читают как числа."},
    {Msg::ExcelNotFound, "MS Excel not found", "MS Excel не найден"},
    {Msg::ExcelNotFoundKept,
     "MS Excel not found.\nThe Table was written to the workbook \"%1\".\nSave the Table as a "
     "spreadsheet elsewhere?",
     "MS Excel не найден.\nТаблица записана в книгу \"%1\".\nСохранить Таблицу как "
     "электронную таблицу в другом месте?"},
    {Msg::LogScaleX, "Logarithmic scale X (log10)", "Logarithmic scale X (log10)"},
    {Msg::LogScaleY, "Logarithmic scale Y (log10)", "Logarithmic scale Y (log10)"},
    {Msg::MinimumXNotPositive, "The minimum value X should be more than zero point!",
     "Минимальное значение X д.б. больше нуля!"},
    {Msg::MinimumYNotPositive, "The minimum value Y should be more than zero point!",
     "Минимальное значение Y д.б. больше нуля!"},
    {Msg::SaveGrapherImageTitle, "Save image from Grapher", "Сохранить изображение из Графера"},
    {Msg::SortQuestion, "Do You want execute the sorting on X in the Table?",
     "Выполнить сортировку по Х в Таблице?"},
    {Msg::RemovePointsHint, "Remove points from Grapher and Table with MouseClick",
     "Удалять точки из Графера и Таблицы щелчком мышки"},
    {Msg::ValuePointsHint, "Value of the points with MouseClick", "Значение точек щелчком мышки"},
    {Msg::ValueRemoved, " Value was REMOVED!", nullptr},
    {Msg::PrintFailed, "Cannot print the chart: %1", "Не удаётся напечатать график: %1"},
    {Msg::NoPrinter, "no printer is installed", "принтер не установлен"},
    {Msg::PrinterRefused, "the printer did not accept the job", "принтер не принял задание"},
    {Msg::ClipboardCopyFailed, "Error coping to Clipboard, try again!", nullptr},
    {Msg::WorkbookWriteFailed, "Cannot write the workbook \"%1\": %2",
     "Не удаётся записать книгу \"%1\": %2"},
    {Msg::SaveSpreadsheetItem, "Save Table as spreadsheet...",
     "Сохранить Таблицу как электронную таблицу..."},
    {Msg::RotationFailed, "Cannot rotate the image: %1", "Не удаётся повернуть изображение: %1"},
    {Msg::SaveSpreadsheetTitle, "Save Table as spreadsheet",
     "Сохранить Таблицу как электронную таблицу"},
    {Msg::ProfileSaveItem, "Save digitizing profile...", "Сохранить профиль оцифровки..."},
    {Msg::ProfileLoadItem, "Load digitizing profile...", "Загрузить профиль оцифровки..."},
    {Msg::ProfileUnusable, "The file \"%1\" cannot be used as a digitizing profile: %2",
     "Файл \"%1\" нельзя использовать как профиль оцифровки: %2"},
    {Msg::ProfileWriteFailed, "Cannot write the digitizing profile \"%1\"",
     "Не удаётся записать профиль оцифровки \"%1\""},
    {Msg::ProfileSizeQuestion,
     "The profile was made on an image of %1 x %2 pixels; this image has %3 x %4. Apply it?",
     "Профиль сделан для изображения %1 x %2 пикселей, а это изображение %3 x %4. Применить его?"},
    {Msg::ProfileFilter, "Digitizing profiles (*.json)", "Профили оцифровки (*.json)"},
};

const Entry* find(Msg id) {
    for (const auto& entry : kCatalog)
        if (entry.id == id) return &entry;
    return nullptr;
}

Language currentLanguage = Language::English;

} // namespace

Language messageLanguage() {
    return currentLanguage;
}
void setMessageLanguage(Language language) {
    currentLanguage = language;
}

QString message(Msg id) {
    return message(id, currentLanguage);
}

QString message(Msg id, Language language) {
    const Entry* entry = find(id);
    if (!entry) return QString();
    if (language == Language::Russian && entry->russian) return QString::fromUtf8(entry->russian);
    return QString::fromUtf8(entry->english);
}

bool isEnglishOnly(Msg id) {
    const Entry* entry = find(id);
    return entry && !entry->russian;
}

} // namespace quorvex
