#include "core/colour.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/round.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

TEST(Round, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        int out;
    } cases[] = {{0.5, 0},           {1.5, 2},
                 {2.5, 2},           {3.5, 4},
                 {-0.5, 0},          {-1.5, -2},
                 {-2.5, -2},         {0.49, 0},
                 {0.51, 1},          {2.4999, 2},
                 {7.0, 7},           {-7.6, -8},
                 {1e12, 2147483647}, {-1e12, -2147483647 - 1}};
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.in), c.out) << c.in;
    EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(Colour, ChannelsAndText) {
    const Colour c = makeColour(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412u);
    EXPECT_EQ(redOf(c), 0x12);
    EXPECT_EQ(greenOf(c), 0x34);
    EXPECT_EQ(blueOf(c), 0x56);
    EXPECT_TRUE(isGrey(kGrey));
    EXPECT_FALSE(isGrey(kRed));
    const struct {
        Colour c;
        const char* text;
    } cases[] = {{0xFFFFFF, "clWhite"},   {0x000000, "clBlack"},  {0x0000FF, "clRed"},
                 {0x808080, "clGray"},    {0xC0C0C0, "clSilver"}, {0xFF0000, "clBlue"},
                 {0x00FFFF, "clYellow"},  {0x000080, "clMaroon"}, {0xFFFF00, "clAqua"},
                 {0x563412, "$00563412"}, {0xfefefe, "$00FEFEFE"}};
    for (const auto& x : cases)
        EXPECT_EQ(colourText(x.c), QString::fromLatin1(x.text));
    EXPECT_EQ(fromQRgb(toQRgb(c)), c);
    EXPECT_EQ(toQRgb(kRed), 0xFFFF0000u);
}

TEST(NumberText, GeneralFormatWithFifteenDigits) {
    const struct {
        double v;
        const char* point;
        const char* comma;
    } cases[] = {
        {2, "2", "2"},
        {0.5, "0.5", "0,5"},
        {-0.5, "-0.5", "-0,5"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {0.000001, "1E-6", "1E-6"},
        {0.00001, "0.00001", "0,00001"},
        {0.0000123, "0.0000123", "0,0000123"},
        {0.00000999, "9.99E-6", "9,99E-6"},
        {1.5e20, "1.5E20", "1,5E20"},
        {-1.5e20, "-1.5E20", "-1,5E20"},
        {1e15, "1E15", "1E15"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {9999999999999999.0, "1E16", "1E16"},
        {123456.789, "123456.789", "123456,789"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        {2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
        {100, "100", "100"},
        {1234567890123456789.0, "1.23456789012346E18", "1,23456789012346E18"},
        {1e-300, "1E-300", "1E-300"},
        {-3.14159265358979, "-3.14159265358979", "-3,14159265358979"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText(c.v, QChar('.')), QString::fromLatin1(c.point)) << c.v;
        EXPECT_EQ(NumberText(c.v, QChar(',')), QString::fromLatin1(c.comma)) << c.v;
    }
    EXPECT_EQ(NumberText(std::nan(""), QChar('.')), "NAN");
    EXPECT_EQ(NumberText(-INFINITY, QChar('.')), "-INF");
}

TEST(NumberText, ChosenPrecisionAndExponentDigits) {
    EXPECT_EQ(generalNumberText(3.14159, 3, 0, QChar('.')), "3.14");
    EXPECT_EQ(generalNumberText(1.5e20, 4, 2, QChar('.')), "1.5E20");
    EXPECT_EQ(generalNumberText(1.5e-7, 4, 3, QChar('.')), "1.5E-007");
    EXPECT_EQ(generalNumberText(12345, 3, 2, QChar('.')), "1.23E04");
}

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(LocaleTest, NumberTextUsesTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(localeDecimalSeparator(), QChar(','));
    EXPECT_EQ(NumberText(0.25), "0,25");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(NumberText(0.25), "0.25");
}

TEST(ParseDouble, AcceptsOnlyTheGivenSeparator) {
    const struct {
        const char* text;
        QChar sep;
        bool ok;
        double value;
    } cases[] = {
        {"1.5", '.', true, 1.5},  {"1,5", ',', true, 1.5},       {"1,5", '.', false, 0},
        {"1.5", ',', false, 0},   {" -2.25 ", '.', true, -2.25}, {"+3", '.', true, 3},
        {"1E3", '.', true, 1000}, {"1e-3", '.', true, 0.001},    {"2.5E+2", '.', true, 250},
        {".5", '.', true, 0.5},   {"5.", '.', true, 5},          {"", '.', false, 0},
        {"abc", '.', false, 0},   {"1.2.3", '.', false, 0},      {"1E", '.', false, 0},
        {"1 000", '.', false, 0}, {"-", '.', false, 0},          {"1e400", '.', false, 0},
        {"0x10", '.', false, 0},  {"INF", '.', false, 0},
    };
    for (const auto& c : cases) {
        double v = -99;
        EXPECT_EQ(tryParseDouble(QString::fromLatin1(c.text), c.sep, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

TEST(ParseDouble, FailureCarriesTheStandardMessage) {
    try {
        parseDouble("12a", QChar('.'));
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'12a' is not a valid floating point value");
    }
    setMessageLanguage(Language::Russian); // the run-time messages stay English
    EXPECT_THROW(parseDouble("", QChar(',')), ConversionError);
    try {
        parseDouble("x", QChar(','));
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'x' is not a valid floating point value");
    }
    setMessageLanguage(Language::English);
}

TEST(ParseInt, DecimalHexAndFailures) {
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {{"15", true, 15},         {"-7", true, -7},
                 {"+7", true, 7},          {" 42", true, 42},
                 {"$FF", true, 255},       {"0x10", true, 16},
                 {"1.5", false, 0},        {"", false, 0},
                 {"42 ", false, 0},        {"2147483647", true, 2147483647},
                 {"2147483648", false, 0}, {"-2147483648", true, -2147483647 - 1},
                 {"abc", false, 0},        {"$", false, 0}};
    for (const auto& c : cases) {
        int v = -99;
        EXPECT_EQ(tryParseInt(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    try {
        parseInt("2,5");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'2,5' is not a valid integer value");
    }
}

TEST(TypedKey, CommaAndPointEnterTheLocaleSeparator) {
    EXPECT_EQ(typedNumericKey(',', '.'), QChar('.'));
    EXPECT_EQ(typedNumericKey('.', '.'), QChar('.'));
    EXPECT_EQ(typedNumericKey(',', ','), QChar(','));
    EXPECT_EQ(typedNumericKey('.', ','), QChar(','));
    EXPECT_EQ(typedNumericKey('7', ','), QChar('7'));
    EXPECT_EQ(typedNumericKey('-', '.'), QChar('-'));
}

TEST(Messages, LanguageChoosesTheText) {
    EXPECT_EQ(message(Msg::SaveImageTitle, Language::English), "Save image");
    EXPECT_EQ(message(Msg::SaveImageTitle, Language::Russian),
              QString::fromUtf8("Сохранить изображение"));
    EXPECT_EQ(message(Msg::NotGraphicClipboard, Language::Russian),
              QString::fromUtf8("Опс! Не графический формат в буфере!"));
    EXPECT_EQ(message(Msg::FileExistsReplace, Language::English),
              "The file already exists, exchange it?");
    // English-only texts stay English.
    EXPECT_TRUE(isEnglishOnly(Msg::SaveTableOnClose));
    EXPECT_EQ(message(Msg::SaveTableOnClose, Language::Russian),
              "The Table containes the data.  Save its?");
    EXPECT_FALSE(isEnglishOnly(Msg::UndoDigitization));
    setMessageLanguage(Language::Russian);
    EXPECT_EQ(message(Msg::UndoDigitization), QString::fromUtf8("Отменить оцифровку"));
    setMessageLanguage(Language::English);
    EXPECT_EQ(message(Msg::UndoDigitization), "Undo digitization");
    EXPECT_EQ(message(Msg::ClearColumnsQuestion).arg(3), "Clear the columns X3,Y3 of Table?");
}

#include "core/file_filter.h"

TEST(FileFilter, TheSuffixOfTheChosenType) {
    const struct {
        const char* filter;
        const char* suffix;
    } cases[] = {{"Data files (*.dat)", "dat"},
                 {"Text files (*.txt *.dat)", "txt"},
                 {"PNG images (*.png)", "png"},
                 {"All files (*)", ""},
                 {"All (*.*)", ""},
                 {"*.bmp;*.jpg (*.bmp *.jpg)", "bmp"}};
    for (const auto& c : cases)
        EXPECT_EQ(filterSuffix(QString::fromLatin1(c.filter)), QString::fromLatin1(c.suffix))
            << c.filter;
}
