// A tour of the windows for screenshots: the real main window, pickers,
// message boxes, About box and help viewer on a machine made up of
// temporary directories, driven from inside their own event loops.
//
//   tavrix_screenshot_tour OUTDIR          the tour; PNG files into OUTDIR
//   tavrix_screenshot_tour --grab FILE     the whole screen into FILE
//
// Run it on a display (scripts/screenshots.sh starts one with Xvfb).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "autopilot.h"
#include "drives/drive_picker.h"
#include "platform/platform.h"
#include "platform/sys_calls.h"
#include "restore/main_form.h"
#include "split/command_line_start.h"
#include "ui/about_box.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/picker_window.h"
#include "ui/qt_interaction.h"

namespace fs = std::filesystem;

namespace tavrix::ui {
namespace {

using testing::WhenShown;

// Lets the windows paint.
void Settle(int ms = 150) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class Shots {
 public:
  explicit Shots(QString dir) : dir_(std::move(dir)) {}
  // The window with a title bar drawn above it (there is no window manager
  // on the virtual display to draw one): its icon and caption.
  void Window(QWidget* w, const QString& name) {
    Settle();
    QPixmap body = w->grab();
    const int bar = 20;
    QPixmap shot(body.width(), body.height() + bar);
    shot.fill(QColor(0, 0, 128));
    QPainter p(&shot);
    p.drawPixmap(0, bar, body);
    p.drawPixmap(2, 2, w->windowIcon().pixmap(16, 16));
    p.setPen(Qt::white);
    QFont font = w->font();
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(22, 0, body.width() - 24, bar), Qt::AlignVCenter | Qt::AlignLeft,
               w->windowTitle());
    p.end();
    Save(shot, name);
  }
  void Screen(const QString& name) {
    Settle();
    Save(QGuiApplication::primaryScreen()->grabWindow(0), name);
  }

 private:
  void Save(const QPixmap& pixmap, const QString& name) {
    QString path = dir_ + "/" + name + ".png";
    bool ok = pixmap.save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", path.toLocal8Bit().constData());
  }
  QString dir_;
};

// Floppies on a shelf, one of them in drive a:.
class Shelf {
 public:
  Shelf(std::string a_dir, std::string shelf) : a_(std::move(a_dir)), shelf_(std::move(shelf)) {}
  void New(const std::string& name) { fs::create_directories(shelf_ + "/" + name); }
  void Insert(const std::string& name) {
    if (!current_.empty()) fs::rename(a_, shelf_ + "/" + current_);
    fs::rename(shelf_ + "/" + name, a_);
    current_ = name;
  }

 private:
  std::string a_;
  std::string shelf_;
  std::string current_;
};

// The real dialogs; the file dialog answers with the tour's source, and
// the tour looks in at the yields.
class TourInteraction : public QtInteraction {
 public:
  std::string source;
  std::function<void()> on_yield;
  std::string OpenFileDialog() override { return source; }
  void Yield() override {
    if (on_yield) on_yield();
    QtInteraction::Yield();
  }
};

// Answers the next message box: shots first, then `before`, then the
// button whose text (without '&') is `button`.
void AnswerBox(Shots& shots, const QString& shot, const QString& button,
               std::function<void()> before = {}) {
  WhenShown<QMessageBox>([&shots, shot, button, before](QMessageBox* box) {
    if (!shot.isEmpty()) shots.Screen(shot);
    if (before) before();
    for (QAbstractButton* b : box->buttons()) {
      if (b->text().remove('&') == button) {
        b->click();
        return;
      }
    }
    box->close();
  });
}

// Clicks `drive` in the next picker, then Ok.
void AnswerPicker(Shots& shots, const QString& shot, const QString& drive) {
  WhenShown<PickerWindow>([&shots, shot, drive](PickerWindow* w) {
    QList<QListWidgetItem*> items = w->list()->findItems(drive, Qt::MatchExactly);
    if (!items.isEmpty()) w->list()->setCurrentItem(items.front());
    if (!shot.isEmpty()) {
      shots.Window(w, shot);
      shots.Screen(shot + "_screen");
    }
    w->ok_button()->click();
  });
}

int Tour(const QString& out_dir) {
  QTemporaryDir tmp;
  std::string root = tmp.path().toStdString();
  std::string a_dir = root + "/a";
  std::string c_dir = root + "/home";
  std::string d_dir = root + "/restored";
  fs::create_directories(c_dir);
  fs::create_directories(d_dir);
  Shelf shelf(a_dir, root + "/shelf");
  for (const char* f : {"one", "two", "three"}) shelf.New(f);
  shelf.Insert("one");
  std::string source = c_dir + "/big.zip";
  {
    std::ofstream out(source, std::ios::binary);
    std::mt19937 gen(1);
    for (int i = 0; i < 3000000; ++i) out.put(static_cast<char>(gen() & 0xff));
  }

  StartOptions options;
  std::string error;
  auto parsed = ParseStartOptions({"--drive", "a=" + a_dir + ",geometry=1.44m", "--drive",
                                   "c=" + c_dir, "--drive", "d=" + d_dir},
                                  &error);
  if (!parsed) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  DriveTable table;
  for (const DriveEntry& e : parsed->drives) table.Set(e);
  Platform platform(RealSysCalls(), table);
  TourInteraction ui;
  ui.source = source;
  MainForm form(platform, ui);
  form.program_dir = TAVRIX_PROGRAM_DIR;
  form.Drive1.drive = "c:";
  MainWindow window(form);
  ui.SetMainWindow(&window);
  window.show();
  Shots shots(out_dir);

  Form_Load(form, {});
  shots.Window(&window, "01_resting");
  shots.Screen("01_resting_screen");

  // Split a file: the picker, the enlarged window while writing and at the
  // prompts, the description.
  bool writing_shot = false;
  bool reading_shot = false;
  ui.on_yield = [&] {
    if (!reading_shot && form.w.action_visible &&
        form.Text(StatusText::kActionLbl) == "Reading ..." &&
        form.w.height_twips == kRestingHeightTwips + kRunExtraTwips) {
      reading_shot = true;
      shots.Window(&window, "03_split_reading");
    }
    if (!writing_shot && form.w.action_visible &&
        form.Text(StatusText::kActionLbl) == "Writing ..." &&
        form.w.height_twips == kRestingHeightTwips + kRunExtraTwips) {
      writing_shot = true;
      shots.Window(&window, "03_split_writing");
    }
  };
  AnswerPicker(shots, "02_floppy_picker", "a:");
  AnswerBox(shots, "04_split_prompt", "OK", [&] {
    shots.Window(&window, "03_split_enlarged");
    shelf.Insert("two");
    AnswerBox(shots, "", "OK", [&] {
      shelf.Insert("three");
      WhenShown<QInputDialog>([&](QInputDialog* d) {
        shots.Screen("05_description");
        d->accept();
      });
    });
  });
  window.mnu_OpenFile_Click();
  ui.on_yield = nullptr;
  shots.Window(&window, "06_split_done");

  // Restore the set, 3 first: the target picker and the enlarged window.
  WhenShown<PickerWindow>([&](PickerWindow* w) {
    QList<QListWidgetItem*> items = w->list()->findItems("a:", Qt::MatchExactly);
    if (!items.isEmpty()) w->list()->setCurrentItem(items.front());
    w->ok_button()->click();
    AnswerPicker(shots, "07_target_picker", "d:");
    AnswerBox(shots, "08_restore_prompt", "OK", [&] {
      shots.Window(&window, "08_restore_enlarged");
      shelf.Insert("one");
      AnswerBox(shots, "", "OK", [&] { shelf.Insert("two"); });
    });
  });
  window.mnu_Restore_Click();
  shots.Window(&window, "09_restore_done");

  // The About box, and help from it.
  WhenShown<AboutBox>([&](AboutBox* box) {
    shots.Window(box, "10_about");
    shots.Screen("10_about_screen");
    box->tavrix_button()->click();
  });
  window.mnu_about_Click();
  window.mnu_Contents_Click();
  if (HelpViewer* viewer = window.help_viewer(HelpOwner::kMainWindow)) {
    viewer->resize(560, 420);
    shots.Window(viewer, "11_help");
  }
  return 0;
}

}  // namespace
}  // namespace tavrix::ui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--grab")) {
    QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return screen.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR | --grab FILE\n", argv[0]);
    return 2;
  }
  QDir().mkpath(QString::fromLocal8Bit(argv[1]));
  return tavrix::ui::Tour(QString::fromLocal8Bit(argv[1]));
}
