#include "reports/analysis_view.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <utility>

#include "grid/grid_control.h"
#include "reports/report_cells.h"
#include "ui/product.h"
#include "ui/text.h"

namespace acv {
namespace {

// The form is laid out in dialog units of the analysis template (one unit is 1.5 pixels across
// and 1.625 down at the desktop's usual 12-pixel font). The banner takes a band of its own above
// the details, so everything below the logo's top row moves down by the band's height.
constexpr double kUnitX = 1.5;
constexpr double kUnitY = 1.625;
constexpr int kBannerBand = 82;
// The form is as wide as the tables with their left margin on each side, so that it fits the
// standard window; the details, the note and the credit line all end within the tables' width.
constexpr int kFormWidthUnits = 573;
constexpr int kFormHeightUnits = 1250;

// How much larger than the usual 12 pixels the user's font is: every place, size and font of
// the form grows with it, as a dialog template follows its font.
double FormScale() {
  return QFontInfo(QApplication::font()).pixelSize() / 12.0;
}

int Scaled(double pixels) {
  return qRound(pixels * FormScale());
}

QRect Scaled(const QRect& pixels) {
  return QRect(Scaled(pixels.x()), Scaled(pixels.y()), Scaled(pixels.width()),
               Scaled(pixels.height()));
}

QRect Place(int x, int y, int width, int height) {
  return QRect(Scaled(x * kUnitX), Scaled(y * kUnitY + kBannerBand), Scaled(width * kUnitX),
               Scaled(height * kUnitY));
}

// The form's font, or that of its notes (`pixels` at the usual desktop font).
QFont FormFont(int pixels) {
  QFont font = QApplication::font();
  font.setPixelSize(Scaled(pixels));
  return font;
}

const QColor kShaded(225, 225, 220);
const QColor kPlain(255, 255, 255);

// The details: label, field, place of the label and of the field, and whether the field has
// several lines.
struct DetailPlace {
  const char* label;
  AnalysisForm::Field field;
  const char* objectName;
  int labelX, labelY, x, y, width, height;
  bool multiLine;
  int limit;
};

static_assert(static_cast<std::size_t>(AnalysisForm::Field::kObserverLine) + 1 ==
              AnalysisForm::kFieldCount);

constexpr DetailPlace kDetails[] = {
    {"Name:", AnalysisForm::Field::kName, "name", 127, 14, 162, 14, 152, 12, false, 50},
    {"Address:", AnalysisForm::Field::kAddress, "address", 127, 30, 162, 30, 152, 27, true, 255},
    {"Phone:", AnalysisForm::Field::kPhone, "phone", 127, 61, 162, 61, 152, 19, true, 50},
    {"Gender:", AnalysisForm::Field::kGender, "gender", 331, 14, 397, 14, 143, 12, false, 50},
    {"Date of Birth:", AnalysisForm::Field::kBirthDate, "birthDate", 331, 30, 397, 30, 143, 12,
     false, 50},
    {"Age at Completion:", AnalysisForm::Field::kAge, "age", 331, 46, 397, 46, 143, 12, false, 50},
    {"Completion Date:", AnalysisForm::Field::kCompletionDate, "completionDate", 331, 62, 397, 62,
     143, 12, false, 50},
};

struct ColumnSetUp {
  const char* header;
  Qt::Alignment format;
  int width;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

const ColumnSetUp kColumns[kReportColumns] = {
    {"\nDisorder\n  # indicates mutually exclusive screens", kLeft, 258},
    {"Positive\nScreen\nCutoff", kCentre, 72},
    {"Self-\nReport\nScore", kCentre, 70},
    {"Observer-\nReport\nScore", kCentre, 80},
    {"\nCutoff\nAttained", kCentre, 75},
    {"Positive Screen Items Met\n       [Self-Report Items Met]\n       {Observer-Report Items "
     "Met}",
     kLeft, 282},
};

// The welcome page: position, colour (0 for the heading colour, 1 for the menu colour), text.
struct WelcomeLine {
  int x, y;
  bool menuColour;
  const char* text;
};

constexpr WelcomeLine kWelcome[] = {
    {20, 150, false,
     "To complete an ACV Self-report or Observer-report on screen, please select from the "
     "pull-down menu in the toolbar above:"},
    {40, 168, true, "ACV"},
    {60, 182, true, "Complete on screen ...   Ctrl+R"},
    {20, 204, false,
     "To input the responses from a completed ACV Self-report or Observer-report paper copy, "
     "please select from the pull-down"},
    {20, 222, false, "menu in the toolbar above:"},
    {40, 240, true, "ACV"},
    {60, 258, true, "Enter responses ...   Ctrl+E"},
    {20, 280, false,
     "To analyse the data of an ACV Self-report and/or Observer-report, please select from the "
     "pull-down menu in the toolbar above:"},
    {40, 298, true, "ACV"},
    {60, 316, true, "Analysis ...   Ctrl+A"},
    {20, 338, false,
     "To print an ACV report, please select from the pull-down menu in the toolbar above:"},
    {40, 356, true, "ACV"},
    {60, 374, true, "Analysis ...   Ctrl+A"},
    {80, 392, true, "Select the required Self-report and/or Observer-report for analysis"},
    {100, 410, true,
     "Click 'Analyse' and print the report using  'File - Print'  or any of the other print "
     "shortcuts"},
};

const QColor kHeadingColour(58, 16, 124);
const QColor kMenuColour(193, 82, 156);

QString CellText(std::string_view cp1252) {
  return toQt(cp1252);
}

// Paints `cells` into `grid` from its row `firstRow` on.
template <std::size_t kRows>
void PaintCells(GridControl& grid, int firstRow, const std::array<ReportRow, kRows>& cells) {
  for (int row = 0; row < static_cast<int>(kRows); ++row) {
    for (int column = 0; column < kReportColumns; ++column) {
      const ReportCell& cell =
          cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      grid.setCellText(firstRow + row, column, CellText(cell.text));
      grid.setCellBackground(firstRow + row, column, cell.shaded ? kShaded : kPlain);
    }
  }
}

QLabel* StaticLabel(QWidget* parent, const QString& text, const QRect& place, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  return label;
}

}  // namespace

AnalysisForm::AnalysisForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("analysisForm"));
  setAccessibleName(tr("Analysis"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kPlain);
  colours.setColor(QPalette::Base, kPlain);
  setPalette(colours);
  setFont(FormFont(11));

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("logo"));
  logo->setAccessibleName(tr("Adult Corvantis logo"));
  logo->setGeometry(Scaled(QRect(10, 11, 139, 124)));
  logo->setPixmap(QIcon(QStringLiteral(":/artwork/logo.svg")).pixmap(logo->size()));
  banner_ = new QLabel(this);
  banner_->setObjectName(QStringLiteral("banner"));
  banner_->setAccessibleName(tr("Adult Corvantis banner"));
  banner_->setGeometry(Scaled(QRect(231, 6, 356, 76)));
  banner_->setPixmap(QIcon(QStringLiteral(":/artwork/banner.svg")).pixmap(banner_->size()));
  faceWidgets_ << banner_;

  for (const WelcomeLine& line : kWelcome) {
    QLabel* label = StaticLabel(this, QString::fromLatin1(line.text), QRect(), "welcomeLine");
    QPalette ink = label->palette();
    ink.setColor(QPalette::WindowText, line.menuColour ? kMenuColour : kHeadingColour);
    label->setPalette(ink);
    label->setForegroundRole(QPalette::WindowText);  // not the view's text colour
    label->adjustSize();
    label->move(Scaled(line.x), Scaled(line.y));
    welcomeLines_ << label;
  }

  for (const DetailPlace& detail : kDetails) {
    const QString labelText = QString::fromLatin1(detail.label);
    // Labels end just before their fields; a long one may start a little left of its place.
    constexpr int kLabelReach = 12;
    QLabel* label = StaticLabel(this, labelText,
                                Place(detail.labelX - kLabelReach, detail.labelY + 2,
                                      detail.x - detail.labelX + kLabelReach - 3, 10),
                                "detailLabel");
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QWidget* field = nullptr;
    if (detail.multiLine) {
      auto* box = new QPlainTextEdit(this);
      box->setReadOnly(true);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->document()->setDocumentMargin(1);
      field = box;
    } else {
      auto* box = new QLineEdit(this);
      box->setReadOnly(true);
      box->setMaxLength(detail.limit);
      field = box;
    }
    field->setObjectName(QString::fromLatin1(detail.objectName));
    field->setGeometry(Place(detail.x, detail.y, detail.width, detail.height));
    field->setAccessibleName(labelText.chopped(1));
    label->setBuddy(field);
    faceWidgets_ << label << field;
    fields_[static_cast<std::size_t>(detail.field)] = field;
  }

  auto* observerLine = new QLineEdit(this);
  observerLine->setObjectName(QStringLiteral("observerLine"));
  observerLine->setAccessibleName(tr("Observer"));
  observerLine->setReadOnly(true);
  observerLine->setFrame(false);
  observerLine->setMaxLength(50);
  observerLine->setGeometry(Place(125, 81, 207, 12));
  faceWidgets_ << observerLine;
  fields_[static_cast<std::size_t>(Field::kObserverLine)] = observerLine;
  verification_ = StaticLabel(this, QString(), Place(340, 80, 226, 17), "verification");
  verification_->setFont(FormFont(10));
  verification_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  faceWidgets_ << verification_;

  results_ = new GridControl(this);
  results_->setObjectName(QStringLiteral("results"));
  results_->setAccessibleName(tr("Results of the disorder screens"));
  results_->setGeometry(Place(7, 98, 559, 873));
  results_->setHeaderRowCount(1);
  results_->setHeaderColumnCount(1);
  reliability_ = new GridControl(this);
  reliability_->setObjectName(QStringLiteral("reliability"));
  reliability_->setAccessibleName(tr("Reliability"));
  reliability_->setGeometry(Place(7, 975, 559, 73));
  reliability_->setHeaderRowCount(1);  // shaded like a header, though not a fixed row
  reliability_->setHeaderColumnCount(1);
  faceWidgets_ << results_ << reliability_;

  QLabel* commentsLabel =
      StaticLabel(this, tr("Comments:"), Place(7, 1055, 100, 10), "commentsLabel");
  auto* comments = new QPlainTextEdit(this);
  comments->setObjectName(QStringLiteral("comments"));
  comments->setAccessibleName(tr("Comments"));
  comments->setReadOnly(true);
  comments->setGeometry(Place(7, 1075, 559, 94));
  commentsLabel->setBuddy(comments);
  auto* blankLine = new QLineEdit(this);
  blankLine->setObjectName(QStringLiteral("blankLine"));
  blankLine->setAccessibleName(tr("Remarks"));
  blankLine->setReadOnly(true);
  blankLine->setMaxLength(512);
  blankLine->setGeometry(Place(7, 1186, 559, 13));
  faceWidgets_ << commentsLabel << comments << blankLine;
  fields_[static_cast<std::size_t>(Field::kComments)] = comments;
  fields_[static_cast<std::size_t>(Field::kBlankLine)] = blankLine;

  const QFont noteFont = FormFont(10);
  QLabel* note = StaticLabel(this, tr("NOTE"), Place(7, 1202, 30, 9), "noteLabel");
  QFont bold = noteFont;
  bold.setBold(true);
  note->setFont(bold);
  // The note's two lines, wrapped within the tables' width.
  QLabel* noteText = StaticLabel(
      this,
      tr("It is important to note that any indication of a positive screen for the above "
         "disorders does not constitute a formal diagnosis.  A positive screen merely indicates "
         "that the individual has met sufficient criteria for a disorder to warrant further "
         "investigation by an appropriate health professional."),
      Place(24, 1211, 542, 18), "noteText");
  noteText->setWordWrap(true);
  noteText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QLabel* credit =
      StaticLabel(this, toQt(product::kCreditLine), Place(7, 1235, 559, 9), "creditLine");
  credit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  for (QLabel* label : {noteText, credit}) {
    label->setFont(noteFont);
  }
  faceWidgets_ << note << noteText << credit;

  // The fields are read-only: the keyboard may visit them, a click does not take the focus.
  for (QWidget* field : fields_) {
    field->setFocusPolicy(Qt::TabFocus);
    field->installEventFilter(this);
  }
  setUpTables();
  showAnalysisFace(false);
}

bool AnalysisForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
    event->ignore();  // not overridden: the shortcut goes to the window
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void AnalysisForm::setUpTables() {
  const ReportTemplate texts;
  results_->setRowCount(kResultRows + 1);
  results_->setColumnCount(kReportColumns);
  results_->setFixedRowCount(1);
  reliability_->setRowCount(2);
  reliability_->setColumnCount(kReportColumns);
  reliability_->setFixedRowCount(0);
  for (int col = 0; col < kReportColumns; ++col) {
    const ColumnSetUp& column = kColumns[col];
    results_->setColumnHeader(col, QString::fromLatin1(column.header));
    results_->setColumnFormat(col, column.format);
    results_->setColumnWidth(col, column.width);
    reliability_->setColumnFormat(col, column.format);
    reliability_->setCellText(0, col, QStringLiteral(" "));
  }
  QFont headerFont = results_->cellFont(0, 1);
  headerFont.setWeight(QFont::Bold);
  for (int col = 0; col < kReportColumns; ++col) {
    results_->setCellFont(0, col, headerFont);
  }
  results_->setRowHeight(0, 55);
  for (int row = 1; row <= kResultRows; ++row) {
    results_->setCellText(row, 0, CellText(texts.rowLabel(row)));
    if (row < kCountRow) {
      results_->setCellText(row, 1, CellText(texts.cutoffText(row)));
    }
    results_->setRowHeight(row, 50);
  }
  for (int col = 0; col < kReportColumns; ++col) {
    reliability_->setColumnWidth(col, results_->columnWidth(col));
  }
  reliability_->setRowHeight(0, 55);
  reliability_->setRowHeight(1, 45);
  reliability_->setCellText(0, 0, CellText(texts.reliabilityLabel(0)));
  reliability_->setCellText(1, 0, CellText(texts.reliabilityLabel(1)));
  results_->fitToSize(results_->size());
  reliability_->fitToSize(reliability_->size());
}

void AnalysisForm::showAnalysisFace(bool shown) {
  faceShown_ = shown;
  for (QWidget* widget : faceWidgets_) {
    widget->setVisible(shown);
  }
  for (QWidget* line : welcomeLines_) {
    line->setVisible(!shown);
  }
  fitHeight(viewHeight_);
  update();
}

void AnalysisForm::fitHeight(int viewHeight) {
  viewHeight_ = viewHeight;
  // The welcome page ends below its last line, or fills the view; the analysis face is the
  // whole template.
  const int welcomeHeight = welcomeLines_.last()->y() + 2 * fontMetrics().height();
  const QRect whole = Place(0, 0, kFormWidthUnits, kFormHeightUnits);
  const int height = faceShown_ ? whole.y() + whole.height() : std::max(welcomeHeight, viewHeight);
  setFixedSize(whole.width(), height);
}

QWidget* AnalysisForm::fieldWidget(Field field) const {
  return fields_[static_cast<std::size_t>(field)];
}

QString AnalysisForm::fieldText(Field field) const {
  QWidget* widget = fieldWidget(field);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    return line->text();
  }
  return static_cast<QPlainTextEdit*>(widget)->toPlainText();
}

void AnalysisForm::setFieldText(Field field, const QString& text) {
  QWidget* widget = fieldWidget(field);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setText(text);
    line->setCursorPosition(0);
  } else {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    static_cast<QPlainTextEdit*>(widget)->setPlainText(lines);
  }
}

CTesselView::CTesselView(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("analysisView"));
  setAccessibleName(tr("Analysis view"));
  form_ = new AnalysisForm;
  setWidget(form_);
  setBackgroundRole(QPalette::Base);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, kPlain);
  setPalette(colours);
  // The cell the keyboard moves to is scrolled into sight.
  for (GridControl* grid : {form_->results(), form_->reliability()}) {
    connect(grid, &GridControl::currentCellChanged, this, [this, grid] { showCurrentCell(*grid); });
  }
}

void CTesselView::showCurrentCell(const GridControl& grid) {
  if (grid.hasFocus()) {
    const QRect area =
        grid.cellArea(grid.currentRow(), grid.currentColumn()).translated(grid.pos());
    ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + 1,
                  area.height() / 2 + 1);
  }
}

bool CTesselView::focusNextPrevChild(bool next) {
  const bool moved = QScrollArea::focusNextPrevChild(next);
  // Tab brings a table taller than the view into sight by its middle; the cell that has the
  // focus is what must be seen.
  for (const GridControl* grid : {form_->results(), form_->reliability()}) {
    showCurrentCell(*grid);
  }
  return moved;
}

bool CTesselView::hasReport() const {
  return !analysis_.IsSelfAbsent() || !analysis_.IsObserverAbsent();
}

void CTesselView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  form_->fitHeight(maximumViewportSize().height());
}

void CTesselView::setAnalysis(const Analysis& analysis) {
  analysis_ = analysis;
  ClearAnalysisView(*this);
  FillAnalysisView(*this, analysis_);
  form_->showAnalysisFace(hasReport());
  emit analysisChanged();
}

void AnalysisForm::setVerification(const QString& text, const QString& detail) {
  verification_->setText(text);
  verification_->setToolTip(detail);
  verification_->setAccessibleDescription(detail);
}

void CTesselView::dropAnalysis() {
  analysis_ = Analysis();
  ClearAnalysisView(*this);
  form_->showAnalysisFace(false);
  emit analysisChanged();
}

void ClearAnalysisView(CTesselView& view) {
  using Field = AnalysisForm::Field;
  for (const Field field :
       {Field::kName, Field::kPhone, Field::kGender, Field::kBirthDate, Field::kCompletionDate,
        Field::kAge, Field::kAddress, Field::kBlankLine, Field::kComments, Field::kObserverLine}) {
    view.form()->setFieldText(field, QString());
  }
  view.form()->setVerification(QString(), QString());
}

void FillAnalysisView(CTesselView& view, const Analysis& analysis) {
  using Field = AnalysisForm::Field;
  AnalysisForm& form = *view.form();
  form.setFieldText(Field::kName,
                    toQt(NameWithTitle(analysis.RespondentNameText(), analysis.GenderText())));
  form.setFieldText(Field::kAddress, toQt(analysis.AddressText()));
  form.setFieldText(Field::kPhone, toQt(analysis.PhoneText()));
  form.setFieldText(Field::kGender, toQt(analysis.GenderText()));
  form.setFieldText(Field::kBirthDate, toQt(analysis.BirthDateText()));
  form.setFieldText(Field::kAge, toQt(analysis.AgeText()));
  form.setFieldText(Field::kCompletionDate, toQt(analysis.CompletionDateText()));
  form.setFieldText(Field::kObserverLine, toQt(ObserverLineText(analysis.ObserverNameText())));
  QStringList verified;
  for (const auto& [report, name] :
       {std::pair{&analysis.selfReport(), AnalysisForm::tr("Self-report")},
        std::pair{&analysis.observerReport(), AnalysisForm::tr("Observer-report")}}) {
    if (report->GetVerification()) {
      verified << AnalysisForm::tr("%1: responses verified by double entry").arg(name);
    }
  }
  QStringList details;
  for (const std::string& line : VerificationLines(analysis)) {
    details << toQt(line);
  }
  form.setVerification(verified.join(QLatin1Char('\n')), details.join(QLatin1Char('\n')));

  const ReportCells cells = BuildReportCells(analysis);
  PaintCells(*form.results(), 1, cells.results);
  PaintCells(*form.reliability(), 0, cells.reliability);

  form.setFieldText(Field::kComments, toQt(analysis.CommentsText()));
  form.update();
}

}  // namespace acv
