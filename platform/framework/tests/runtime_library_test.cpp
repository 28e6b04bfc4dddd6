// The run-time library: exact money, dates and times, conversions to
// text and back, and Format, each in locales the test chooses from the
// platform's own (money after the amount, other separators, negative
// formats).
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <random>

#include "framework/system/program_arguments.h"
#include "framework/system/sysutils.h"

namespace {

constexpr unsigned long EnglishUS = 0x0409, German = 0x0407, Swedish = 0x041D;

// Makes the conversions use a locale's settings, as if it were the
// user's, and puts the user's back afterwards.
struct InLocale : ::testing::Test {
    void TearDown() override { GetFormatSettings(); }
    static void Use(unsigned long locale) { FormatSettings() = GetLocaleFormatSettings(locale); }
};

Currency Raw(int64_t raw) { return Currency::FromRaw(raw); }

TEST(CurrencyArithmetic, IsExactToFourDecimalsAndRoundsHalfToEven) {
    EXPECT_EQ(Currency(0.1) + Currency(0.2), Raw(3000));  // no binary fraction creeps in
    EXPECT_EQ(Currency(19.99) * 3, Raw(599700));
    EXPECT_EQ(Raw(1) * Currency(0.5), Raw(0));  // 0.00005: half, to even
    EXPECT_EQ(Raw(3) * Currency(0.5), Raw(2));  // 0.00015
    EXPECT_EQ(Currency(1) / 3, Raw(3333));
    EXPECT_EQ(Currency(2) / 3, Raw(6667));
    EXPECT_EQ(-Currency(2) / 3, Raw(-6667));
    // Products whose intermediate needs more than 64 bits stay exact.
    const Currency big = Raw(9000000000000001);  // 900000000000.0001
    EXPECT_EQ(big * 1, big);
    EXPECT_EQ(big / Currency(1), big);
    EXPECT_EQ(Currency(0.0001) * Currency(0.0001), Raw(0));

    const Currency max = Raw(INT64_MAX);
    EXPECT_THROW(max + Raw(1), EOverflow);
    EXPECT_THROW(Raw(INT64_MIN) - Raw(1), EOverflow);
    EXPECT_THROW(-Raw(INT64_MIN), EOverflow);
    EXPECT_THROW(max * 2, EOverflow);
    EXPECT_THROW(Currency(1e20), EOverflow);
    EXPECT_THROW(Currency(1) / Currency(0), EZeroDivide);
    Currency kept = max;
    EXPECT_THROW(kept += Raw(1), EOverflow);
    EXPECT_EQ(kept, max) << "a failed operation changes nothing";
}

TEST_F(InLocale, NumbersAndMoneyConvertExactlyWithTheLocalesSeparator) {
    Use(German);
    EXPECT_EQ(CurrToStr(Raw(-123450)), "-12,345");
    EXPECT_EQ(CurrToStr(Raw(INT64_MIN)), "-922337203685477,5808");
    EXPECT_EQ(StrToCurr(" 922337203685477,5807 "), Raw(INT64_MAX));
    EXPECT_EQ(StrToCurr("0,00005"), Raw(0));       // half, to even
    EXPECT_EQ(StrToCurr("0,000150001"), Raw(2));   // above half
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_EQ(FloatToStr(-1e20), "-1E20");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0,333333333333333");
    EXPECT_DOUBLE_EQ(StrToFloat("-2,5e3"), -2500);
    EXPECT_EQ(StrToInt(" -$1F"), -31);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");

    auto message = [](auto convert) -> AnsiString {
        try {
            convert();
        } catch (const EConvertError& e) {
            return e.Message();
        }
        return "no error";
    };
    EXPECT_EQ(message([] { StrToFloat("2.5"); }), "'2.5' is not a valid floating point value");
    EXPECT_EQ(message([] { StrToCurr("922337203685477,5808"); }), "'922337203685477,5808' is not a valid currency value");
    EXPECT_EQ(message([] { StrToCurr("1,2,3"); }), "'1,2,3' is not a valid currency value");
    EXPECT_EQ(message([] { StrToInt("2147483648"); }), "'2147483648' is not a valid integer value");
    EXPECT_EQ(message([] { StrToInt("12a"); }), "'12a' is not a valid integer value");
    EXPECT_EQ(message([] { StrToInt(""); }), "'' is not a valid integer value");
}

TEST_F(InLocale, MoneyFollowsTheLocalesSymbolPositionSeparatorsAndNegativeFormat) {
    struct Case {
        unsigned long locale;
        const char* positive;
        const char* negative;
    };
    // German: the symbol after the amount; Swedish: a no-break space
    // groups the thousands.
    for (const Case& c : {Case{EnglishUS, "$1,234,567.89", "($1,234,567.89)"},
                          Case{German, "1.234.567,89 \x80", "-1.234.567,89 \x80"},
                          Case{Swedish, "1\xA0" "234\xA0" "567,89 kr", "-1\xA0" "234\xA0" "567,89 kr"}}) {
        Use(c.locale);
        EXPECT_EQ(Format("%m", Currency(1234567.89)), c.positive) << c.locale;
        EXPECT_EQ(Format("%m", Currency(-1234567.89)), c.negative) << c.locale;
        EXPECT_EQ(Format("%m", -1234567.89), c.negative) << "a double";
    }
    TFormatSettings custom = GetLocaleFormatSettings(EnglishUS);
    custom.CurrencyString = "EUR";
    custom.CurrencyFormat = 3;
    custom.NegCurrFormat = 15;
    custom.CurrencyDecimals = 0;
    EXPECT_EQ(Format(custom, "%m|%m|%m|%.3m", Currency(2.5), Currency(-3.5), Currency(2.5001), Currency(1)),
              "2 EUR|(4 EUR)|3 EUR|1.000 EUR") << "halves to even";
    EXPECT_EQ(Format(custom, "%m", Currency(-0.4)), "0 EUR") << "no minus sign on a rounded zero";
    EXPECT_EQ(FormatMoney(Raw(INT64_MAX), 4, custom), "922,337,203,685,477.5807 EUR");
}

TEST_F(InLocale, FormatChecksEveryArgumentAgainstItsConversion) {
    Use(German);
    int* pointer = nullptr;
    EXPECT_EQ(Format("%s=%d, %u, %x, %.4d, %c", AnsiString("a"), -5, -1, 255u, 42, 'z'), "a=-5, 4294967295, FF, 0042, z");
    EXPECT_EQ(Format("[%5s|%-5s|%.2s|%*d]", "ab", "ab", "abc", 4, 7), "[   ab|ab   |ab|   7]");
    EXPECT_EQ(Format("%1:s %0:s %s", "world", "hello"), "hello world hello");
    EXPECT_EQ(Format("%f %.1f %n %.0n", 2.345, 2.25, 1234567.5, 1234567.5), "2,35 2,2 1.234.567,50 1.234.568");
    EXPECT_EQ(Format("%e %g %g", 1234.5, 0.5, 1e20), "1,23450000000000E+03 0,5 1E+20");
    EXPECT_EQ(Format("%d%%", int64_t{INT64_MIN}), "-9223372036854775808%");
    EXPECT_EQ(Format("%p", pointer), AnsiString(2 * sizeof(void*), '0'));
    EXPECT_EQ(Format("%f", TDateTime(1.5)), "1,50");

    for (auto bad : {+[] { Format("%d", "text"); }, +[] { Format("%s", 1); }, +[] { Format("%d %d", 1); },
                     +[] { Format("%y", 1); }, +[] { Format("%", 1); }, +[] { Format("%c", "c"); }}) {
        try {
            bad();
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find("invalid or incompatible with argument"), AnsiString::npos) << e.Message();
        }
    }
}

std::vector<unsigned long> SystemLocales;

BOOL CALLBACK AddSystemLocale(LPSTR id) {
    SystemLocales.push_back(std::strtoul(id, nullptr, 16));
    return TRUE;
}

TEST(DateAndTime, EveryLocaleThePlatformKnowsReadsBackWhatItWrites) {
    SystemLocales.clear();
    EnumSystemLocalesA(AddSystemLocale, LCID_SUPPORTED);
    const std::vector<unsigned long>& locales = SystemLocales;
    ASSERT_GT(locales.size(), 100u);
    for (unsigned long locale : locales) {
        TFormatSettings settings = GetLocaleFormatSettings(locale);
        for (TDateTime x : {TDateTime(45000.5432), TDateTime(-700.25), TDateTime(12.999)}) {
            AnsiString text = DateTimeToStr(x, settings);
            TDateTime y;
            EXPECT_TRUE(TryStrToDateTime(text, y, settings) && DateTimeToStr(y, settings) == text)
                << std::hex << locale << ": " << text;
        }
    }
}

TEST(DateAndTime, CountDaysFrom1899AndRunTheFractionForwardBeforeIt) {
    EXPECT_EQ(EncodeDate(1899, 12, 30).Val, 0);
    EXPECT_EQ(EncodeDate(2000, 1, 1).Val, 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1).Val, -693593);
    EXPECT_DOUBLE_EQ(EncodeTime(18, 0, 0, 0), 0.75);
    int y, m, d, h, n, s, ms;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{1899, 12, 29, 6, 0, 0, 0}));
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{23, 59, 59, 999}));
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 7)), 5);  // a Thursday
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(DecodeDate(1e10, y, m, d), EConvertError);

    TDateTime now = Now();
    EXPECT_LE(Date().Val, now.Val);
    EXPECT_LT(now.Val, Date().Val + 1.001);
}

TEST_F(InLocale, DatesAndTimesAreWrittenInTheLocalesFormatsAndReadBackToTheSecond) {
    const TDateTime afternoon = EncodeDate(2024, 3, 7) + EncodeTime(13, 5, 9, 700);
    Use(EnglishUS);
    EXPECT_EQ(DateTimeToStr(afternoon), "3/7/2024 1:05:09 PM");
    EXPECT_EQ(TimeToStr(afternoon), "1:05:09 PM");
    EXPECT_EQ(DateTimeToStr(0), "12/30/1899") << "midnight writes no time";
    EXPECT_EQ(StrToDateTime("12:30:00 am").Val, EncodeTime(0, 30, 0, 0).Val) << "a time alone";
    Use(German);
    EXPECT_EQ(DateTimeToStr(afternoon), "7.3.2024 13:05:09");

    const TDateTime samples[] = {afternoon, 0, EncodeTime(0, 0, 1, 0), EncodeDate(1, 1, 1) - EncodeTime(12, 0, 0, 0),
                                 EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 0), -700.99999, 45000.5};
    // A locale whose designators the code page shows alike counts to 24.
    TFormatSettings alike = GetLocaleFormatSettings(EnglishUS);
    alike.TimeAMString = alike.TimePMString = "??";
    EXPECT_EQ(TimeToStr(afternoon, alike), "13:05:09 ??");
    for (const TFormatSettings& settings : {GetLocaleFormatSettings(EnglishUS), GetLocaleFormatSettings(German),
                                            GetLocaleFormatSettings(Swedish), alike}) {
        FormatSettings() = settings;
        for (TDateTime x : samples) {
            AnsiString text = DateTimeToStr(x);
            int xs, ys, unused;
            DecodeTime(x, unused, unused, xs, unused);
            TDateTime y = StrToDateTime(text);
            DecodeTime(y, unused, unused, ys, unused);
            EXPECT_EQ(DateToStr(y), DateToStr(x)) << text;
            EXPECT_EQ(ys, xs) << text;
            EXPECT_EQ(DateTimeToStr(y), text);
        }
    }
    Use(German);
    for (const char* bad : {"31.2.2024", "7.3.2024 25:00:00", "7.3.2024x", "13:05", ""}) {
        try {
            StrToDateTime(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + AnsiString(bad) + "' is not a valid date and time");
        }
    }
}

// The platform's own splitting is the reference: quoted names, escaped
// quotes, runs of backslashes and quotes, tabs, and random lines of them.
TEST(ProgramArguments, SplitLikeThePlatform) {
    std::vector<std::wstring> lines = {
        L"prog", L"\"C:\\Program Files\\a b.exe\" /install x.dll",  L"prog  a\tb   c ",
        L"prog \"a b\" \"\" c\\\\\"d e\"",  L"prog a\\\"b \\\\\\\"c \\\\d",
        L"prog \"a\"\"b c\" \"\"\"\" x\"\"\"y",  L"\"unclosed name a", L"prog \"unclosed \\"};
    std::mt19937 random(7);
    const wchar_t alphabet[] = L"a \t\"\\";
    for (int n = 0; n < 2000; ++n) {
        std::wstring line = L"prog ";
        for (int length = random() % 12; length > 0; --length) line += alphabet[random() % 5];
        lines.push_back(line);
    }
    for (const std::wstring& line : lines) {
        int count = 0;
        LPWSTR* expected = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(expected, nullptr);
        std::vector<std::wstring> words = SplitCommandLine(line);
        EXPECT_EQ(words, std::vector<std::wstring>(expected, expected + count)) << FromWide(line);
        LocalFree(expected);
    }
}

}  // namespace
