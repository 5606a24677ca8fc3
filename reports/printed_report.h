// The eight pages of the printed report: the cover, the details and results over pages 2 to 5,
// the definitions of pages 6 and 7 and the interpretation guidelines of page 8. Print, preview
// and PDF all draw through PrintReportPage.
#pragma once

class QPainter;

namespace acv {

class Analysis;

inline constexpr int kReportPageCount = 8;

// The report's picture files, looked for beside the program (FindReportPicture).
inline constexpr const char* kLogoPicture = "Print_ACV_Logo.bmp";
inline constexpr const char* kReportFormPicture = "Print_ACV_Report_Form.bmp";

// Draws page `page` (1 to 8) of the report of `analysis` on the painter's device, whose whole
// area is the printable area; any other page number draws nothing.
void PrintReportPage(int page, QPainter& painter, const Analysis& analysis);

}  // namespace acv
