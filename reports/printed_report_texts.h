// The reading pages of the printed report: the definitions of pages 6 and 7 and the
// interpretation guidelines of page 8, as data the page routine flows down its text box.
#pragma once

#include <span>

namespace acv {

struct ReadingParagraph {
  enum Kind { kHeading, kTitle, kBody };
  Kind kind;
  const char* text;  // UTF-8
};

struct ReadingPage {
  const char* heading;  // in the shaded box above the text box
  std::span<const ReadingParagraph> paragraphs;
  // Point sizes of headings, titles and bodies, and of the spacer after each paragraph.
  double headingPoints;
  double titlePoints;
  double bodyPoints;
  double spacerPoints;
};

// Pages 6, 7 and 8.
inline constexpr int kFirstReadingPage = 6;
inline constexpr int kLastReadingPage = 8;
const ReadingPage& ReadingPageText(int page);

}  // namespace acv
