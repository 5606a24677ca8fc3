#include "engine/item_bank.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace acv {
namespace {

TEST(ItemBankTest, EveryItemHasBothWordingsAndNothingElseDoes) {
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_FALSE(ItemBank::Self(item).empty()) << item;
    EXPECT_FALSE(ItemBank::Observer(item).empty()) << item;
    EXPECT_NE(ItemBank::Self(item), ItemBank::Observer(item)) << item;
  }
  for (int item : {0, -1, 191, 1000}) {
    EXPECT_EQ(ItemBank::Self(item), "");
    EXPECT_EQ(ItemBank::Observer(item), "");
  }
}

TEST(ItemBankTest, EachWordingIsOneSentence) {
  // A full stop followed by a blank and a capital would start a second sentence.
  const std::regex secondSentence(R"(\. [A-Z])");
  for (int item = 1; item <= kItemCount; ++item) {
    for (std::string_view wording : {ItemBank::Self(item), ItemBank::Observer(item)}) {
      std::string text(wording);
      EXPECT_EQ(text.back(), '.') << item << ": " << text;
      // An example in brackets starts with "(e.g." and may go on with a capital.
      for (std::size_t at = text.find("e.g. "); at != std::string::npos;
           at = text.find("e.g. ", at)) {
        text.replace(at, 5, "eg ");
      }
      EXPECT_FALSE(std::regex_search(text, secondSentence)) << item << ": " << text;
      EXPECT_TRUE(text[0] >= 'A' && text[0] <= 'Z') << item << ": " << text;
    }
  }
}

TEST(ItemBankTest, SelfIsFirstPersonAndObserverIsNot) {
  const std::regex firstPerson(R"(\b(I|[Mm]y|me|myself)\b)");
  for (int item = 1; item <= kItemCount; ++item) {
    const std::string self(ItemBank::Self(item));
    const std::string observer(ItemBank::Observer(item));
    EXPECT_TRUE(std::regex_search(self, firstPerson)) << item << ": " << self;
    EXPECT_FALSE(std::regex_search(observer, firstPerson)) << item << ": " << observer;
  }
}

TEST(ItemBankTest, NoTwoItemsShareAWording) {
  std::set<std::string_view> self;
  std::set<std::string_view> observer;
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_TRUE(self.insert(ItemBank::Self(item)).second) << item;
    EXPECT_TRUE(observer.insert(ItemBank::Observer(item)).second) << item;
  }
}

TEST(ItemBankTest, TellingItemsKeepTheirCodePageQuotes) {
  EXPECT_EQ(ItemBank::Self(66),
            "I am \x91on the go\x92 or act as if I am \x91"
            "driven by a motor\x92.");
  EXPECT_EQ(ItemBank::Observer(61),
            "Does not vary their body posture, or use hand gestures, when they are talking to "
            "people.");
  EXPECT_EQ(ItemBank::Self(27),
            "I repeat what the other person has just said if I don\x92t know what to say.");
  EXPECT_EQ(ItemBank::Observer(27),
            "Repeats what the other person has just said if they don't know what to say.");
  EXPECT_EQ(ItemBank::Self(185), "I break into someone else's house, building, or car.");
  EXPECT_EQ(ItemBank::Observer(185), "Breaks into other people\x92s houses, buildings, or cars.");
  EXPECT_EQ(ItemBank::Observer(78),
            "Tries to prevent weight gain by using purging techniques (e.g. self-induced "
            "vomiting, laxatives, diuretics, enemas).");
}

TEST(ItemBankTest, FixedItemLists) {
  EXPECT_EQ(kLowThresholdItems.size(), 38u);
  EXPECT_TRUE(std::is_sorted(kLowThresholdItems.begin(), kLowThresholdItems.end()));
  std::set<int> paired;
  for (const ItemPair& pair : kOmegaPairs) {
    paired.insert(pair.first);
    paired.insert(pair.second);
  }
  EXPECT_EQ(paired.size(), 14u);
}

}  // namespace
}  // namespace acv
