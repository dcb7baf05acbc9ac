// The handler shapes: the start-up and writer shape, the existence probe and
// the report of an error that reaches no handler.
#include "split/error_report.h"

#include <gtest/gtest.h>

#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

class ErrorReportTest : public ::testing::Test {
 protected:
  MainForm& form() { return *bench.form; }
  Bench bench;
};

TEST_F(ErrorReportTest, ShapeASkipsAStepWhoseFileIsNotFound) {
  int runs = 0;
  EXPECT_FALSE(ShapeA(form(), [&] {
    ++runs;
    Raise(kFileNotFound, "a:\\x");
  }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(bench.ui.transcript().empty());
}

TEST_F(ErrorReportTest, ShapeARetriesTheFailedStepAfterDriveNotReady) {
  int runs = 0;
  bench.ui.Msg(kAnswerRetry);
  EXPECT_TRUE(ShapeA(form(), [&] {
    if (++runs == 1) Raise(kDeviceUnavailable, "a:");
  }));
  EXPECT_EQ(runs, 2);
  ASSERT_EQ(bench.ui.messages().size(), 1u);
  EXPECT_EQ(bench.ui.messages()[0].text, "Drive is not ready");
  EXPECT_EQ(bench.ui.messages()[0].title, "Error");
  EXPECT_EQ(bench.ui.messages()[0].style, 21);
}

TEST_F(ErrorReportTest, ShapeACancelAtDriveNotReadyEndsTheProgram) {
  bench.ui.Msg(kAnswerCancel);
  EXPECT_THROW(ShapeA(form(), [&] { Raise(kDeviceUnavailable, "a:"); }), ProgramExit);
}

TEST_F(ErrorReportTest, ShapeAReportsOtherNumbersAndEndsTheProgram) {
  struct Case {
    int number;
    const char* text;
  } cases[] = {{kDiskFull, "Error  61"}, {kDiskNotReady, "Error  71"}, {kPermissionDenied, "Error  70"}};
  for (const auto& c : cases) {
    bench.ui.Msg(kAnswerOk);
    EXPECT_THROW(ShapeA(form(), [&] { Raise(c.number, "a:\\x"); }), ProgramExit);
    EXPECT_EQ(bench.ui.messages().back().text, c.text);
    EXPECT_EQ(bench.ui.messages().back().title, "Error");
    EXPECT_EQ(bench.ui.messages().back().style, 16);
  }
}

TEST_F(ErrorReportTest, FileExistsProbe) {
  EXPECT_FALSE(FileExists(form(), "c:\\nothing"));
  Bench::WriteFile(bench.c_dir + "/there", "x");
  EXPECT_TRUE(FileExists(form(), "c:\\there"));
  EXPECT_TRUE(bench.ui.transcript().empty());
}

TEST_F(ErrorReportTest, FileExistsOnADriveThatIsNotReadyReportsAndAnswersTrue) {
  bench.NewFloppy("one");  // never inserted: a: has no medium
  bench.ui.Msg(kAnswerOk);
  EXPECT_TRUE(FileExists(form(), "a:\\Tx~1.2"));
  ASSERT_EQ(bench.ui.messages().size(), 1u);
  EXPECT_EQ(bench.ui.messages()[0].text, "Error  68 :Device unavailable");
  EXPECT_EQ(bench.ui.messages()[0].title, "error");
  EXPECT_EQ(bench.ui.messages()[0].style, 16);
}

TEST_F(ErrorReportTest, UnhandledErrorShowsNumberAndTextThenEnds) {
  bench.ui.Msg(kAnswerOk);
  EXPECT_THROW(RunCommand(form(), [] { Raise(kPathNotFound, "c:\\x\\y"); }), ProgramExit);
  ASSERT_EQ(bench.ui.messages().size(), 1u);
  EXPECT_EQ(bench.ui.messages()[0].text, "Error  76 = Path not found");
  EXPECT_EQ(bench.ui.messages()[0].style, 16);
  EXPECT_FALSE(form().w.command_running);
}

TEST_F(ErrorReportTest, RunCommandMarksTheCommandRunning) {
  bool seen = false;
  RunCommand(form(), [&] { seen = form().w.command_running; });
  EXPECT_TRUE(seen);
  EXPECT_FALSE(form().w.command_running);
}

}  // namespace
}  // namespace tavrix
