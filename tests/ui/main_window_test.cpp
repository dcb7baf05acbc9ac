// The main window: its layout and menus, how it renders the record, the
// commands during a run, Exit, and whole runs through its menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "restore/main_form.h"
#include "restore_fixture.h"
#include "split/progress.h"
#include "window_bench.h"

namespace tavrix::ui {
namespace {

using tavrix::testing::Bench;
using tavrix::testing::MessageTexts;
using tavrix::testing::WriteSet;
using testing::WindowBench;

std::vector<std::string> ItemTexts(QMenu* menu) {
  std::vector<std::string> out;
  for (QAction* a : menu->actions())
    out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}

TEST(MainWindow, MenusCarryTheirExactCaptions) {
  WindowBench wb;
  QMenuBar* bar = wb.window().menuBar();
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text().toStdString(), "&File");
  EXPECT_EQ(bar->actions()[1]->text().toStdString(), "&Help");
  EXPECT_EQ(ItemTexts(bar->actions()[0]->menu()),
            (std::vector<std::string>{"&Split a file", "&Restore a file ", "-", "E&xit"}));
  EXPECT_EQ(ItemTexts(bar->actions()[1]->menu()),
            (std::vector<std::string>{"Contents", "-", "&About"}));
  EXPECT_EQ(wb.window().quit_button()->text().toStdString(), "E&xit");
  EXPECT_EQ(wb.window().frame()->title().toStdString(), "Disk(ette) Info");
  EXPECT_EQ(wb.window().windowTitle().toStdString(), "Tavrix");
  EXPECT_FALSE(wb.window().windowIcon().isNull());
}

TEST(MainWindow, LayoutFollowsTheTwipTables) {
  WindowBench wb;
  MainWindow& w = wb.window();
  // 15 twips make one pixel.
  EXPECT_EQ(w.label(StatusText::kLabel1)->geometry(), QRect(8, 8, 353, 17));
  EXPECT_EQ(w.label(StatusText::kLabel2)->geometry(), QRect(8, 32, 353, 17));
  EXPECT_EQ(w.label(StatusText::kLabel7)->geometry(), QRect(8, 56, 361, 17));
  EXPECT_EQ(w.action_label()->geometry(), QRect(368, 0, 73, 17));
  EXPECT_EQ(w.quit_button()->geometry(), QRect(368, 56, 73, 25));
  EXPECT_EQ(w.frame()->geometry(), QRect(56, 112, 313, 129));
  EXPECT_EQ(w.label(StatusText::kSizeLbl)->geometry(), QRect(64, 24, 225, 17));
  EXPECT_EQ(w.label(StatusText::kReadDisplayLbl)->geometry(), QRect(64, 56, 225, 17));
  EXPECT_EQ(w.label(StatusText::kWriteDisplayLbl)->geometry(), QRect(64, 96, 225, 17));
  EXPECT_EQ(w.read_picture()->geometry(), QRect(8, 48, 33, 33));
  EXPECT_EQ(w.write_picture()->geometry(), QRect(8, 88, 32, 32));
  EXPECT_EQ(w.width(), 446);
  // At rest only the status strip shows below the menu.
  EXPECT_EQ(w.centralWidget()->height(), 84);
  EXPECT_FALSE(w.action_label()->isVisible());
  EXPECT_FALSE(w.write_picture()->isVisible());
  EXPECT_EQ(w.label(StatusText::kLabel3), nullptr);
}

TEST(MainWindow, RendersTheRecordsTexts) {
  WindowBench wb;
  wb.form().SetText(StatusText::kLabel1, "C:\\DATA\\BIG.BIN");
  wb.form().SetText(StatusText::kLabel2, "File is 3,000,000 bytes.");
  wb.form().SetText(StatusText::kLabel7, "Original file name is x");
  wb.form().SetText(StatusText::kReadDisplayLbl, "1.44MB Floppy = you will need 2.06 floppies.");
  wb.form().SetCaption("Tavrix <> 02-13-2026");
  for (StatusText t : {StatusText::kLabel1, StatusText::kLabel2, StatusText::kLabel7,
                       StatusText::kReadDisplayLbl}) {
    EXPECT_EQ(wb.window().label(t)->text().toStdString(), wb.form().Text(t));
  }
  EXPECT_EQ(wb.window().windowTitle().toStdString(), "Tavrix <> 02-13-2026");
}

TEST(MainWindow, ActivityLabelHasTwoLooks) {
  WindowBench wb;
  QLabel* a = wb.window().action_label();
  const QColor blue(0, 0, 192);
  const QColor white(255, 255, 255);

  SetActivity(wb.form(), 1);
  EXPECT_TRUE(a->isVisible());
  EXPECT_EQ(a->text().toStdString(), "Reading ...");
  EXPECT_EQ(a->palette().color(QPalette::WindowText), blue);
  EXPECT_EQ(a->palette().color(QPalette::Window), white);
  EXPECT_EQ(a->alignment(), Qt::AlignCenter);

  SetActivity(wb.form(), 2);
  EXPECT_EQ(a->text().toStdString(), "Writing ...");
  EXPECT_EQ(a->palette().color(QPalette::WindowText), white);
  EXPECT_EQ(a->palette().color(QPalette::Window), blue);

  SetActivity(wb.form(), 0);
  EXPECT_FALSE(a->isVisible());
  EXPECT_EQ(a->text().toStdString(), "Writing ...");
}

TEST(MainWindow, SlidesTallerAndBackAtEachYield) {
  WindowBench wb;
  std::vector<int> heights;
  wb.script().on_yield = [&] { heights.push_back(wb.window().height()); };
  const int rest = wb.window().WindowHeightFor(kRestingHeightTwips);
  const int tall = wb.window().WindowHeightFor(kRestingHeightTwips + kRunExtraTwips);
  EXPECT_EQ(wb.window().height(), rest);
  EXPECT_EQ(tall - rest, 165);

  ResizeWindow(wb.form(), -1);
  ASSERT_EQ(heights.size(), 165u);
  for (size_t i = 1; i < heights.size(); ++i) EXPECT_EQ(heights[i], heights[i - 1] + 1);
  EXPECT_EQ(wb.window().height(), tall);
  EXPECT_EQ(wb.window().centralWidget()->height(), 249);

  heights.clear();
  ResizeWindow(wb.form(), 0);
  EXPECT_EQ(heights.size(), 165u);
  EXPECT_EQ(wb.window().height(), rest);
}

TEST(MainWindow, RowPicturesFollowTheRecord) {
  WindowBench wb;
  EXPECT_EQ(wb.window().read_picture_shown(), Picture::kNone);
  EXPECT_TRUE(wb.window().read_picture()->pixmap().isNull());
  wb.form().w.read_from_device_pic = Picture::kThreeFloppies;
  wb.form().w.write_to_device_pic = Picture::kCdRom;
  wb.form().w.write_to_device_pic_visible = true;
  wb.window().Render();
  EXPECT_EQ(wb.window().read_picture_shown(), Picture::kThreeFloppies);
  EXPECT_EQ(wb.window().read_picture()->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(wb.window().write_picture_shown(), Picture::kCdRom);
  EXPECT_TRUE(wb.window().write_picture()->isVisible());
  EXPECT_FALSE(wb.window().write_picture()->pixmap().isNull());
}

// The split and restore commands are unavailable from the menu click until
// the handler returns; Exit, Help and About stay.
TEST(MainWindow, CommandsAreDisabledWhileAHandlerRuns) {
  WindowBench wb;
  wb.bench.NewFloppy("empty");
  wb.bench.Insert("empty");
  bool checked = false;
  auto check_running = [&] {
    EXPECT_FALSE(wb.window().split_action()->isEnabled());
    EXPECT_FALSE(wb.window().restore_action()->isEnabled());
    EXPECT_TRUE(wb.window().exit_action()->isEnabled());
    EXPECT_TRUE(wb.window().quit_button()->isEnabled());
    EXPECT_TRUE(wb.window().contents_action()->isEnabled());
    EXPECT_TRUE(wb.window().about_action()->isEnabled());
    checked = true;
  };
  wb.script().Click("a:").Msg(kAnswerOk, check_running).Ok().Msg(kAnswerOk);
  wb.window().mnu_Restore_Click();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(wb.script().done());
  EXPECT_TRUE(wb.window().split_action()->isEnabled());
  EXPECT_TRUE(wb.window().restore_action()->isEnabled());
  EXPECT_FALSE(wb.window().ended());
}

TEST(MainWindow, ARefusedFloppyLeavesBothCommandsAvailable) {
  WindowBench wb;
  wb.bench.NewFloppy("stray");
  Bench::WriteFile(wb.bench.FloppyDir("stray") + "/notes.txt", "x");
  wb.bench.Insert("stray");
  wb.script().Click("a:").Ok().Msg(kAnswerOk);
  wb.window().mnu_Restore_Click();
  ASSERT_TRUE(wb.script().done());
  EXPECT_EQ(MessageTexts(wb.script()).back(),
            "No valid Tavrix restore data file was found.\r\nReplace floppy and select Restore "
            "from menu.");
  EXPECT_TRUE(wb.form().r.RestoreActive);
  EXPECT_TRUE(wb.window().split_action()->isEnabled());
  EXPECT_TRUE(wb.window().restore_action()->isEnabled());
}

TEST(MainWindow, ARestoreRunsThroughTheMenu) {
  WindowBench wb;
  std::string data = Bench::VariedBytes(30011, 4);
  auto floppies = WriteSet(wb.bench, data, 3);
  tavrix::testing::ScriptRestore(wb.bench, {floppies[1], floppies[2], floppies[0]});
  int tallest = 0;
  wb.script().on_yield = [&] { tallest = std::max(tallest, wb.window().height()); };

  wb.window().mnu_Restore_Click();

  ASSERT_TRUE(wb.script().done());
  EXPECT_FALSE(wb.window().ended());
  EXPECT_TRUE(Bench::ReadFile(wb.bench.c_dir + "/BIG.BIN") == data);
  EXPECT_EQ(tallest, wb.window().WindowHeightFor(kRestingHeightTwips + kRunExtraTwips));
  EXPECT_EQ(wb.window().height(), wb.window().WindowHeightFor(kRestingHeightTwips));
  EXPECT_EQ(wb.window().label(StatusText::kLabel1)->text().toStdString(), "Restore is completed");
  EXPECT_TRUE(wb.window().restore_action()->isEnabled());
}

// "Split a file" from the menu: the window grows, shows the estimate and
// the "Space on" row while the floppies are written, and comes back.
TEST(MainWindow, ASplitRunsThroughTheMenu) {
  WindowBench wb;
  std::string source = wb.bench.c_dir + "/big.bin";
  std::string data = Bench::VariedBytes(3000000, 6);
  Bench::WriteFile(source, data);
  for (const char* f : {"one", "two", "three"}) wb.bench.NewFloppy(f);
  wb.bench.Insert("one");
  int tallest = 0;
  std::string estimate_shown;
  std::string space_shown;
  bool picture_shown = false;
  wb.script().on_yield = [&] { tallest = std::max(tallest, wb.window().height()); };
  auto at_prompt = [&](const char* next) {
    return [&, next] {
      estimate_shown = wb.window().label(StatusText::kReadDisplayLbl)->text().toStdString();
      space_shown = wb.window().label(StatusText::kWriteDisplayLbl)->text().toStdString();
      picture_shown = wb.window().write_picture()->isVisible() &&
                      wb.window().read_picture_shown() == Picture::kThreeFloppies;
      EXPECT_FALSE(wb.window().split_action()->isEnabled());
      wb.bench.Insert(next);
    };
  };
  wb.script().File(source).Click("a:").Ok();
  wb.script().Msg(kAnswerOk, at_prompt("two")).Msg(kAnswerOk, at_prompt("three"));
  wb.script().Input("big.bin, February");

  wb.window().split_action()->trigger();

  ASSERT_TRUE(wb.script().done());
  EXPECT_FALSE(wb.window().ended());
  EXPECT_EQ(estimate_shown, "1.44MB Floppy = you will need 2.06 floppies.");
  EXPECT_EQ(space_shown.rfind("Space on c:\\ is ", 0), 0u) << space_shown;
  EXPECT_TRUE(picture_shown);
  EXPECT_EQ(wb.window().label(StatusText::kSizeLbl)->text().toStdString(),
            "File is 3,000,000 bytes.");
  EXPECT_EQ(tallest, wb.window().WindowHeightFor(kRestingHeightTwips + kRunExtraTwips));
  EXPECT_EQ(wb.window().height(), wb.window().WindowHeightFor(kRestingHeightTwips));
  EXPECT_EQ(wb.window().label(StatusText::kLabel1)->text().toStdString(), "Done");
  EXPECT_TRUE(Bench::ReadFile(wb.bench.FloppyDir("one") + "/Tx~1.2") +
                  Bench::ReadFile(wb.bench.FloppyDir("two") + "/Tx~2.3") +
                  Bench::ReadFile(wb.bench.FloppyDir("three") + "/Tx~3.0") ==
              data);
  EXPECT_TRUE(wb.window().split_action()->isEnabled());
}

// A split that fails outside every handler is reported with its number and
// text, and the program ends.
TEST(MainWindow, AnUnhandledErrorIsReportedAndEndsTheProgram) {
  WindowBench wb;
  wb.script().File(wb.bench.c_dir + "/gone.bin").Msg(kAnswerOk);
  wb.window().mnu_OpenFile_Click();
  auto texts = MessageTexts(wb.script());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "Error  53 = File not found");
  EXPECT_TRUE(wb.window().ended());
  EXPECT_EQ(wb.window().exit_status(), 1);
}

TEST(MainWindow, ExitWhileIdleEndsAtOnce) {
  WindowBench wb;
  wb.window().quit_button()->click();
  EXPECT_TRUE(wb.window().ended());
  EXPECT_EQ(wb.window().exit_status(), 0);
  EXPECT_FALSE(wb.window().isVisible());
}

// Exit in the middle of a copy: noticed at the next yield, the run stops
// there, files stay as they stand, and the program ends.
TEST(MainWindow, ExitDuringARunStopsItAtTheNextYield) {
  for (bool by_menu : {false, true}) {
    WindowBench wb;
    std::string data = Bench::VariedBytes(3 * 1024 * 1024 + 5, 7);
    auto floppies = WriteSet(wb.bench, data, 2);
    tavrix::testing::ScriptRestore(wb.bench, floppies);
    int yields_after_exit = -1;
    wb.script().on_yield = [&] {
      if (yields_after_exit >= 0) {
        ++yields_after_exit;
        return;
      }
      if (wb.form().w.action_visible && wb.form().Text(StatusText::kActionLbl) == "Writing ...") {
        if (by_menu) {
          wb.window().exit_action()->trigger();
        } else {
          wb.window().quit_button()->click();
        }
        yields_after_exit = 0;
        EXPECT_FALSE(wb.window().ended());
      }
    };

    wb.window().mnu_Restore_Click();

    EXPECT_TRUE(wb.window().ended());
    EXPECT_EQ(wb.window().exit_status(), 0);
    // The yield that delivered the click is the one that stops the run.
    EXPECT_EQ(yields_after_exit, 0);
    // No next-disk prompt: the run ended inside the first copy.
    EXPECT_TRUE(MessageTexts(wb.script()).empty());
    EXPECT_FALSE(wb.script().done());
    EXPECT_FALSE(wb.form().w.command_running);
  }
}

TEST(MainWindow, CloseButtonDuringARunActsAsExit) {
  WindowBench wb;
  std::string data = Bench::VariedBytes(3 * 1024 * 1024, 8);
  auto floppies = WriteSet(wb.bench, data, 2);
  tavrix::testing::ScriptRestore(wb.bench, floppies);
  bool refused = false;
  wb.script().on_yield = [&] {
    if (!refused && wb.form().Text(StatusText::kActionLbl) == "Writing ...") {
      // The window stays until the run has stopped.
      refused = !wb.window().close();
    }
  };
  wb.window().mnu_Restore_Click();
  EXPECT_TRUE(refused);
  EXPECT_TRUE(wb.window().ended());
  EXPECT_EQ(wb.window().exit_status(), 0);
}

}  // namespace
}  // namespace tavrix::ui
