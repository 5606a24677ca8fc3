#include "engine/screens.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace acv {
namespace {

// How a criterion count is compared with its cutoff.
enum class Test {
  kAtLeast,   // ">=n"; also "=1" for a one-item group
  kLessThan,  // "<n"; "=0" for n = 1
  kNone,      // decided by the row's further condition
};

// Further conditions beyond the group tests.
enum class Condition {
  kNone,
  kAspergerTotal,  // count 3 is 0, or the three counts add up to less than 6
  kAutisticTotal,  // the three counts add up to at least 6
};

// Which met items a row lists.
enum class ItemsListed {
  kAllGroups,
  kFirstGroupOnly,  // the single ADHD types list only their own first list
};

using ItemList = std::vector<int>;

const ItemList kHyperactiveImpulsive = {1, 15, 33, 66, 95, 106, 117, 129, 150};
const ItemList kInattentive = {3, 6, 13, 45, 94, 101, 104, 158, 164};
const ItemList kConduct = {41, 44, 50, 51, 57, 63, 84, 116, 122, 135, 174, 179, 182, 185};
const ItemList kAntisocial = {37, 52, 67, 70, 107, 137, 139, 152, 162, 168};
const ItemList kExpressive = {26, 32, 42, 46, 65, 90, 113, 120, 172, 177};
const ItemList kReceptive = {18, 38, 96, 133};
const ItemList kSocial = {24, 61, 138, 159, 178};
const ItemList kRestricted = {60, 62, 140, 142};
const ItemList kCommunication = {27, 64, 134, 165};
const ItemList kMotor = {8, 68, 97, 145};
const ItemList kVocal = {11, 75, 82, 128};

struct Group {
  ItemList items;
  Test test;
  int cutoff;
};

struct Row {
  ScreenInfo info;
  std::vector<Group> groups;  // in count order
  Condition condition = Condition::kNone;
  ItemsListed listed = ItemsListed::kAllGroups;
};

constexpr std::string_view kAnxiety = "ANXIETY DISORDERS";
constexpr std::string_view kAttention = "ATTENTION DEFICIT and DISRUPTIVE BEHAVIOUR DISORDERS";
constexpr std::string_view kCommunicationDisorders = "COMMUNICATION DISORDERS";
constexpr std::string_view kDepressive = "DEPRESSIVE DISORDERS";
constexpr std::string_view kEating = "EATING DISORDERS";
constexpr std::string_view kLearning = "LEARNING DISORDERS";
constexpr std::string_view kPersonality = "PERSONALITY DISORDERS";
constexpr std::string_view kPervasive = "PERVASIVE DEVELOPMENTAL DISORDERS";
constexpr std::string_view kTic = "TIC DISORDERS";

Group AtLeast(ItemList items, int n) {
  return Group{std::move(items), Test::kAtLeast, n};
}
Group LessThan(ItemList items, int n) {
  return Group{std::move(items), Test::kLessThan, n};
}
Group Counted(ItemList items) {
  return Group{std::move(items), Test::kNone, 0};
}

const std::vector<Row>& Table() {
  static const std::vector<Row> table = {
      {{"Generalised anxiety disorder", kAnxiety, ">=1\n>=3"},
       {AtLeast({143, 176}, 1), AtLeast({40, 54, 98, 111, 125, 126, 167}, 3)}},
      {{"Obsessive-compulsive disorder", kAnxiety, ">=1\n>=3"},
       {AtLeast({7, 10, 53, 89}, 1), AtLeast({2, 80, 87, 121, 183, 187}, 3)}},
      {{"Panic disorder", kAnxiety, "=1\n>=4"},
       {AtLeast({9}, 1), AtLeast({14, 16, 36, 39, 55, 72, 83, 88, 103, 105, 123, 163, 175}, 4)}},
      {{"Post-traumatic stress disorder", kAnxiety, ">=1\n>=3\n>=2"},
       {AtLeast({4, 5, 23, 144, 153}, 1), AtLeast({77, 109, 119, 146, 157, 169}, 3),
        AtLeast({43, 173, 184, 190}, 2)}},
      {{"Specific phobia", kAnxiety, "=1\n>=3"},
       {AtLeast({12}, 1), AtLeast({17, 79, 91, 110, 156}, 3)}},
      {{"Attention-deficit/hyperactivity disorder, hyperactive-impulsive type (#1)", kAttention,
        ">=6\n<6"},
       {AtLeast(kHyperactiveImpulsive, 6), LessThan(kInattentive, 6)},
       Condition::kNone,
       ItemsListed::kFirstGroupOnly},
      {{"Attention-deficit/hyperactivity disorder, inattentive type (#1)", kAttention, ">=6\n<6"},
       {AtLeast(kInattentive, 6), LessThan(kHyperactiveImpulsive, 6)},
       Condition::kNone,
       ItemsListed::kFirstGroupOnly},
      {{"Attention-deficit/hyperactivity disorder, combined type (#1)", kAttention, ">=6\n>=6"},
       {AtLeast(kHyperactiveImpulsive, 6), AtLeast(kInattentive, 6)}},
      {{"Conduct disorder (#2)", kAttention, ">=3\n<3"},
       {AtLeast(kConduct, 3), LessThan(kAntisocial, 3)}},
      {{"Oppositional defiant disorder (#2)", kAttention, ">=4\n<3\n<3"},
       {AtLeast({29, 31, 81, 86, 92, 108, 112, 188}, 4), LessThan(kConduct, 3),
        LessThan(kAntisocial, 3)}},
      {{"Expressive language disorder (#3)", kCommunicationDisorders, ">=4\n<2"},
       {AtLeast(kExpressive, 4), LessThan(kReceptive, 2)}},
      {{"Mixed receptive-expressive language disorder (#3)", kCommunicationDisorders, ">=4\n>=2"},
       {AtLeast(kExpressive, 4), AtLeast(kReceptive, 2)}},
      {{"Phonological disorder", kCommunicationDisorders, "\n>=3"},
       {AtLeast({19, 56, 76, 132, 166, 171}, 3)}},
      {{"Dysthymic disorder", kDepressive, "=1\n>=2"},
       {AtLeast({114}, 1), AtLeast({47, 54, 69, 99, 125, 149}, 2)}},
      {{"Major depressive disorder", kDepressive, ">=1\n>=5"},
       {AtLeast({21, 93}, 1), AtLeast({34, 43, 48, 100, 102, 127, 136, 155, 170, 189, 190}, 5)}},
      {{"Anorexia nervosa", kEating, "\n>=4"}, {AtLeast({35, 78, 85, 115, 118, 154, 161}, 4)}},
      {{"Bulimia nervosa", kEating, "\n>=5"},
       {AtLeast({20, 58, 74, 78, 118, 124, 147, 151, 160}, 5)}},
      {{"Disorder of written expression", kLearning, "=1\n>=2"},
       {AtLeast({30}, 1), AtLeast({22, 73, 148, 186}, 2)}},
      {{"Mathematics disorder", kLearning, "=1\n>=2"},
       {AtLeast({141}, 1), AtLeast({49, 71, 130, 181}, 2)}},
      {{"Reading disorder", kLearning, "=1\n>=2"},
       {AtLeast({25}, 1), AtLeast({28, 59, 131, 180}, 2)}},
      {{"Antisocial personality disorder (#2)", kPersonality, "\n>=3"}, {AtLeast(kAntisocial, 3)}},
      {{"Asperger's disorder (#4)", kPervasive, ">=2\n>=1\n=0"},
       {AtLeast(kSocial, 2), AtLeast(kRestricted, 1), Counted(kCommunication)},
       Condition::kAspergerTotal},
      {{"Autistic disorder (#4)", kPervasive, ">=2\n>=1\n>=1"},
       {AtLeast(kSocial, 2), AtLeast(kRestricted, 1), AtLeast(kCommunication, 1)},
       Condition::kAutisticTotal},
      {{"Tic disorder-motor (#5)", kTic, ">=1\n=0"}, {AtLeast(kMotor, 1), LessThan(kVocal, 1)}},
      {{"Tic disorder-vocal (#5)", kTic, ">=1\n=0"}, {AtLeast(kVocal, 1), LessThan(kMotor, 1)}},
      {{"Tourette's disorder (#5)", kTic, ">=1\n>=1"}, {AtLeast(kMotor, 1), AtLeast(kVocal, 1)}},
  };
  return table;
}

bool Passes(const Group& group, int count) {
  switch (group.test) {
    case Test::kAtLeast:
      return count >= group.cutoff;
    case Test::kLessThan:
      return count < group.cutoff;
    case Test::kNone:
      return true;
  }
  return false;
}

bool ConditionHolds(Condition condition, const std::vector<int>& counts) {
  const auto total = [&counts] {
    int sum = 0;
    for (int count : counts) {
      sum += count;
    }
    return sum;
  };
  switch (condition) {
    case Condition::kNone:
      return true;
    case Condition::kAspergerTotal:
      return counts[2] == 0 || total() < 6;
    case Condition::kAutisticTotal:
      return total() >= 6;
  }
  return false;
}

void AppendItem(int item, std::string* text) {
  if (!text->empty()) {
    text->append(", ");
  }
  text->append(std::to_string(item));
}

}  // namespace

const ScreenInfo& ScreenTableRow(int row) {
  return Table().at(row - 1).info;
}

ScreenResult EvaluateScreen(int row, const ResponseRecord& record) {
  const Row& screen = Table().at(row - 1);
  ScreenResult result;
  result.counts.assign(screen.groups.size(), 0);
  // Walk the tested items in ascending order; within one row the groups never share an item.
  std::vector<int> metItems;
  for (std::size_t g = 0; g < screen.groups.size(); ++g) {
    for (int item : screen.groups[g].items) {
      if (record.IsMet(item)) {
        ++result.counts[g];
        if (g == 0 || screen.listed == ItemsListed::kAllGroups) {
          metItems.push_back(item);
        }
      }
    }
  }
  std::sort(metItems.begin(), metItems.end());
  for (int item : metItems) {
    AppendItem(item, &result.itemsMet);
  }
  result.positive = ConditionHolds(screen.condition, result.counts);
  for (std::size_t g = 0; g < screen.groups.size(); ++g) {
    result.positive = result.positive && Passes(screen.groups[g], result.counts[g]);
  }
  return result;
}

}  // namespace acv
