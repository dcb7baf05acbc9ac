#include "split/help_about.h"

#include "restore/main_form.h"

namespace tavrix {

std::string HelpFilePath(const std::string& program_dir) {
  const std::string name = "TAVRIX.HLP";
  if (!program_dir.empty() && program_dir.back() == '/') return program_dir + name;
  return program_dir + "/" + name;
}

void ShowHelpContents(MainForm& form, HelpOwner owner) {
  form.ui.ShowHelpContents(owner, HelpFilePath(form.program_dir));
}

void mnu_Contents_Click(MainForm& form) {
  ShowHelpContents(form, HelpOwner::kMainWindow);
}

void mnu_about_Click(MainForm& form) {
  form.ui.ShowAbout();
}

}  // namespace tavrix
