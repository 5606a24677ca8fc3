#include "reports/report_page.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextOption>

namespace acv {
namespace {

// Frames are drawn half a point wide.
constexpr double kFramePoints = 0.5;
// Each step down when a text does not fit its box.
constexpr double kPointStep = 0.5;
// Rounding slack when comparing a text's extent with its box, in device units.
constexpr double kSlack = 0.5;

struct FaceFamily {
  const char* face;
  const char* family;
};

// Metric-compatible families installed by the set-up for the faces the report names.
constexpr FaceFamily kFaceFamilies[] = {
    {"Times New Roman", "Liberation Serif"},
    {"Arial", "Liberation Sans"},
    {"Garamond", "EB Garamond 12"},
};

QColor FillColour(Fill fill) {
  switch (fill) {
    case Fill::kGrey:
      return QColor(128, 128, 128);
    case Fill::kLightGrey:
      return QColor(192, 192, 192);
    case Fill::kDarkGrey:
      return QColor(64, 64, 64);
    case Fill::kBlack:
      return QColor(0, 0, 0);
    case Fill::kNone:
      break;
  }
  return QColor();
}

int Alignment(unsigned flags) {
  const int horizontal = (flags & kCentre) != 0  ? Qt::AlignHCenter
                         : (flags & kRight) != 0 ? Qt::AlignRight
                                                 : Qt::AlignLeft;
  const bool singleLine = (flags & kSingleLine) != 0;
  const int vertical = singleLine && (flags & kVCentre) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
  return horizontal | vertical | (singleLine ? Qt::TextSingleLine : Qt::TextWordWrap);
}

bool Fits(const QRectF& needed, const QRectF& area) {
  return needed.width() <= area.width() + kSlack && needed.height() <= area.height() + kSlack;
}

// A picture as opaque pixels on white: archived PDFs may carry no transparency.
QImage Opaque(const QImage& picture) {
  if (!picture.hasAlphaChannel()) {
    return picture;
  }
  QImage opaque(picture.size(), QImage::Format_RGB32);
  opaque.fill(Qt::white);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, picture);
  return opaque;
}

}  // namespace

QString FamilyForFace(const QString& face) {
  // Looked up once per face: every text of every page asks.
  static QHash<QString, QString> families;
  if (const auto known = families.constFind(face); known != families.constEnd()) {
    return *known;
  }
  QString family = face;
  for (const FaceFamily& entry : kFaceFamilies) {
    if (face != QLatin1String(entry.face)) {
      continue;
    }
    if (QFontDatabase::hasFamily(QLatin1String(entry.family))) {
      family = QString::fromLatin1(entry.family);
    } else {
      qWarning(
          "The font \"%s\" for the report's \"%s\" face is not installed; another face "
          "stands in and the layout may differ.",
          entry.family, entry.face);
    }
  }
  families.insert(face, family);
  return family;
}

QStringList ReportPictureFolders(const QString& programFolder) {
  QStringList folders;
  QDir folder(QDir(programFolder).absolutePath());
  do {
    folders << folder.filePath(QStringLiteral("share/adult-corvantis"));
  } while (folder.cdUp());
  return folders;
}

QString FindReportPicture(const QString& name, const QStringList& folders) {
  for (const QString& folder : folders) {
    const QFileInfo file(folder + QLatin1Char('/') + name);
    if (file.isFile()) {
      return file.filePath();
    }
  }
  return QString();
}

ReportPage::ReportPage(QPainter& painter) : painter_(painter) {
  const QPaintDevice* device = painter.device();
  const double dpiX = device->logicalDpiX();
  const double dpiY = device->logicalDpiY();
  const double scale = std::min({1.0, device->width() / dpiX / kReportWidthInches,
                                 device->height() / dpiY / kReportHeightInches});
  unitsX_ = dpiX * scale;
  unitsY_ = dpiY * scale;
  originX_ = (device->width() - kReportWidthInches * unitsX_) / 2;
  originY_ = 0;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

ReportPage::~ReportPage() {
  painter_.restore();
}

QRectF ReportPage::DeviceRect(double top, double left, double bottom, double right) const {
  return QRectF(QPointF(originX_ + left * unitsX_, originY_ + top * unitsY_),
                QPointF(originX_ + right * unitsX_, originY_ + bottom * unitsY_));
}

QFont ReportPage::MakeFont(unsigned flags, double pointSize) const {
  QFont font(FamilyForFace(face_));
  font.setPixelSize(std::max(1, qRound(pointSize * unitsY_ / 72)));
  font.setBold((flags & kBold) != 0);
  font.setItalic((flags & kItalic) != 0);
  font.setUnderline((flags & kUnderline) != 0);
  font.setStrikeOut((flags & kStrikeOut) != 0);
  return font;
}

ReportBox ReportPage::AddBox(double top, double left, double bottom, double right, Fill fill) {
  QPen frame(Qt::black);
  frame.setWidthF(kFramePoints * unitsY_ / 72);
  frame.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(frame);
  painter_.setBrush(fill == Fill::kNone ? QBrush(Qt::NoBrush) : QBrush(FillColour(fill)));
  painter_.drawRect(DeviceRect(top, left, bottom, right));
  return ReportBox{top, left, bottom, right};
}

ReportBox ReportPage::AddSubBox(const ReportBox& parent, double top, double left, double bottom,
                                double right, Fill fill) {
  return AddBox(parent.top + top, parent.left + left, parent.top + bottom, parent.left + right,
                fill);
}

double ReportPage::PrintInBox(const ReportBox& box, double row, double column, unsigned flags,
                              double pointSize, const QString& text) {
  const QRectF area = DeviceRect(box.top + row, box.left + column, box.bottom, box.right - column);
  return (DrawFitted(area, flags, pointSize, text) - originY_) / unitsY_ - box.top;
}

double ReportPage::PrintAt(double row, double column, unsigned flags, double pointSize,
                           const QString& text) {
  const QRectF area = DeviceRect(row, column, kReportHeightInches, kReportWidthInches);
  return (DrawFitted(area, flags, pointSize, text) - originY_) / unitsY_;
}

double ReportPage::DrawFitted(const QRectF& area, unsigned flags, double pointSize, QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const int format = Alignment(flags);
  // Wrapped text breaks at word boundaries, and a word wider than the box between characters
  // (no hyphen is added), so that only text too long for the box's height is made smaller.
  QTextOption wrapped(
      static_cast<Qt::Alignment>(format & (Qt::AlignHorizontal_Mask | Qt::AlignTop)));
  wrapped.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  const bool singleLine = (flags & kSingleLine) != 0;
  const auto measure = [&](const QString& shown) {
    return singleLine ? painter_.boundingRect(area, format, shown)
                      : painter_.boundingRect(area, shown, wrapped);
  };
  double size = pointSize;
  painter_.setFont(MakeFont(flags, size));
  QRectF needed = measure(text);
  while (!Fits(needed, area) && size > kSmallestPointSize) {
    size = std::max(kSmallestPointSize, size - kPointStep);
    painter_.setFont(MakeFont(flags, size));
    needed = measure(text);
  }
  if (!Fits(needed, area)) {
    // Even the smallest size is too big: keep the longest beginning that fits, marked as cut.
    const QString ellipsis(QChar(0x2026));
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
      const qsizetype middle = (low + high + 1) / 2;
      if (Fits(measure(text.left(middle) + ellipsis), area)) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    text = text.left(low) + ellipsis;
    needed = measure(text);
  }
  painter_.setPen(Qt::black);
  if (singleLine) {
    painter_.drawText(area, format, text);
  } else {
    painter_.drawText(area, text, wrapped);
  }
  return needed.bottom();
}

void ReportPage::DrawLine(double fromRow, double fromColumn, double toRow, double toColumn,
                          double width) {
  QPen pen(Qt::black);
  pen.setWidthF(width * unitsY_ / 72);
  pen.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen);
  painter_.drawLine(QPointF(originX_ + fromColumn * unitsX_, originY_ + fromRow * unitsY_),
                    QPointF(originX_ + toColumn * unitsX_, originY_ + toRow * unitsY_));
}

void ReportPage::DrawBitmapFile(double top, double left, double bottom, double right,
                                const QString& name, const QStringList& folders) {
  const QString path = FindReportPicture(name, folders);
  const QImage picture = path.isEmpty() ? QImage() : QImage(path);
  if (picture.isNull()) {
    qWarning("The report picture \"%s\" %s; its place is left empty.", qUtf8Printable(name),
             path.isEmpty() ? "was not found beside the program" : "could not be read");
    return;
  }
  painter_.drawImage(DeviceRect(top, left, bottom, right), Opaque(picture));
}

QString ReportPage::SetFontFace(const QString& face) {
  return std::exchange(face_, face);
}

}  // namespace acv
