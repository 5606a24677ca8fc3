#include "support/fake_prompts.h"

namespace acv::testing {

void FakePrompts::message(QWidget*, const QString& caption, const QString& text, Icon icon) {
  shown.append({caption, text, icon});
}

bool FakePrompts::ask(QWidget*, const QString& caption, const QString& text,
                      const QString& acceptText, const QString& rejectText, bool acceptIsDefault) {
  asked.append({caption, text, acceptText, rejectText, acceptIsDefault});
  return answers.isEmpty() ? false : answers.dequeue();
}

int FakePrompts::choose(QWidget*, const QString& caption, const QString& text,
                        const QStringList& buttons) {
  choices.append({caption, text, buttons.join(QLatin1Char('|')), QString(), true});
  return chosen.isEmpty() ? static_cast<int>(buttons.size()) - 1 : chosen.dequeue();
}

QString FakePrompts::openFileName(QWidget*, const QString& caption, const QString& start,
                                  const QString& filter) {
  fileDialogCaptions.append(caption);
  fileDialogStarts.append(start);
  fileDialogFilters.append(filter);
  return chosenFiles.isEmpty() ? QString() : chosenFiles.dequeue();
}

QString FakePrompts::saveFileName(QWidget* parent, const QString& caption, const QString& start,
                                  const QString& filter) {
  return openFileName(parent, caption, start, filter);
}

bool FakePrompts::openWebAddress(const QString& address) {
  openedAddresses.append(address);
  return webAddressOpens;
}

QStringList FakePrompts::captions() const {
  QStringList list;
  for (const Shown& one : shown) {
    list.append(one.caption);
  }
  return list;
}

}  // namespace acv::testing
