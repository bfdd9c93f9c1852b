#include "common/Conversions.h"
#include "common/Error.h"
#include "common/Language.h"

#include <clocale>
#include <string>

#include <gtest/gtest.h>

using namespace pagula;

TEST(FormatOneDecimal, RoundsHalfAwayFromZeroOnTheDecimalText)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {193.0 / 3.0, "64.3"},   {48.25, "48.3"},       {90.0, "90.0"},   {-0.7, "-0.7"},
        {96.5, "96.5"},          {0.0, "0.0"},          {-0.04, "0.0"},   {0.05, "0.1"},
        {-48.25, "-48.3"},       {9.96, "10.0"},        {99.95, "100.0"}, {1e-9, "0.0"},
        {123456.78, "123456.8"}, {270.0 / 3.0, "90.0"}, {0.96, "1.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::formatOneDecimal(c.value).toStdString(), c.text) << c.value;
}

TEST(StrToFloat, AcceptsDotDecimalsOnly)
{
    const struct {
        const char* text;
        double value;
    } good[] = {{"64.3", 64.3}, {"70", 70.0}, {" 5.0 ", 5.0}, {"-0.7", -0.7},
                {"+1.5", 1.5},  {".5", 0.5},  {"1.", 1.0},    {"1e2", 100.0}};
    for (const auto& c : good)
        EXPECT_DOUBLE_EQ(common::parseDecimal(QString::fromLatin1(c.text)), c.value) << c.text;

    for (const char* bad :
         {"64,5", "", " ", "abc", "1.2.3", "1e", "--1", "nan", "inf", "0x10", "."}) {
        try {
            common::parseDecimal(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const common::Error& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid floating point value")
                                       .arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(TypedDecimal, TakesTheCommaOrTheDotAsTheOneSeparator)
{
    const struct {
        const char* text;
        double value;
    } good[] = {{"2,5", 2.5}, {"2.5", 2.5},   {" -1,25 ", -1.25},
                {",5", 0.5},  {"64.3", 64.3}, {"70", 70.0}};
    for (const auto& c : good)
        EXPECT_DOUBLE_EQ(common::parseTypedDecimal(QString::fromLatin1(c.text)), c.value) << c.text;
    // Never a thousands separator: "2,5" is not 25 and "1,000.5" is refused, naming the text.
    for (const char* bad : {"1,000.5", "1,2,3", "2,5,", ",", "2 5", "1.000,5"}) {
        try {
            common::parseTypedDecimal(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const common::Error& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid floating point value")
                                       .arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(Language, OptionThenSettingThenTheLocaleAsGettextReadsIt)
{
    using common::Language;
    const Language ru = Language::Russian, en = Language::English;
    const struct {
        const char* option;
        const char* setting;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language expected;
    } cases[] = {
        {"en", "ru", "ru_RU.UTF-8", "", "", en},    // --lang first
        {"RU", "en", "en_US.UTF-8", "", "", ru},    // in any case
        {"", "en", "ru_RU.UTF-8", "", "", en},      // then the window's setting
        {"xx", "zz", "en_GB.UTF-8", "", "", en},    // unknown codes are skipped
        {"", "", "", "", "en_US.UTF-8", en},        // LANG
        {"", "", "", "en_US.UTF-8", "ru_RU", en},   // LC_MESSAGES before LANG
        {"", "", "ru_RU.UTF-8", "en_US", "en", ru}, // LC_ALL before both
        {"", "", "C", "", "en_US.UTF-8", ru},       // C and POSIX: the program's own
        {"", "", "POSIX", "", "", ru},
        {"", "", "C.UTF-8", "", "", ru},
        {"", "", "de_DE.UTF-8", "", "", ru}, // other languages
        {"", "", "", "", "", ru},            // nothing set
        {"", "", "english", "", "", en},
    };
    for (const auto& c : cases) {
        const auto environment = [&](const char* name) {
            const std::string n = name;
            return QString::fromLatin1(n == "LC_ALL"        ? c.lcAll
                                       : n == "LC_MESSAGES" ? c.lcMessages
                                       : n == "LANG"        ? c.lang
                                                            : "");
        };
        EXPECT_EQ(common::chooseLanguage(QString::fromLatin1(c.option),
                                         QString::fromLatin1(c.setting), environment),
                  c.expected)
            << c.option << " " << c.setting << " " << c.lcAll << " " << c.lcMessages << " "
            << c.lang;
    }
}

TEST(StrToInt, ReadsDecimalAndHexAndRejectsTheRest)
{
    const struct {
        const char* text;
        int value;
    } good[] = {{"7", 7},
                {" 20", 20},
                {"-5", -5},
                {"+3", 3},
                {"$10", 16},
                {"0x1F", 31},
                {"2147483647", 2147483647},
                {"-2147483648", -2147483647 - 1},
                {"$FFFFFFFF", -1}};
    for (const auto& c : good)
        EXPECT_EQ(common::parseInteger(QString::fromLatin1(c.text)), c.value) << c.text;

    for (const char* bad : {"", "7 ", "1.5", "abc", "2147483648", "-", "$", "7a", "１"}) {
        try {
            common::parseInteger(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const common::Error& e) {
            EXPECT_EQ(
                e.message(),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(common::roundHalfEven(64.5), 64);
    EXPECT_EQ(common::roundHalfEven(65.5), 66);
    EXPECT_EQ(common::roundHalfEven(64.3), 64);
    EXPECT_EQ(common::roundHalfEven(96.5), 96);
    EXPECT_EQ(common::roundHalfEven(-0.5), 0);
    EXPECT_EQ(common::roundHalfEven(-1.5), -2);
    EXPECT_EQ(common::roundHalfEven(1e300), 2147483647);
}

TEST(FormatOneDecimal, IgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"))
        GTEST_SKIP() << "no locale with a comma decimal separator is installed";
    EXPECT_EQ(common::formatOneDecimal(48.25).toStdString(), "48.3");
    EXPECT_EQ(common::formatOneDecimal(193.0 / 3.0).toStdString(), "64.3");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
