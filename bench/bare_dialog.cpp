// The yardstick for start-up: the least a Qt 6 Widgets program with a window does. One dialog
// with an edit and a button, shown, and ended at its first painted frame as the probe ends the
// program.
//
// orbalta_bare_dialog [--phases]: with --phases, prints where the time went to stderr.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>
#include <cstdio>
#include <cstring>

#include "bench/first_frame.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  const bool showPhases = argc > 1 && std::strcmp(argv[1], "--phases") == 0;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const qint64 application = sinceMain.nsecsElapsed();
  qint64 painted = 0;
  int code = 0;
  qint64 widgets = 0;
  qint64 shownAt = 0;
  {
    QDialog dialog;
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(new QLineEdit(&dialog));
    layout->addWidget(new QPushButton(QStringLiteral("OK"), &dialog));
    widgets = sinceMain.nsecsElapsed();
    FirstFrame shown(&dialog, [&] {
      painted = sinceMain.nsecsElapsed();
      QCoreApplication::quit();
    });
    dialog.show();
    shownAt = sinceMain.nsecsElapsed();
    code = app.exec();
  }
  if (showPhases) {
    auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
    std::fprintf(stderr,
                 "main to QApplication %.2f ms, to widgets made %.2f ms, to shown %.2f ms, to "
                 "first frame %.2f ms, to return %.2f ms\n",
                 ms(application), ms(widgets), ms(shownAt), ms(painted),
                 ms(sinceMain.nsecsElapsed()));
  }
  return code;
}
