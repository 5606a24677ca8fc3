#include "engine/typing_comparison.h"

namespace acv {
namespace {

std::string ResponseText(const ResponseRecord& record, int item) {
  const int value = record.GetResponse(item);
  return value < 0 ? std::string() : std::string(1, static_cast<char>('0' + value));
}

}  // namespace

std::vector<TypingDifference> CompareTypings(const ResponseRecord& first,
                                             const ResponseRecord& second) {
  std::vector<TypingDifference> differences;
  const std::string_view firstBirth = first.Text(TextField::kBirthDate);
  const std::string_view secondBirth = second.Text(TextField::kBirthDate);
  if (firstBirth != secondBirth) {
    differences.push_back({kBirthDateEntry, std::string(firstBirth), std::string(secondBirth)});
  }
  for (int item = 1; item <= kItemCount; ++item) {
    std::string a = ResponseText(first, item);
    std::string b = ResponseText(second, item);
    if (a != b) {
      differences.push_back({item, std::move(a), std::move(b)});
    }
  }
  return differences;
}

}  // namespace acv
