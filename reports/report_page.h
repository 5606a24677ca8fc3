// ReportPage: one printed page, drawn through a QPainter in inches measured from the top-left
// corner of the printable area. Inches become device units through the device's resolution and
// point sizes become pixel sizes the same way, so a page is the same on screen, paper and PDF.
#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QString>
#include <QStringList>

class QPainter;

namespace acv {

// The area the report's pages are laid out in. A smaller printable area shrinks the whole page
// evenly, so nothing is cut off; a wider one centres it.
inline constexpr double kReportWidthInches = 7.9;
inline constexpr double kReportHeightInches = 10.9;

// The stock fills a box may have; the report shades with kLightGrey.
enum class Fill { kNone, kGrey, kLightGrey, kDarkGrey, kBlack };

// How a text is printed: any of the flags, or'ed together. Text is word-wrapped and top
// aligned unless it is kSingleLine, a word wider than its box broken between characters;
// vertical centring applies to single-line text only.
enum TextFlag : unsigned {
  kPlain = 0,
  kBold = 1u << 0,
  kItalic = 1u << 1,
  kUnderline = 1u << 2,
  kStrikeOut = 1u << 3,
  kCentre = 1u << 4,
  kRight = 1u << 5,
  kSingleLine = 1u << 6,
  kVCentre = 1u << 7,
};

// A box on the page, in inches from the printable area's top-left corner.
struct ReportBox {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
};

// Where the report's pictures are looked for: "share/adult-corvantis" in the program's folder
// and in each folder above it, nearest first. An installed program in /usr/bin finds
// /usr/share/adult-corvantis; one in the build tree finds the folder the build draws them into.
QStringList ReportPictureFolders(
    const QString& programFolder = QCoreApplication::applicationDirPath());
// The full path of picture `name` in the first of `folders` holding it; empty when none does.
QString FindReportPicture(const QString& name, const QStringList& folders = ReportPictureFolders());

class ReportPage {
 public:
  // Texts never shrink below this size to fit their box; what still does not fit ends in "…".
  static constexpr double kSmallestPointSize = 5.0;

  // Draws on `painter`'s device, whose whole area is the printable area.
  explicit ReportPage(QPainter& painter);
  ReportPage(const ReportPage&) = delete;
  ReportPage& operator=(const ReportPage&) = delete;
  ~ReportPage();

  double widthInches() const { return kReportWidthInches; }

  // A box: paints its fill, then its frame in the text colour.
  ReportBox AddBox(double top, double left, double bottom, double right, Fill fill);
  // A box inside `parent`, in inches from the parent's top-left corner.
  ReportBox AddSubBox(const ReportBox& parent, double top, double left, double bottom, double right,
                      Fill fill);

  // Prints `text` inside `box` from (row, column) inches of the box's top-left corner, leaving
  // the same margin on the right as on the left. The text is drawn whole: where it would not
  // fit, its size steps down; at the smallest size what does not fit is cut with "…". Returns
  // the row just below the text, from the box's top. A CR LF or LF breaks the line.
  double PrintInBox(const ReportBox& box, double row, double column, unsigned flags,
                    double pointSize, const QString& text);
  // The same on the page, in the area right and below (row, column).
  double PrintAt(double row, double column, unsigned flags, double pointSize, const QString& text);

  // A straight line, `width` points wide.
  void DrawLine(double fromRow, double fromColumn, double toRow, double toColumn, double width);
  // Stretches the picture file `name`, found in the first of `folders` that holds it, into the
  // rectangle; a missing or damaged picture draws nothing (with a warning on stderr).
  void DrawBitmapFile(double top, double left, double bottom, double right, const QString& name,
                      const QStringList& folders = ReportPictureFolders());

  // The face of the texts that follow ("Times New Roman", "Arial", "Garamond"); returns the
  // previous face.
  QString SetFontFace(const QString& face);

 private:
  QRectF DeviceRect(double top, double left, double bottom, double right) const;
  QFont MakeFont(unsigned flags, double pointSize) const;
  // Draws `text` into `area` (device units) and returns the bottom of what was drawn.
  double DrawFitted(const QRectF& area, unsigned flags, double pointSize, QString text);

  QPainter& painter_;
  double unitsX_;  // device units per inch
  double unitsY_;
  double originX_;
  double originY_;
  QString face_ = QStringLiteral("Times New Roman");
};

// The installed family that stands in for a face the report names: Liberation Serif for
// "Times New Roman", Liberation Sans for "Arial", EB Garamond for "Garamond". A face without
// its family installed falls back to Qt's choice, with one warning on stderr.
QString FamilyForFace(const QString& face);

}  // namespace acv
