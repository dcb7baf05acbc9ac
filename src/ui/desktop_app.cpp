#include "ui/desktop_app.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <exception>

#include "drives/drive_lists.h"
#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "restore/main_form.h"
#include "split/command_line_start.h"
#include "ui/icons.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

namespace tavrix::ui {

int RunDesktop(const StartOptions& options, char* argv0) {
  // Qt sees no arguments of ours: a source named like one of its own
  // options ("-style") must stay a source.
  int qt_argc = 1;
  char* qt_argv[] = {argv0, nullptr};
  QApplication app(qt_argc, qt_argv);
  QApplication::setApplicationName(QStringLiteral("Tavrix"));
  QApplication::setWindowIcon(ProgramIcon());

  Platform platform(RealSysCalls(), BuildDriveTable(options));
  QtInteraction ui;
  MainForm form(platform, ui);
  form.program_dir = QCoreApplication::applicationDirPath().toStdString();
  form.Drive1.drive = StartupDrive(form);
  MainWindow window(form);
  ui.SetMainWindow(&window);
  window.show();

  try {
    Form_Load(form, options.args);
  } catch (const ProgramExit& e) {
    return e.status;
  } catch (const std::exception& e) {
    QMessageBox::critical(
        &window, QStringLiteral("Tavrix"),
        QStringLiteral("Unexpected failure: %1").arg(QString::fromUtf8(e.what())));
    return 1;
  }
  if (window.ended()) return window.exit_status();
  window.Render();

  // The command asked for on the command line runs once the loop runs, so
  // that its end can end the loop.
  if (options.split) QTimer::singleShot(0, &window, &MainWindow::mnu_OpenFile_Click);
  if (options.restore) QTimer::singleShot(0, &window, &MainWindow::mnu_Restore_Click);
  int status = QApplication::exec();
  return window.ended() ? window.exit_status() : status;
}

}  // namespace tavrix::ui
