// Adult Corvantis: the window program.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "shell/main_frame.h"
#include "shell/session_end.h"
#include "ui/accessible_roles.h"
#include "ui/artwork.h"
#include "ui/product.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace {

void NameTheProgram() {
  QCoreApplication::setApplicationName(acv::toQt(acv::product::kName));
  QCoreApplication::setApplicationVersion(QStringLiteral(ACV_VERSION));
}

// The response file named on the command line, if any. --help, --version and a wrong option
// are answered here and end the program; they need no display. The window opens one file: the
// first of several, the others named on stderr as not opened.
QString FileToOpen(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  NameTheProgram();
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Captures and analyses adult screening questionnaires kept in .cvr response files.\n"
      "Given a response file, opens the Analysis selection on it."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("file"),
      QStringLiteral("A response file (.cvr, in any case) to analyse; of several, the first."),
      QStringLiteral("[file.cvr]"));
  parser.process(application);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "adult-corvantis: one file is opened at a time; not opened: %s\n",
                 qPrintable(files.mid(1).join(QStringLiteral(", "))));
  }
  return files.isEmpty() ? QString() : files.first();
}

// While the window's application starts: Qt ends a program for which no display can be reached
// with a fatal message and an abort, after warnings of its display plugins. Here that is one line
// and exit status 2; other messages pass on.
QtMessageHandler passOn = nullptr;
void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(
        "adult-corvantis: no display could be reached to open the window on (acv works "
        "without one)\n",
        stderr);
    std::_Exit(2);
  }
  if (!QLatin1String(context.category).startsWith(QLatin1String("qt.qpa."))) {
    passOn(type, context, message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the file-size limit fails and is undone
  const QString file = FileToOpen(argc, argv);
  passOn = qInstallMessageHandler(WhileStarting);
  QApplication app(argc, argv);
  qInstallMessageHandler(passOn);
  NameTheProgram();
  QApplication::setDesktopFileName(QStringLiteral("adult-corvantis"));
  acv::InitArtwork();
  acv::InstallAccessibleRoles();
  // Without Qt's SVG plugins the toolbar shows blank buttons: said once, where IT can see it.
  if (const QStringList missing = acv::UndrawableArtwork(); !missing.isEmpty()) {
    std::fprintf(stderr,
                 "adult-corvantis: warning: %lld pictures cannot be drawn (%s); the toolbar and "
                 "icons need Qt's SVG plugins (package libqt6svg6)\n",
                 static_cast<long long>(missing.size()),
                 qPrintable(missing.join(QStringLiteral(", "))));
  }
  acv::QtPrompts prompts;
  acv::CMainFrame frame(prompts);
  frame.show();
  acv::EndSessionOnSignals(&frame);
  QTimer::singleShot(0, &frame, [&] {
    frame.offerDrafts();
    frame.openAtStart(file);
  });
  return QApplication::exec();
}
