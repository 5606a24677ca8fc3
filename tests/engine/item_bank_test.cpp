#include "engine/item_bank.h"

#include <cctype>
#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace acv {
namespace {

// The lower-cased runs of ASCII letters in `text`; every other byte separates words.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && std::isalpha(byte)) {
      word += static_cast<char>(std::tolower(byte));
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) {
    words.push_back(word);
  }
  return words;
}

bool HasFirstPersonWord(std::string_view text) {
  for (const std::string& word : Words(text)) {
    if (word == "i" || word == "my" || word == "me" || word == "myself") {
      return true;
    }
  }
  return false;
}

// Empty when `text` is one sentence with a full stop at its end, otherwise what is wrong.
std::string SentenceFault(std::string_view text) {
  if (text.empty() || text.back() != '.') {
    return "does not end with a full stop";
  }
  if (!std::isupper(static_cast<unsigned char>(text.front()))) {
    return "does not start with a capital letter";
  }
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    if (text[i] == '!' || text[i] == '?') {
      return "contains a question or exclamation mark";
    }
    const bool sentence_break = text[i] == '.' && text[i + 1] == ' ' &&
                                std::isupper(static_cast<unsigned char>(text[i + 2]));
    const bool closes_example = i >= 3 && text.substr(i - 3, 4) == "e.g.";
    if (sentence_break && !closes_example) {
      return "holds a second sentence";
    }
  }
  std::size_t open = text.find('(');
  while (open != std::string_view::npos) {
    if (text.substr(open, 6) != "(e.g. ") {
      return "has a bracket that is not an example";
    }
    if (text.find(')', open) == std::string_view::npos) {
      return "has an unclosed bracket";
    }
    open = text.find('(', open + 1);
  }
  return {};
}

// Plain ASCII apart from the code page 1252 curly single quotation marks.
bool IsPlainText(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool printable = byte >= 0x20 && byte < 0x7F;
    if (!printable && byte != 0x91 && byte != 0x92) {
      return false;
    }
  }
  return true;
}

TEST(ItemBankTest, EveryItemHasBothWordingsAndNothingElseDoes) {
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_FALSE(ItemBank::Self(item).empty()) << "item " << item;
    EXPECT_FALSE(ItemBank::Observer(item).empty()) << "item " << item;
  }
  for (int outside : {0, kItemCount + 1, -1, 1000, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(ItemBank::Self(outside).empty()) << "number " << outside;
    EXPECT_TRUE(ItemBank::Observer(outside).empty()) << "number " << outside;
  }
}

TEST(ItemBankTest, EachWordingIsOneSentenceOfSingleByteText) {
  for (int item = 1; item <= kItemCount; ++item) {
    for (std::string_view text : {ItemBank::Self(item), ItemBank::Observer(item)}) {
      EXPECT_EQ(SentenceFault(text), "") << "item " << item << ": " << text;
      EXPECT_TRUE(IsPlainText(text)) << "item " << item << ": " << text;
    }
  }
}

TEST(ItemBankTest, SelfIsFirstPersonAndObserverIsNot) {
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_TRUE(HasFirstPersonWord(ItemBank::Self(item)))
        << "item " << item << ": " << ItemBank::Self(item);
    EXPECT_FALSE(HasFirstPersonWord(ItemBank::Observer(item)))
        << "item " << item << ": " << ItemBank::Observer(item);
  }
}

TEST(ItemBankTest, FirstPersonCheckLooksAtWholeWordsOnly) {
  EXPECT_TRUE(HasFirstPersonWord("I lose my temper."));
  EXPECT_TRUE(HasFirstPersonWord("How I feel about myself."));
  EXPECT_TRUE(HasFirstPersonWord("Reminds me of it."));
  EXPECT_FALSE(HasFirstPersonWord("Is irritable in meetings (e.g. Monday mornings)."));
  EXPECT_FALSE(HasFirstPersonWord("Breaks into other people\x92s homes."));
}

TEST(ItemBankTest, SentenceCheckRejectsBrokenWordings) {
  EXPECT_EQ(SentenceFault("Interrupts others (e.g. butts into conversations)."), "");
  EXPECT_EQ(SentenceFault("I interrupt (e.g. I butt in)."), "");
  EXPECT_NE(SentenceFault("I interrupt others"), "");
  EXPECT_NE(SentenceFault("I interrupt. I intrude."), "");
  EXPECT_NE(SentenceFault("I interrupt (for example butting in)."), "");
  EXPECT_NE(SentenceFault("Do I interrupt others?"), "");
}

TEST(ItemBankTest, WordingsAreDistinct) {
  std::set<std::string_view> self;
  std::set<std::string_view> observer;
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_TRUE(self.insert(ItemBank::Self(item)).second) << "item " << item;
    EXPECT_TRUE(observer.insert(ItemBank::Observer(item)).second) << "item " << item;
    EXPECT_NE(ItemBank::Self(item), ItemBank::Observer(item)) << "item " << item;
  }
}

struct TellingItem {
  int item;
  std::string_view self;
  std::string_view observer;
};

TEST(ItemBankTest, TellingItemsAreWordForWord) {
  // Written out here independently of the table, byte by byte where the quotation marks matter.
  const TellingItem telling[] = {
      {1, "I interrupt or intrude on others (e.g. I butt into conversations).",
       "Interrupts or intrudes on others (e.g. butts into conversations)."},
      {27,
       "I repeat what the other person has just said if I don"
       "\x92"
       "t know what to say.",
       "Repeats what the other person has just said if they don't know what to say."},
      {34, "My appetite fluctuates greatly.", "Has great fluctuations in appetite."},
      {58, "My body shape and weight influences how I feel about myself.",
       "Has a self-esteem that is influenced by their body shape and weight."},
      {61,
       "I don"
       "\x92"
       "t vary my body posture, or use hand gestures, when I am talking to people.",
       "Does not vary their body posture, or use hand gestures, when they are talking to people."},
      {66,
       "I am "
       "\x91"
       "on the go"
       "\x92"
       " or act as if I am "
       "\x91"
       "driven by a motor"
       "\x92"
       ".",
       "Is "
       "\x91"
       "on the go"
       "\x92"
       " or acts as if they are "
       "\x91"
       "driven by a motor"
       "\x92"
       "."},
      {78,
       "I try to avoid weight gain by using purging techniques (e.g. self-induced vomiting, "
       "laxatives, diuretics, enemas).",
       "Tries to prevent weight gain by using purging techniques (e.g. self-induced vomiting, "
       "laxatives, diuretics, enemas)."},
      {136, "I have recurrent thoughts of committing suicide.",
       "Has recurrent thoughts of committing suicide."},
      {138,
       "I don"
       "\x92"
       "t seek to share enjoyment, interests, or achievements with other people.",
       "Doesn"
       "\x92"
       "t seek to share enjoyment, interests, or achievements with other people."},
      {146,
       "I have low expectations for my future (e.g. I do not expect to have a career, marriage, "
       "children, or a normal life span).",
       "Has low expectations for their future (e.g. they do not expect to have a career, "
       "marriage, children, or a normal life span)."},
      {154, "How I feel about myself is influenced by my body shape and weight.",
       "Lets their body shape and weight influence their self-esteem."},
      {176,
       "I worry excessively about a number of events or activities (e.g. my work or academic "
       "performance, my future).",
       "Worries excessively about a number of events or activities (e.g. work or academic "
       "performance, their future)."},
      {185, "I break into someone else's house, building, or car.",
       "Breaks into other people"
       "\x92"
       "s houses, buildings, or cars."},
      {189,
       "I feel tired or like I don"
       "\x92"
       "t have the energy to do things.",
       "Feels tired or like they don"
       "\x92"
       "t have the energy to do things."},
      {190, "I have problems concentrating or making decisions.",
       "Has problems concentrating or making decisions."},
  };
  for (const TellingItem& expected : telling) {
    EXPECT_EQ(ItemBank::Self(expected.item), expected.self) << "item " << expected.item;
    EXPECT_EQ(ItemBank::Observer(expected.item), expected.observer) << "item " << expected.item;
  }
}

TEST(ItemBankTest, CurlyQuotesAreSingleBytes) {
  const std::string_view observer = ItemBank::Observer(66);
  ASSERT_GE(observer.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(observer[3]), 0x91);
  EXPECT_EQ(observer.find("\xE2\x80"), std::string_view::npos);
  EXPECT_EQ(ItemBank::Self(61).size(), std::string_view("I don't vary my body posture, or use "
                                                        "hand gestures, when I am talking to "
                                                        "people.")
                                           .size());
}

TEST(ItemBankTest, OmegaPairsAskTheSameThingTwice) {
  for (const ItemPair& pair : kOmegaPairs) {
    EXPECT_FALSE(ItemBank::Self(pair.first).empty());
    EXPECT_FALSE(ItemBank::Self(pair.second).empty());
    EXPECT_NE(ItemBank::Self(pair.first), ItemBank::Self(pair.second));
  }
  EXPECT_EQ(ItemBank::Self(47), "I feel tired or have little energy.");
  EXPECT_EQ(ItemBank::Observer(114), "Feels unhappy, sad, or empty.");
}

}  // namespace
}  // namespace acv
