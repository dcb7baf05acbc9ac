// The real dialogs: message boxes by style, the input box, the file-open
// dialog, the two picker windows, the About box and the help viewer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>

#include "autopilot.h"
#include "drives/drive_picker.h"
#include "restore/main_form.h"
#include "split/help_about.h"
#include "ui/about_box.h"
#include "ui/help_viewer.h"
#include "ui/picker_window.h"
#include "ui/qt_interaction.h"
#include "window_bench.h"

namespace tavrix::ui {
namespace {

using tavrix::testing::Bench;
using testing::WhenShown;
using testing::WindowBench;

// Fails the test, and closes whatever modal window is up so the test ends.
void NotShown(const char* what) {
  ADD_FAILURE() << what << " did not show";
  if (QWidget* w = QApplication::activeModalWidget()) w->close();
}

// Clicks the first drive of a picker's list, as the user would.
void ClickFirstDrive(PickerWindow* w) {
  QListWidget* list = w->list();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
}

// The buttons from left to right.
std::vector<QAbstractButton*> ButtonsShown(QMessageBox* box) {
  auto list = box->buttons();
  std::vector<QAbstractButton*> out(list.begin(), list.end());
  std::sort(out.begin(), out.end(), [](QAbstractButton* a, QAbstractButton* b) {
    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
  });
  return out;
}

std::vector<std::string> ButtonTexts(QMessageBox* box) {
  std::vector<std::string> out;
  for (QAbstractButton* b : ButtonsShown(box)) out.push_back(b->text().remove('&').toStdString());
  return out;
}

// The next widget the Tab key reaches from `w`.
QWidget* NextTabStop(QWidget* w) {
  QWidget* next = w->nextInFocusChain();
  while (next != w && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() : wb(WindowBench::Dialogs::kReal) {}
  MainForm& form() { return wb.form(); }
  Interaction& ui() { return wb.form().ui; }
  WindowBench wb;
};

TEST_F(DialogsTest, MessageBoxesShowTheIconAndButtonsOfTheirStyle) {
  struct Case {
    int style;
    QMessageBox::Icon icon;
    std::vector<std::string> buttons;  // in the order they show
    std::vector<int> answers;          // of each button
    int escape;                        // the answer of a box closed without a button
  };
  const Case cases[] = {
      {0, QMessageBox::NoIcon, {"OK"}, {1}, 1},
      {16, QMessageBox::Critical, {"OK"}, {1}, 1},
      {17, QMessageBox::Critical, {"OK", "Cancel"}, {1, 2}, 2},
      {21, QMessageBox::Critical, {"Retry", "Cancel"}, {4, 2}, 2},
      {32, QMessageBox::Question, {"OK"}, {1}, 1},
      {33, QMessageBox::Question, {"OK", "Cancel"}, {1, 2}, 2},
      {35, QMessageBox::Question, {"Yes", "No", "Cancel"}, {6, 7, 2}, 2},
      {36, QMessageBox::Question, {"Yes", "No"}, {6, 7}, 7},
      {49, QMessageBox::Warning, {"OK", "Cancel"}, {1, 2}, 2},
      {64, QMessageBox::Information, {"OK"}, {1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style));
    // One run per button, then one closed with Escape.
    for (size_t pick = 0; pick <= c.buttons.size(); ++pick) {
      std::vector<std::string> seen;
      WhenShown<QMessageBox>(
          [&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle().toStdString(), "Tavrix | More please ...");
            EXPECT_EQ(box->text().toStdString(), "Insert floppy # 2\nsecond line");
            EXPECT_EQ(box->icon(), c.icon);
            // The title shows whole.
            EXPECT_GE(box->width(), TitleRoom(*box, box->windowTitle()));
            seen = ButtonTexts(box);
            EXPECT_EQ(box->defaultButton(), ButtonsShown(box).front());
            if (pick < c.buttons.size()) {
              ButtonsShown(box)[pick]->click();
            } else {
              QTest::keyClick(box, Qt::Key_Escape);
            }
          },
          [] { NotShown("message box"); });
      int answer =
          ui().MsgBox("Insert floppy # 2\r\nsecond line", "Tavrix | More please ...", c.style);
      EXPECT_EQ(seen, c.buttons);
      EXPECT_EQ(answer, pick < c.answers.size() ? c.answers[pick] : c.escape);
    }
  }
}

TEST_F(DialogsTest, InputBoxOffersItsDefaultText) {
  struct Case {
    std::string typed;  // "-" keeps the default
    bool accept;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"-", true, "02-13-2026"},
      {"My backup", true, "My backup"},
      {"", true, ""},
      {"-", false, std::nullopt},
  };
  for (const Case& c : cases) {
    WhenShown<QInputDialog>(
        [&](QInputDialog* d) {
          EXPECT_EQ(d->windowTitle().toStdString(), "Tavrix Split File Description");
          EXPECT_EQ(d->labelText().toStdString(), "Please enter a description for this disk set");
          EXPECT_EQ(d->textValue().toStdString(), "02-13-2026");
          EXPECT_GE(d->width(), TitleRoom(*d, d->windowTitle()));
          if (c.typed != "-") d->setTextValue(QString::fromStdString(c.typed));
          if (c.accept) {
            d->accept();
          } else {
            d->reject();
          }
        },
        [] { NotShown("input box"); });
    auto answer = ui().InputBox("Please enter a description for this disk set",
                                "Tavrix Split File Description", "02-13-2026");
    EXPECT_EQ(answer, c.expected);
  }
}

TEST_F(DialogsTest, FileDialogGivesTheFullPathOrNothing) {
  std::string path = wb.bench.c_dir + "/big file.bin";
  Bench::WriteFile(path, "x");
  WhenShown<QFileDialog>(
      [&](QFileDialog* d) {
        EXPECT_TRUE(d->nameFilters().isEmpty() || d->nameFilters().front().contains("*"));
        d->setDirectory(QString::fromStdString(wb.bench.c_dir));
        d->selectFile(QStringLiteral("big file.bin"));
        static_cast<QDialog*>(d)->accept();
      },
      [] { NotShown("file dialog"); });
  EXPECT_EQ(ui().OpenFileDialog(), path);
  WhenShown<QFileDialog>([](QFileDialog* d) { d->reject(); }, [] { NotShown("file dialog"); });
  EXPECT_EQ(ui().OpenFileDialog(), "");
}

// The floppy picker in both modes: caption, prompt, drives offered, focus
// order and icon, and what Ok, Cancel and the close button leave.
TEST_F(DialogsTest, FloppyPickerWindow) {
  wb.bench.NewFloppy("blank");
  wb.bench.Insert("blank");
  struct Case {
    int mode;
    std::string caption;
    std::string prompt;
  };
  const Case cases[] = {
      {1, "Tavrix File Split", "Select a drive to split a file to:"},
      {2, "Tavrix Restore", "Select a drive to restore from the following:"},
  };
  for (const Case& c : cases) {
    form().r.DialogMode = c.mode;
    bool shown = false;
    WhenShown<PickerWindow>(
        [&](PickerWindow* w) {
          shown = true;
          EXPECT_EQ(w->objectName().toStdString(), "RestoreFrm");
          EXPECT_EQ(w->windowTitle().toStdString(), c.caption);
          EXPECT_EQ(w->prompt_label()->text().toStdString(), c.prompt);
          EXPECT_EQ(w->prompt_label()->height(), 17);
          EXPECT_EQ(w->size(), QSize(344, 77));
          EXPECT_FALSE(w->windowIcon().isNull());
          ASSERT_EQ(w->list()->count(), 1);
          EXPECT_EQ(w->list()->item(0)->text().toStdString(), "a:");
          EXPECT_TRUE(w->list()->selectedItems().isEmpty());
          EXPECT_EQ(w->ok_button()->text().toStdString(), "&Ok");
          EXPECT_EQ(w->cancel_button()->text().toStdString(), "&Cancel");
          EXPECT_EQ(NextTabStop(w->list()), w->ok_button());
          EXPECT_EQ(NextTabStop(w->ok_button()), w->cancel_button());
          EXPECT_TRUE(w->isModal());
          w->cancel_button()->click();
        },
        [] { NotShown("floppy picker"); });
    ShowRestoreFrm(form());
    EXPECT_TRUE(shown);
    EXPECT_EQ(form().r.FloppyDrive, "");
  }
}

TEST_F(DialogsTest, FloppyPickerOkRunsTheEstimate) {
  wb.bench.NewFloppy("blank");
  wb.bench.Insert("blank");
  form().r.DialogMode = 1;
  form().r.SourceSize = 3000000;
  WhenShown<PickerWindow>(
      [&](PickerWindow* w) {
        ClickFirstDrive(w);
        EXPECT_EQ(form().r.FloppyDrive, "a:");
        w->ok_button()->click();
      },
      [] { NotShown("floppy picker"); });
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl),
            "1.44MB Floppy = you will need 2.06 floppies.");
}

// Closing with the window's close button runs neither Ok nor Cancel: the
// answer of the last click stays, without the estimate.
TEST_F(DialogsTest, ClosingAPickerKeepsTheLastClick) {
  wb.bench.NewFloppy("blank");
  wb.bench.Insert("blank");
  form().r.DialogMode = 1;
  form().r.SourceSize = 3000000;
  WhenShown<PickerWindow>(
      [&](PickerWindow* w) {
        ClickFirstDrive(w);
        w->close();
      },
      [] { NotShown("floppy picker"); });
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
  EXPECT_EQ(form().Text(StatusText::kReadDisplayLbl), "");

  // Escape is the Cancel button.
  WhenShown<PickerWindow>(
      [&](PickerWindow* w) {
        w->list()->setCurrentRow(0);
        QTest::keyClick(w, Qt::Key_Escape);
      },
      [] { NotShown("floppy picker"); });
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "");
}

// After a refusal the user fixes the floppy and clicks the same drive
// again: the click runs the check again, once.
TEST_F(DialogsTest, ClickingTheSameDriveAgainChecksItAgain) {
  wb.bench.NewFloppy("blank");
  wb.bench.Insert("blank");
  form().r.DialogMode = 2;
  int refusals = 0;
  WhenShown<PickerWindow>(
      [&](PickerWindow* w) {
        WhenShown<QMessageBox>(
            [&](QMessageBox* box) {
              ++refusals;
              EXPECT_EQ(box->text().toStdString(),
                        "There are no files on that diskette.\nReplace the floppy and try again.");
              EXPECT_EQ(box->parentWidget(), w);
              box->buttons().front()->click();
            },
            [] { NotShown("refusal"); });
        ClickFirstDrive(w);
        EXPECT_EQ(refusals, 1);
        EXPECT_EQ(form().r.FloppyDrive, "");
        Bench::WriteFile(wb.bench.a_dir + "/Tx~1.0", "piece");
        ClickFirstDrive(w);
        EXPECT_EQ(refusals, 1);
        EXPECT_EQ(form().r.FloppyDrive, "a:");
        w->ok_button()->click();
      },
      [] { NotShown("floppy picker"); });
  ShowRestoreFrm(form());
  EXPECT_EQ(form().r.FloppyDrive, "a:");
}

TEST_F(DialogsTest, TargetPickerWindow) {
  form().r.DialogMode = 2;
  form().r.SourceSize = 1000;
  WhenShown<PickerWindow>(
      [&](PickerWindow* w) {
        EXPECT_EQ(w->objectName().toStdString(), "TargetFrm");
        EXPECT_EQ(w->windowTitle().toStdString(), "Tavrix Restore");
        EXPECT_EQ(w->prompt_label()->text().toStdString(),
                  "Select a drive to restore TO from the following:");
        EXPECT_EQ(w->prompt_label()->height(), 33);
        EXPECT_FALSE(w->windowIcon().isNull());
        ASSERT_EQ(w->list()->count(), 1);
        EXPECT_EQ(w->list()->item(0)->text().toStdString(), "c:");
        w->list()->setCurrentRow(0);
        w->ok_button()->click();
      },
      [] { NotShown("target picker"); });
  EXPECT_EQ(ChooseRestoreTarget(form()), "c:");
  EXPECT_EQ(form().Text(StatusText::kWriteDisplayLbl).rfind("Space on C: is ", 0), 0u);
}

TEST_F(DialogsTest, AboutBox) {
  AboutBox* first = nullptr;
  bool help_shown = false;
  WhenShown<AboutBox>(
      [&](AboutBox* box) {
        first = box;
        EXPECT_EQ(box->windowTitle().toStdString(), "About Tavrix");
        EXPECT_EQ(box->version_label()->text().toStdString(), "Tavrix - Version 1.0");
        EXPECT_EQ(box->tavrix_button()->text().toStdString(), "&Tavrix");
        EXPECT_EQ(box->help_button()->text().toStdString(), "&Help");
        EXPECT_EQ(box->size(), QSize(376, 270));
        EXPECT_FALSE(box->windowIcon().isNull());
        // Help from the About box: the viewer belongs to the box, and the
        // box stays open.
        box->help_button()->click();
        HelpViewer* viewer = wb.window().help_viewer(HelpOwner::kAboutBox);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->parentWidget(), box);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_TRUE(box->isVisible());
        help_shown = true;
        box->tavrix_button()->click();
      },
      [] { NotShown("About box"); });
  wb.window().mnu_about_Click();
  EXPECT_TRUE(help_shown);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->isVisible());

  // "&Tavrix" only hid it: the same box shows again.
  AboutBox* second = nullptr;
  WhenShown<AboutBox>(
      [&](AboutBox* box) {
        second = box;
        box->tavrix_button()->click();
      },
      [] { NotShown("About box"); });
  wb.window().mnu_about_Click();
  EXPECT_EQ(second, first);
}

TEST_F(DialogsTest, HelpContentsOpensTheFileNextToTheProgram) {
  wb.window().mnu_Contents_Click();
  HelpViewer* viewer = wb.window().help_viewer(HelpOwner::kMainWindow);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->parentWidget(), &wb.window());
  EXPECT_EQ(viewer->path().toStdString(), std::string(TAVRIX_PROGRAM_DIR) + "/TAVRIX.HLP");
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle().toStdString(), "Tavrix Help");
  QString text = viewer->browser()->toPlainText();
  for (const char* topic : {"Splitting a file", "Restoring a file", "The files of a floppy set",
                            "--drive L=DIR", "Starting Tavrix from the command line"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
  }
  EXPECT_EQ(viewer->browser()->source().fragment().toStdString(), "contents");
  // Wholly on the screen, with room above it for its title bar.
  QRect room = viewer->screen()->availableGeometry();
  EXPECT_TRUE(room.contains(viewer->frameGeometry()));
  EXPECT_GE(viewer->frameGeometry().top(), room.top() + 20);
}

TEST_F(DialogsTest, AMissingHelpFileIsReportedByTheViewer) {
  form().program_dir = wb.bench.root + "/nowhere";
  wb.window().mnu_Contents_Click();
  HelpViewer* viewer = wb.window().help_viewer(HelpOwner::kMainWindow);
  ASSERT_NE(viewer, nullptr);
  QString text = viewer->browser()->toPlainText();
  EXPECT_TRUE(text.contains(QStringLiteral("could not be opened"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromStdString(wb.bench.root + "/nowhere/TAVRIX.HLP")));
  EXPECT_FALSE(wb.window().ended());
}

}  // namespace
}  // namespace tavrix::ui
