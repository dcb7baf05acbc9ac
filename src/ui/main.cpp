// Placeholder window until the main window lands: shows the record's status
// labels and the current drive's information.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

#include "drives/disk_info.h"
#include "drives/drive_lists.h"
#include "platform/default_drives.h"
#include "platform/sys_calls.h"
#include "restore/main_form.h"

namespace {

class NoInteraction : public tavrix::Interaction {
 public:
  int MsgBox(const std::string&, const std::string&, int) override { return tavrix::kAnswerOk; }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::string OpenFileDialog() override { return {}; }
  void ShowPicker(tavrix::DrivePicker&) override {}
  void ShowHelpContents(tavrix::HelpOwner, const std::string&) override {}
  void ShowAbout() override {}
  void Yield() override { QCoreApplication::processEvents(); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tavrix::DriveSources sources;
  const char* home = std::getenv("HOME");
  sources.home = home != nullptr ? home : "/";
  tavrix::Platform platform(tavrix::RealSysCalls(),
                            tavrix::DefaultDriveTable(tavrix::RealSysCalls(), sources));
  NoInteraction ui;
  tavrix::MainForm form(platform, ui);
  form.CleanUp();
  form.Drive1.drive = tavrix::StartupDrive(form);
  tavrix::Drive1_Change(form);

  QWidget window;
  window.setWindowTitle(QString::fromStdString(form.Text(tavrix::StatusText::kCaption)));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString::fromStdString("Drive " + form.Drive1.drive)));
  for (auto which : {tavrix::StatusText::kLabel1, tavrix::StatusText::kLabel2,
                     tavrix::StatusText::kLabel7, tavrix::StatusText::kLabel4,
                     tavrix::StatusText::kLabel5, tavrix::StatusText::kLabel6}) {
    layout->addWidget(new QLabel(QString::fromStdString(form.Text(which))));
  }
  window.show();
  return app.exec();
}
