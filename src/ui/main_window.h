// The main window: renders the Qt-free record of MainForm and runs the menu
// commands.  It holds no state of the program; what it shows comes from
// the record every time it renders.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "platform/interaction.h"
#include "restore/window_state.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tavrix {
class MainForm;
}

namespace tavrix::ui {

class AboutBox;
class HelpViewer;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(MainForm& form, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the record: caption, status texts, the activity label, the row
  // pictures, the height, and which commands are available.
  void Render();

  // The user asked to end the program (Exit, or the window's close button).
  bool exit_requested() const { return exit_requested_; }
  // The program has ended: the window is gone and the event loop told to
  // stop with exit_status().
  bool ended() const { return ended_; }
  int exit_status() const { return exit_status_; }
  // Ends the program with `status`.
  void EndProgram(int status);

  // The About box, modally; created the first time.
  void ShowAboutBox();
  // The help file at its contents, in a viewer owned by `owner`.
  HelpViewer* ShowHelp(HelpOwner owner, const QString& path);

  // Window height in pixels for a record height in twips.
  int WindowHeightFor(int height_twips) const;

  // Parts the tests look at.
  QAction* split_action() const { return mnu_OpenFile_; }
  QAction* restore_action() const { return mnu_Restore_; }
  QAction* exit_action() const { return mnu_Exit_; }
  QAction* contents_action() const { return mnu_Contents_; }
  QAction* about_action() const { return mnu_about_; }
  QPushButton* quit_button() const { return quit_btn_; }
  QLabel* action_label() const { return action_lbl_; }
  QGroupBox* frame() const { return frame1_; }
  // The label showing status text `which`; nullptr for the texts that no
  // visible control shows (Label3 to Label6, the caption).
  QLabel* label(StatusText which) const;
  QLabel* read_picture() const { return read_pic_; }
  QLabel* write_picture() const { return write_pic_; }
  AboutBox* about_box() const { return about_; }
  HelpViewer* help_viewer(HelpOwner owner) const;
  // The picture each row shows now.
  Picture read_picture_shown() const { return read_shown_; }
  Picture write_picture_shown() const { return write_shown_; }

 public slots:
  void mnu_OpenFile_Click();
  void mnu_Restore_Click();
  void mnu_Exit_Click();
  void Quit_btn_Click();
  void mnu_Contents_Click();
  void mnu_about_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs a menu command's handler and keeps every exception on this side of
  // the event loop: ProgramExit ends the program with its status.
  template <typename Handler>
  void RunHandler(Handler&& handler);
  void RequestExit();
  void ShowHelpFromAbout();

  MainForm& form_;

  QAction* mnu_OpenFile_;
  QAction* mnu_Restore_;
  QAction* mnu_Exit_;
  QAction* mnu_Contents_;
  QAction* mnu_about_;

  QLabel* label1_;
  QLabel* label2_;
  QLabel* label7_;
  QLabel* action_lbl_;
  QPushButton* quit_btn_;
  QFrame* line1_;
  QGroupBox* frame1_;
  QLabel* size_lbl_;
  QLabel* read_pic_;
  QLabel* read_display_lbl_;
  QLabel* write_pic_;
  QLabel* write_display_lbl_;

  AboutBox* about_ = nullptr;
  QPointer<HelpViewer> main_help_;
  QPointer<HelpViewer> about_help_;

  // What the widgets show now, so that a render changes only what changed.
  Picture read_shown_ = Picture::kNone;
  Picture write_shown_ = Picture::kNone;
  bool action_reading_shown_ = false;
  bool action_look_set_ = false;

  bool exit_requested_ = false;
  bool ended_ = false;
  int exit_status_ = 0;
};

}  // namespace tavrix::ui
