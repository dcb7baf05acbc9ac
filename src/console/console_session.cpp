#include "console/console_session.h"

#include "console/console_interaction.h"
#include "console/console_menu.h"
#include "drives/drive_lists.h"
#include "restore/floppy_scan.h"
#include "split/command_line_start.h"
#include "split/error_report.h"
#include "split/help_about.h"
#include "split/split_command.h"

namespace tavrix {

namespace {

int SplitStatus(const MainForm& form) {
  return form.outcome.split_done ? 0 : 1;
}

int RestoreStatus(const MainForm& form) {
  bool good =
      form.outcome.restore_completed && form.outcome.restore_size_matched && !form.r.RestoreActive;
  return good ? 0 : 1;
}

void SplitCommand(MainForm& form) {
  form.outcome = Outcome{};
  RunCommand(form, [&] { mnu_OpenFile_Click(form); });
}

void RestoreCommand(MainForm& form) {
  form.outcome = Outcome{};
  RunCommand(form, [&] { mnu_Restore_Click(form); });
}

// The menu until Exit.  With `restore_asked`, the restore asked for on the
// command line is waiting: the run ends as soon as it ends.
int Menu(MainForm& form, ConsoleInteraction& ui, bool restore_asked) {
  for (;;) {
    switch (AskMenu(ui)) {
      case MenuItem::kSplit:
        SplitCommand(form);
        break;
      case MenuItem::kRestore:
        RestoreCommand(form);
        if (restore_asked && !form.r.RestoreActive) return RestoreStatus(form);
        break;
      case MenuItem::kContents:
        mnu_Contents_Click(form);
        break;
      case MenuItem::kAbout:
        mnu_about_Click(form);
        break;
      case MenuItem::kExit:
        // The restore asked for never completed, or one is left unfinished.
        return restore_asked || form.r.RestoreActive ? 1 : 0;
    }
  }
}

}  // namespace

int RunConsoleSession(const StartOptions& options, Platform& platform,
                      const ConsoleSetting& setting) {
  ConsoleInteraction ui(*setting.in, *setting.out, setting.terminal);
  MainForm form(platform, ui, setting.clock);
  ui.Watch(&form.w);
  form.program_dir = setting.program_dir;
  try {
    form.Drive1.drive = StartupDrive(form);
    Form_Load(form, options.args);
    if (!options.args.empty()) return SplitStatus(form);
    if (options.split) {
      SplitCommand(form);
      return SplitStatus(form);
    }
    if (options.restore) {
      RestoreCommand(form);
      if (!form.r.RestoreActive) return RestoreStatus(form);
    }
    return Menu(form, ui, options.restore);
  } catch (const ProgramExit& exit) {
    return exit.status;
  }
}

}  // namespace tavrix
