// The Help menu: where the help file lies, and its two commands.
#pragma once

#include <string>

#include "platform/interaction.h"

namespace tavrix {

class MainForm;

// The help file "TAVRIX.HLP" in `program_dir`, joined with a single "/"
// (a program in "/" gives "/TAVRIX.HLP").
std::string HelpFilePath(const std::string& program_dir);
// Shows the help contents in a viewer owned by `owner`.  The file is not
// checked: a missing one is the viewer's to report.
void ShowHelpContents(MainForm& form, HelpOwner owner);
// Help > Contents.
void mnu_Contents_Click(MainForm& form);
// Help > About: the About box, modally.
void mnu_about_Click(MainForm& form);

}  // namespace tavrix
