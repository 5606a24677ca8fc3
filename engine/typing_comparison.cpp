#include "engine/typing_comparison.h"

namespace acv {

std::vector<TypingDifference> CompareTypings(const ResponseRecord& first,
                                             const ResponseRecord& second) {
  std::vector<TypingDifference> differences;
  const std::string_view firstBirth = first.Text(TextField::kBirthDate);
  const std::string_view secondBirth = second.Text(TextField::kBirthDate);
  if (firstBirth != secondBirth) {
    differences.push_back({kBirthDateEntry, std::string(firstBirth), std::string(secondBirth)});
  }
  for (int item = 1; item <= kItemCount; ++item) {
    std::string a = first.ResponseText(item);
    std::string b = second.ResponseText(item);
    if (a != b) {
      differences.push_back({item, std::move(a), std::move(b)});
    }
  }
  return differences;
}

}  // namespace acv
