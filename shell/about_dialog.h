// Help > About: the product picture, the version and the credit line.
#pragma once

#include <QDialog>

namespace acv {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace acv
