// The next-disk step: assemble the accepted piece, then ask for another floppy.
#pragma once

namespace tavrix {

class MainForm;

void Restore_btn_Click(MainForm& form);

}  // namespace tavrix
