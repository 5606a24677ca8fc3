// The comments page at the end of both entry wizards. Its third text (the invitation to comment)
// differs between the wizards and is given by the wizard.
#pragma once

#include "entry/pages/entry_page.h"

namespace acv {

class FieldTextEdit;
class ResponseRecord;

class CommentsPage : public EntryPage {
  Q_OBJECT

 public:
  CommentsPage(ResponseRecord& record, const QString& caption, const QString& invitation,
               QWidget* parent = nullptr);

  void activate() override;
  void leaveBack() override;
  bool validatePage() override;

  FieldTextEdit* commentsBox() const { return comments_; }

 private:
  void store();

  ResponseRecord& record_;
  FieldTextEdit* comments_;
};

}  // namespace acv
