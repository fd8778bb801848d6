#include "data/cell_value.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mkd {
namespace {

struct CellCase {
    std::string text;
    double expected;
};

void PrintTo(const CellCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class CellValueTest : public testing::TestWithParam<CellCase> {};

TEST_P(CellValueTest, ReadsTheNumberTheTextBeginsWith) {
    EXPECT_DOUBLE_EQ(cellValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PlainNumbers, CellValueTest,
                         testing::Values(CellCase{"0", 0}, CellCase{"980", 980}, CellCase{"1230", 1230},
                                         CellCase{"00012", 12}, CellCase{"-1230", -1230}, CellCase{"+5", 5},
                                         CellCase{"100.5", 100.5}, CellCase{".5", 0.5}, CellCase{"-.5", -0.5},
                                         CellCase{"5.", 5}));

INSTANTIATE_TEST_SUITE_P(BlanksAnywhere, CellValueTest,
                         testing::Values(CellCase{"1 230", 1230}, CellCase{" \t1230\r\n", 1230}, CellCase{"- 5", -5},
                                         CellCase{"1 2 3 . 4 5", 123.45}, CellCase{"1\r\n2", 12},
                                         CellCase{"1 e 3", 1000}));

INSTANTIATE_TEST_SUITE_P(Exponents, CellValueTest,
                         testing::Values(CellCase{"1e3", 1000}, CellCase{"1E+3", 1000}, CellCase{"2.5D2", 250},
                                         CellCase{"25d-1", 2.5}, CellCase{"12E", 12}, CellCase{"12e+", 12},
                                         CellCase{"1e2.5", 100}, CellCase{"1e0", 1}));

INSTANTIATE_TEST_SUITE_P(TrailingText, CellValueTest,
                         testing::Values(CellCase{"1230円", 1230}, CellCase{"1,230", 1}, CellCase{"1.2.3", 1.2},
                                         CellCase{"12abc", 12}, CellCase{"3-4", 3}));

INSTANTIATE_TEST_SUITE_P(NoNumber, CellValueTest,
                         testing::Values(CellCase{"", 0}, CellCase{"   ", 0}, CellCase{"abc", 0}, CellCase{"円1230", 0},
                                         CellCase{".", 0}, CellCase{"-", 0}, CellCase{"+-5", 0}, CellCase{"e5", 0},
                                         CellCase{"\"12\"", 0}, CellCase{"nan", 0}, CellCase{"inf", 0},
                                         CellCase{"0x10", 0}, CellCase{"１２", 0}));

INSTANTIATE_TEST_SUITE_P(OutOfRange, CellValueTest,
                         testing::Values(CellCase{"1e999", 0}, CellCase{"-1e999", 0}, CellCase{"1e-999", 0},
                                         CellCase{std::string(400, '9'), 0}, CellCase{"1e99999999999999999999", 0}));

TEST(CellValue, NeverGivesNegativeZero) {
    for (const char* text : {"-0", "-0.0", "-0e5", "- 0"}) {
        const double value = cellValue(text);
        EXPECT_EQ(value, 0.0) << text;
        EXPECT_FALSE(std::signbit(value)) << text;
    }
}

TEST(CellValue, KeepsPrecisionOfLongMantissas) {
    // 1 followed by 300 zeros, scaled back down by the exponent.
    EXPECT_DOUBLE_EQ(cellValue("1" + std::string(300, '0') + "e-300"), 1.0);
    EXPECT_DOUBLE_EQ(cellValue("0." + std::string(300, '0') + "5e301"), 5.0);
}

TEST(CellValue, ReadsHugeTextInOnePass) {
    // A 10 MB cell: all digits overflow, leading zeros do not.
    EXPECT_EQ(cellValue(std::string(10'000'000, '7')), 0.0);
    EXPECT_DOUBLE_EQ(cellValue(std::string(10'000'000, '0') + "42"), 42.0);
    EXPECT_DOUBLE_EQ(cellValue(std::string(10'000'000, ' ') + "42"), 42.0);
}

}  // namespace
}  // namespace mkd
