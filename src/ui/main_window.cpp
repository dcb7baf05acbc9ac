#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <exception>

#include "restore/floppy_scan.h"
#include "restore/main_form.h"
#include "split/error_report.h"
#include "split/help_about.h"
#include "split/split_command.h"
#include "ui/about_box.h"
#include "ui/help_viewer.h"
#include "ui/icons.h"
#include "ui/layout.h"

namespace tavrix::ui {

namespace {

// The layout's height counts the caption, the menu bar and the borders:
// at the resting height of 1950 twips exactly the status strip (1260 twips)
// shows below the menu.
constexpr int kNonClientTwips = kRestingHeightTwips - 1260;
constexpr int kClientWidthTwips = 6690;
constexpr int kPictureSize = 32;

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry, bool bordered) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (bordered) {
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
  }
  return label;
}

void SetLabelText(QLabel* label, const std::string& text) {
  QString value = QString::fromStdString(text);
  if (label->text() == value) return;
  label->setText(value);
  // The labels are narrow; a long path can still be read in full.
  label->setToolTip(value);
}

// Puts a new help viewer a little below and right of its owner, wholly on
// the owner's screen.  Left to itself it would be centred on the owner, and
// over the short main window its title bar would lie above the screen's top,
// out of reach.
void PlaceHelpViewer(QWidget* viewer, QWidget* owner) {
  // Room for a title bar above the viewer's top edge.
  constexpr int kTitleBar = 32;
  QScreen* screen = owner->screen();
  if (screen == nullptr) return;
  QRect room = screen->availableGeometry();
  QPoint at = owner->frameGeometry().topLeft() + QPoint(kTitleBar, 2 * kTitleBar);
  int right = std::max(room.left(), room.right() + 1 - viewer->width());
  int bottom = std::max(room.top() + kTitleBar, room.bottom() + 1 - viewer->height());
  at.setX(std::clamp(at.x(), room.left(), right));
  at.setY(std::clamp(at.y(), room.top() + kTitleBar, bottom));
  viewer->move(at);
}

}  // namespace

MainWindow::MainWindow(MainForm& form, QWidget* parent) : QMainWindow(parent), form_(form) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowIcon(ProgramIcon());
  setFont(DesignFont());

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnu_file"));
  mnu_OpenFile_ = file->addAction(QStringLiteral("&Split a file"));
  mnu_OpenFile_->setObjectName(QStringLiteral("mnu_OpenFile"));
  mnu_Restore_ = file->addAction(QStringLiteral("&Restore a file "));
  mnu_Restore_->setObjectName(QStringLiteral("mnu_Restore"));
  file->addSeparator()->setObjectName(QStringLiteral("mnu_sepbar1"));
  mnu_Exit_ = file->addAction(QStringLiteral("E&xit"));
  mnu_Exit_->setObjectName(QStringLiteral("mnu_Exit"));
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnu_help"));
  mnu_Contents_ = help->addAction(QStringLiteral("Contents"));
  mnu_Contents_->setObjectName(QStringLiteral("mnu_Contents"));
  help->addSeparator()->setObjectName(QStringLiteral("sepbaronhelp"));
  mnu_about_ = help->addAction(QStringLiteral("&About"));
  mnu_about_->setObjectName(QStringLiteral("mnu_about"));

  auto* client = new QWidget(this);
  setCentralWidget(client);

  label1_ = MakeLabel(client, "Label1", TwipRect(120, 120, 5295, 255), false);
  label2_ = MakeLabel(client, "Label2", TwipRect(120, 480, 5295, 255), false);
  label7_ = MakeLabel(client, "Label7", TwipRect(120, 840, 5415, 255), false);
  action_lbl_ = MakeLabel(client, "ActionLbl", TwipRect(5520, 0, 1095, 255), true);
  action_lbl_->setAlignment(Qt::AlignCenter);
  action_lbl_->setAutoFillBackground(true);
  action_lbl_->hide();

  quit_btn_ = new QPushButton(QStringLiteral("E&xit"), client);
  quit_btn_->setObjectName(QStringLiteral("Quit_btn"));
  quit_btn_->setGeometry(TwipRect(5520, 840, 1095, 375));

  line1_ = new QFrame(client);
  line1_->setObjectName(QStringLiteral("Line1"));
  line1_->setFrameShape(QFrame::HLine);
  line1_->setFrameShadow(QFrame::Sunken);
  line1_->setGeometry(Px(120), Px(1440) - 1, Px(6600 - 120), 2);

  frame1_ = new QGroupBox(QStringLiteral("Disk(ette) Info"), client);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(TwipRect(840, 1680, 4695, 1935));
  size_lbl_ = MakeLabel(frame1_, "SizeLbl", TwipRect(960, 360, 3375, 255), false);
  read_pic_ = MakeLabel(frame1_, "ReadFromDevicePic", TwipRect(120, 720, 495, 495), false);
  read_pic_->setAlignment(Qt::AlignCenter);
  read_display_lbl_ = MakeLabel(frame1_, "ReadDisplayLbl", TwipRect(960, 840, 3375, 255), true);
  write_pic_ = MakeLabel(frame1_, "WriteToDevicePic", TwipRect(120, 1320, 480, 480), false);
  write_pic_->setAlignment(Qt::AlignCenter);
  write_pic_->hide();
  write_display_lbl_ = MakeLabel(frame1_, "WriteDisplayLbl", TwipRect(960, 1440, 3375, 255), true);

  connect(mnu_OpenFile_, &QAction::triggered, this, &MainWindow::mnu_OpenFile_Click);
  connect(mnu_Restore_, &QAction::triggered, this, &MainWindow::mnu_Restore_Click);
  connect(mnu_Exit_, &QAction::triggered, this, &MainWindow::mnu_Exit_Click);
  connect(quit_btn_, &QPushButton::clicked, this, &MainWindow::Quit_btn_Click);
  connect(mnu_Contents_, &QAction::triggered, this, &MainWindow::mnu_Contents_Click);
  connect(mnu_about_, &QAction::triggered, this, &MainWindow::mnu_about_Click);

  move(Px(1575), Px(1710));
  Render();
}

MainWindow::~MainWindow() = default;

int MainWindow::WindowHeightFor(int height_twips) const {
  int client = std::max(0, Px(height_twips - kNonClientTwips));
  return menuBar()->sizeHint().height() + client;
}

QLabel* MainWindow::label(StatusText which) const {
  switch (which) {
    case StatusText::kLabel1:
      return label1_;
    case StatusText::kLabel2:
      return label2_;
    case StatusText::kLabel7:
      return label7_;
    case StatusText::kSizeLbl:
      return size_lbl_;
    case StatusText::kReadDisplayLbl:
      return read_display_lbl_;
    case StatusText::kWriteDisplayLbl:
      return write_display_lbl_;
    case StatusText::kActionLbl:
      return action_lbl_;
    default:
      return nullptr;
  }
}

HelpViewer* MainWindow::help_viewer(HelpOwner owner) const {
  return owner == HelpOwner::kAboutBox ? about_help_.data() : main_help_.data();
}

void MainWindow::Render() {
  const WindowState& w = form_.w;
  QString caption = QString::fromStdString(w.text(StatusText::kCaption));
  if (windowTitle() != caption) setWindowTitle(caption);
  for (StatusText which :
       {StatusText::kLabel1, StatusText::kLabel2, StatusText::kLabel7, StatusText::kSizeLbl,
        StatusText::kReadDisplayLbl, StatusText::kWriteDisplayLbl, StatusText::kActionLbl}) {
    SetLabelText(label(which), w.text(which));
  }

  bool reading = w.action_look == ActivityLook::kReading;
  if (!action_look_set_ || reading != action_reading_shown_) {
    // "Reading ..." dark blue on white; "Writing ..." the two swapped.
    QColor blue(0, 0, 192);
    QColor white(255, 255, 255);
    QPalette palette = action_lbl_->palette();
    palette.setColor(QPalette::WindowText, reading ? blue : white);
    palette.setColor(QPalette::Window, reading ? white : blue);
    action_lbl_->setPalette(palette);
    action_reading_shown_ = reading;
    action_look_set_ = true;
  }
  if (action_lbl_->isVisibleTo(this) != w.action_visible) action_lbl_->setVisible(w.action_visible);

  if (read_shown_ != w.read_from_device_pic) {
    read_pic_->setPixmap(PicturePixmap(w.read_from_device_pic, kPictureSize));
    read_shown_ = w.read_from_device_pic;
  }
  if (write_shown_ != w.write_to_device_pic || write_pic_->pixmap().isNull()) {
    write_pic_->setPixmap(PicturePixmap(w.write_to_device_pic, kPictureSize));
    write_shown_ = w.write_to_device_pic;
  }
  if (write_pic_->isVisibleTo(this) != w.write_to_device_pic_visible) {
    write_pic_->setVisible(w.write_to_device_pic_visible);
  }

  // While a command runs no second one may start; Exit, Help and About stay.
  mnu_OpenFile_->setEnabled(!w.command_running);
  mnu_Restore_->setEnabled(!w.command_running);

  QSize size(Px(kClientWidthTwips), WindowHeightFor(w.height_twips));
  if (this->size() != size || minimumSize() != size) setFixedSize(size);
}

template <typename Handler>
void MainWindow::RunHandler(Handler&& handler) {
  if (ended_) return;
  try {
    RunCommand(form_, [&] {
      Render();
      handler();
    });
  } catch (const ProgramExit& e) {
    EndProgram(e.status);
    return;
  } catch (const std::exception& e) {
    // A fault of the program itself: say so and stop rather than go on from
    // a state nobody knows.
    QMessageBox::critical(
        this, QStringLiteral("Tavrix"),
        QStringLiteral("Unexpected failure: %1").arg(QString::fromUtf8(e.what())));
    EndProgram(1);
    return;
  } catch (...) {
    QMessageBox::critical(this, QStringLiteral("Tavrix"), QStringLiteral("Unexpected failure."));
    EndProgram(1);
    return;
  }
  Render();
}

void MainWindow::mnu_OpenFile_Click() {
  if (form_.w.command_running) return;
  RunHandler([this] { tavrix::mnu_OpenFile_Click(form_); });
}

void MainWindow::mnu_Restore_Click() {
  if (form_.w.command_running) return;
  RunHandler([this] { tavrix::mnu_Restore_Click(form_); });
}

void MainWindow::mnu_Exit_Click() {
  RequestExit();
}

void MainWindow::Quit_btn_Click() {
  RequestExit();
}

void MainWindow::mnu_Contents_Click() {
  tavrix::mnu_Contents_Click(form_);
}

void MainWindow::mnu_about_Click() {
  tavrix::mnu_about_Click(form_);
}

void MainWindow::RequestExit() {
  // A running command is inside the engine: it ends at its next yield, and
  // its handler then ends the program.  Otherwise end at once.
  exit_requested_ = true;
  if (!form_.w.command_running) EndProgram(0);
}

void MainWindow::EndProgram(int status) {
  if (ended_) return;
  ended_ = true;
  exit_status_ = status;
  hide();
  QCoreApplication::exit(status);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!ended_) RequestExit();
  if (ended_) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::ShowAboutBox() {
  if (about_ == nullptr) {
    about_ = new AboutBox(this);
    connect(about_, &AboutBox::helpRequested, this, &MainWindow::ShowHelpFromAbout);
  }
  about_->exec();
}

void MainWindow::ShowHelpFromAbout() {
  ShowHelpContents(form_, HelpOwner::kAboutBox);
}

HelpViewer* MainWindow::ShowHelp(HelpOwner owner, const QString& path) {
  QPointer<HelpViewer>& viewer = owner == HelpOwner::kAboutBox ? about_help_ : main_help_;
  QWidget* parent = owner == HelpOwner::kAboutBox && about_ != nullptr
                        ? static_cast<QWidget*>(about_)
                        : static_cast<QWidget*>(this);
  if (viewer.isNull() || viewer->parentWidget() != parent) {
    delete viewer.data();
    viewer = new HelpViewer(parent);
    PlaceHelpViewer(viewer, parent);
  }
  viewer->ShowContents(path);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer.data();
}

}  // namespace tavrix::ui
