// A paint device that records what is drawn on it, in inches, for tests of the printed pages.
// It has the size of the report's area at 1200 units per inch, so a page is drawn unscaled.
#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QTextItem>
#include <vector>

#include "reports/report_page.h"

namespace acv::testing {

struct DrawnText {
  QString text;
  QPointF at;  // the baseline's start, inches
  QFont font;
  double points() const { return font.pixelSize() * 72.0 / 1200; }
};
struct DrawnBox {
  QRectF rect;  // inches
  QColor fill;  // invalid for none
};
struct DrawnImage {
  QRectF rect;  // inches
};

// Everything drawn, in order of kind.
struct Drawing {
  std::vector<DrawnText> texts;
  std::vector<DrawnBox> boxes;
  std::vector<QLineF> lines;
  std::vector<DrawnImage> images;
};

class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyBrush) {
      brush_ = state.brush();
    }
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      drawn.boxes.push_back(
          {Inches(rects[i]), brush_.style() == Qt::NoBrush ? QColor() : brush_.color()});
    }
  }
  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) {
      drawn.lines.push_back(QLineF(lines[i].p1() / kUnits, lines[i].p2() / kUnits));
    }
  }
  void drawTextItem(const QPointF& at, const QTextItem& item) override {
    drawn.texts.push_back({item.text(), at / kUnits, item.font()});
  }
  void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override {
    drawn.images.push_back({Inches(rect)});
  }
  void drawImage(const QRectF& rect, const QImage&, const QRectF&,
                 Qt::ImageConversionFlags) override {
    drawn.images.push_back({Inches(rect)});
  }

  static constexpr double kUnits = 1200;
  Drawing drawn;

 private:
  static QRectF Inches(const QRectF& rect) {
    return QRectF(rect.topLeft() / kUnits, rect.size() / kUnits);
  }
  QBrush brush_;
};

class RecordingDevice : public QPaintDevice {
 public:
  // A printable area of the given size; the report's own area by default.
  explicit RecordingDevice(double widthInches = kReportWidthInches,
                           double heightInches = kReportHeightInches)
      : width_(widthInches), height_(heightInches) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const Drawing& drawing() const { return engine_.drawn; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return qRound(width_ * RecordingEngine::kUnits);
      case PdmHeight:
        return qRound(height_ * RecordingEngine::kUnits);
      case PdmWidthMM:
        return qRound(width_ * 25.4);
      case PdmHeightMM:
        return qRound(height_ * 25.4);
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return qRound(RecordingEngine::kUnits);
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return INT_MAX;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return qRound(devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  double width_;
  double height_;
  mutable RecordingEngine engine_;
};

}  // namespace acv::testing
