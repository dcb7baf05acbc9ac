// Finishing a restore once every piece is in.
#pragma once

namespace tavrix {

class MainForm;

void FinishRestore(MainForm& form);

}  // namespace tavrix
