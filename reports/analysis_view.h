// The main window's view: the welcome page while no analysis is shown, otherwise the analysis
// face (details, results table, reliability table, comments and the note).
#pragma once

#include <QScrollArea>

#include "engine/analysis.h"

namespace acv {

class AnalysisForm;  // the form inside the scroll area

class CTesselView : public QScrollArea {
  Q_OBJECT

 public:
  explicit CTesselView(QWidget* parent = nullptr);
  ~CTesselView() override;

  // Makes `analysis` the one shown: clears the view, fills it and repaints.
  void setAnalysis(const Analysis& analysis);
  // Drops the analysis shown; the welcome page returns.
  void dropAnalysis();
  // The analysis held (both reports absent when none was set).
  const Analysis& analysis() const { return analysis_; }
  // True while an analysis with at least one report is shown.
  bool hasReport() const;

  AnalysisForm* form() const { return form_; }

 signals:
  void analysisChanged();

 private:
  Analysis analysis_;
  AnalysisForm* form_ = nullptr;
};

// Fills every details text and both tables of the view from `analysis`.
void FillAnalysisView(CTesselView& view, const Analysis& analysis);
// Empties the ten text fields; the tables keep their cells until the next fill.
void ClearAnalysisView(CTesselView& view);

}  // namespace acv
