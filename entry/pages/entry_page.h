// A page of an entry wizard. The wizard calls activate() each time the page becomes the current
// page, whichever way the user came, and leaveBack() when the user leaves it with Back; leaving
// with Next (or Finish) goes through validatePage(), which may keep the page. Tab goes from the
// page's last control to Next (or Finish), then Back and Cancel, and from there to the page's
// first control again.
#pragma once

#include <QWizardPage>

namespace acv {

class EntryPage : public QWizardPage {
  Q_OBJECT

 public:
  // `caption` is the wizard's window title while the page is shown ("ACV Page 2 of 24").
  explicit EntryPage(const QString& caption, QWidget* parent = nullptr);

  const QString& caption() const { return caption_; }
  // The page's question: the text of its first note (a label that wraps), or nothing. While the
  // page is shown it is named "<caption>: <question>" for assistive technology, which reads the
  // name as the focus enters the page.
  QString question() const;

  // Fills the controls from the record.
  virtual void activate() {}
  // Writes what Back keeps into the record.
  virtual void leaveBack() {}
  // Writes all the page shows into the run, unchecked, for its draft: what Back keeps, unless a
  // page keeps more.
  virtual void keep() { leaveBack(); }
  // Once a run is resumed at this page: the focus goes where the typing stopped.
  virtual void focusWhereTypingStopped() {}

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString caption_;
};

}  // namespace acv
