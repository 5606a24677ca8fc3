// The main window's view: the welcome page while no analysis is shown, otherwise the analysis
// face (details, results table, reliability table, comments and the note). Both are laid out
// for the user's font size.
#pragma once

#include <array>

#include <QScrollArea>

#include "engine/analysis.h"

class QLabel;

namespace acv {

class GridControl;

// The form inside the view's scroll area, laid out from the analysis template.
class AnalysisForm : public QWidget {
  Q_OBJECT

 public:
  explicit AnalysisForm(QWidget* parent = nullptr);

  // Shows the analysis face (true) or hides it for the welcome page (false).
  void showAnalysisFace(bool shown);
  bool analysisFaceShown() const { return faceShown_; }
  // Sizes the form for the face shown in a view `viewHeight` pixels high: the welcome page fills
  // the view and no more, so that it cannot be scrolled into blank space.
  void fitHeight(int viewHeight);

  GridControl* results() const { return results_; }
  GridControl* reliability() const { return reliability_; }

  // The ten text fields, in the order ClearAnalysisView empties them.
  enum class Field {
    kName,
    kPhone,
    kGender,
    kBirthDate,
    kCompletionDate,
    kAge,
    kAddress,
    kBlankLine,
    kComments,
    kObserverLine
  };
  static constexpr std::size_t kFieldCount = 10;
  QString fieldText(Field field) const;
  void setFieldText(Field field, const QString& text);
  // Beside the observer line: which reports were verified by double entry (one line each), with
  // `detail` saying how for a reader who asks; the empty text when none was.
  void setVerification(const QString& text, const QString& detail);
  QLabel* verificationLabel() const { return verification_; }

 protected:
  // The read-only fields leave Ctrl+A to the window's Analysis command.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpTables();
  QWidget* fieldWidget(Field field) const;

  bool faceShown_ = false;
  int viewHeight_ = 0;
  QLabel* banner_ = nullptr;
  GridControl* results_ = nullptr;
  GridControl* reliability_ = nullptr;
  QLabel* verification_ = nullptr;
  QList<QWidget*> faceWidgets_;   // everything the welcome page hides
  QList<QWidget*> welcomeLines_;  // the welcome page's instructions
  // The text fields, indexed by Field: line edits, and plain-text boxes for the address, phone
  // and comments.
  std::array<QWidget*, kFieldCount> fields_{};
};

class CTesselView : public QScrollArea {
  Q_OBJECT

 public:
  explicit CTesselView(QWidget* parent = nullptr);

  // Makes `analysis` the one shown: clears the view, fills it and repaints.
  void setAnalysis(const Analysis& analysis);
  // Drops the analysis shown; the welcome page returns.
  void dropAnalysis();
  // The analysis held (both reports absent when none was set).
  const Analysis& analysis() const { return analysis_; }
  // True while an analysis with at least one report is shown.
  bool hasReport() const;

  AnalysisForm* form() const { return form_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 signals:
  void analysisChanged();

 private:
  // Scrolls the current cell of `grid` into sight while the grid has the focus.
  void showCurrentCell(const GridControl& grid);

  Analysis analysis_;
  AnalysisForm* form_ = nullptr;
};

// Fills every details text and both tables of the view from `analysis`.
void FillAnalysisView(CTesselView& view, const Analysis& analysis);
// Empties the ten text fields; the tables keep their cells until the next fill.
void ClearAnalysisView(CTesselView& view);

}  // namespace acv
