#include "engine/dates.h"

#include <gtest/gtest.h>

#include "engine/cp1252.h"

namespace acv {
namespace {

TEST(DatesTest, ParsingNeedsExactDigits) {
  EXPECT_EQ(ParseDate8("20070229"), (CalendarDate{2007, 2, 29}));  // parsed, not checked
  EXPECT_FALSE(ParseDate8("2007022"));
  EXPECT_FALSE(ParseDate8("2007-2-9"));
  EXPECT_FALSE(ParseDate8(""));
  EXPECT_EQ(FormatDate8({1975, 3, 7}), "19750307") << "leading zeros kept";
  EXPECT_EQ(ParseDate8(FormatDate8({2004, 12, 31})), (CalendarDate{2004, 12, 31}));
  ASSERT_TRUE(ParseStamp14("20071231235958"));
  EXPECT_EQ(ParseStamp14("20071231235958")->minute, 59);
  EXPECT_FALSE(ParseStamp14("2007123123595"));
}

TEST(DatesTest, CalendarRules) {
  EXPECT_TRUE(IsValidCalendarDate({2004, 2, 29}));
  EXPECT_FALSE(IsValidCalendarDate({2005, 2, 29}));
  EXPECT_FALSE(IsValidCalendarDate({1900, 1, 1}));
  EXPECT_TRUE(IsValidCalendarDate({1901, 1, 1}));
  EXPECT_TRUE(IsValidCalendarDate({2099, 12, 31}));
  EXPECT_FALSE(IsValidCalendarDate({2100, 1, 1}));
  EXPECT_FALSE(IsValidCalendarDate({2007, 4, 31}));
  EXPECT_TRUE(IsValidCalendarDate({2007, 5, 31}));
  EXPECT_FALSE(IsValidCalendarDate({2007, 13, 1}));
  EXPECT_FALSE(IsValidCalendarDate({2007, 0, 1}));
  EXPECT_FALSE(IsValidCalendarDate({2007, 1, 0}));
}

TEST(DatesTest, AgeCountsTheBirthdayItself) {
  EXPECT_EQ(AgeInYears({1970, 6, 20}, {2007, 6, 19}), 36);
  EXPECT_EQ(AgeInYears({1970, 6, 20}, {2007, 6, 20}), 37);
  EXPECT_EQ(AgeInYears({1970, 6, 20}, {2007, 5, 30}), 36);
}

TEST(Cp1252Test, QuotesRoundTripThroughUtf8) {
  const std::string text = "don\x92t \x91go\x92 \x80 caf\xe9";
  const std::string utf8 = Cp1252ToUtf8(text);
  EXPECT_EQ(utf8, "don\u2019t \u2018go\u2019 \u20ac caf\u00e9");
  EXPECT_EQ(Utf8ToCp1252(utf8), text);
  EXPECT_EQ(Utf8ToCp1252("\u4e2d"), "?");  // not in the code page
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");  // truncated sequence
  EXPECT_EQ(Utf8ToCp1252("\xff"
                         "b"),
            "?b");  // invalid lead byte
}

}  // namespace
}  // namespace acv
