#include "entry/save_report.h"

#include <QFile>

#include "storage/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

bool ReportSave(Prompts& prompts, QWidget* page, const ResponseRecord& record,
                const SaveResult& result) {
  if (result.status != FileStatus::kOk) {
    const UserMessage failure = SaveFailureMessage(result.status);
    prompts.message(page, toQt(failure.caption), toQt(failure.text), Prompts::Icon::kStop);
    return false;
  }
  // The message ends with the file's name, which is in the file system's encoding rather than
  // the record's code page.
  const UserMessage success = SaveSuccessMessage(record, std::string());
  prompts.message(
      page, toQt(success.caption),
      toQt(success.text) + QFile::decodeName(QByteArray::fromStdString(result.fileName)),
      Prompts::Icon::kInformation);
  return true;
}

}  // namespace acv
