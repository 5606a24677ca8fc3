// Adult Corvantis: the window program.
#include <QApplication>
#include <csignal>

#include "shell/main_frame.h"
#include "ui/artwork.h"
#include "ui/product.h"
#include "ui/prompts.h"
#include "ui/text.h"

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the file-size limit fails and is undone
  QApplication app(argc, argv);
  QApplication::setApplicationName(acv::toQt(acv::product::kName));
  QApplication::setApplicationVersion(acv::toQt(acv::product::kVersion));
  QApplication::setDesktopFileName(QStringLiteral("adult-corvantis"));
  acv::InitArtwork();
  acv::QtPrompts prompts;
  acv::CMainFrame frame(prompts);
  frame.show();
  return QApplication::exec();
}
