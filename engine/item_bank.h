// The questionnaire's 190 statements in their two wordings, and the fixed item lists the
// screening rules rely on. Texts are single-byte Windows-1252.
#pragma once

#include <array>
#include <string_view>

namespace acv {

inline constexpr int kItemCount = 190;
// Per-item arrays are indexed by item number; entry 0 is never an item.
inline constexpr int kItemSlots = kItemCount + 1;

inline constexpr bool IsItemNumber(int item) {
  return item >= 1 && item <= kItemCount;
}

// The six answers of the frequency scale, by response value 0..5.
inline constexpr std::array<std::string_view, 6> kAnswerLabels = {
    "Never", "Rarely", "Sometimes", "Regularly", "Often", "Very Often"};

class ItemBank {
 public:
  // Wording of an item; the empty text for 0 and for any number outside 1..190.
  static std::string_view Self(int item);
  static std::string_view Observer(int item);
};

// Items for which the rating 2 ("Sometimes") already counts as met.
inline constexpr std::array<int, 38> kLowThresholdItems = {
    9,   14,  16,  36,  37,  39,  41,  44,  50,  51,  52,  55,  57,  63,  70,  72,  83,  84,  88,
    103, 105, 107, 116, 122, 123, 135, 136, 137, 139, 152, 163, 168, 170, 174, 175, 179, 182, 185};

struct ItemPair {
  int first;
  int second;
};

// The seven items asked twice in other words, compared by the Omega statistic, in order.
inline constexpr std::array<ItemPair, 7> kOmegaPairs = {
    {{190, 54}, {43, 125}, {21, 114}, {34, 99}, {189, 47}, {160, 35}, {58, 154}}};

}  // namespace acv
