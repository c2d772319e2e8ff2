// Numbers as the store holds them.
#include "settings/store_format.h"

#include <gtest/gtest.h>

namespace {

using settings::formatPosition;
using settings::parseStoredNumber;

TEST(StoredNumber, RoundsFractionsHalfToEven) {
    EXPECT_EQ(parseStoredNumber("1234.5"), 1234);
    EXPECT_EQ(parseStoredNumber("1235.5"), 1236);
    EXPECT_EQ(parseStoredNumber("-2.5"), -2);
    EXPECT_EQ(parseStoredNumber("7.51"), 8);
}

TEST(StoredNumber, AcceptsPlainDecimalTextWithBlanksAround) {
    EXPECT_EQ(parseStoredNumber("16777215"), 16777215);
    EXPECT_EQ(parseStoredNumber(" -1 "), -1);
    EXPECT_EQ(parseStoredNumber("+3"), 3);
    EXPECT_EQ(parseStoredNumber("1E3"), 1000);
    EXPECT_EQ(parseStoredNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseStoredNumber("2147483647"), INT32_MAX);
}

TEST(StoredNumber, RejectsTextThatIsNoNumberOrOutOfRange) {
    for (const char* bad : {"", " ", "abc", "12abc", "0x10", "&H10", "nan", "inf", "1e400", "--1",
                            "1 2", "2147483648", "-2147483649", "2147483647.5", "１２"}) {
        EXPECT_FALSE(parseStoredNumber(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(StoredPosition, WritesWholeNumbersWholeAndOthersAsSinglePrecision) {
    EXPECT_EQ(formatPosition(1234), "1234");
    EXPECT_EQ(formatPosition(-1), "-1");
    EXPECT_EQ(formatPosition(-0.0), "0");
    for (double whole : {2147483647.0, -2147483648.0, 16777217.0}) {
        EXPECT_EQ(parseStoredNumber(formatPosition(whole)), whole) << formatPosition(whole);
    }
    EXPECT_EQ(formatPosition(1234.5), "1234.5");
    EXPECT_EQ(formatPosition(0.1), "0.1");
    // 4567.123456 is not representable: the single-precision value is written.
    EXPECT_EQ(formatPosition(4567.123456), "4567.1235");
    EXPECT_EQ(parseStoredNumber(formatPosition(1234.5)), 1234);
}

}  // namespace
