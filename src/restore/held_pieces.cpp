#include "restore/held_pieces.h"

#include "format/number_text.h"
#include "format/piece_name.h"
#include "restore/main_form.h"
#include "split/progress.h"

namespace tavrix {

std::string HoldFilePath(const MainForm& form, int n) {
  return form.r.TargetDrive + kHoldPrefix + StrNoBlank(n);
}

int AppendHeldPieces(MainForm& form) {
  RunRecord& r = form.r;
  int total = 0;
  for (int n = 1; n <= kMaxPieces; ++n) {
    if (r.PieceHeld[n] == n) ++total;
  }
  form.SetText(StatusText::kLabel1,
               "There are " + Str(total) + " file(s) to process.  Please wait ...");
  form.DoEvents();

  int added = 0;
  for (int n = 1; n <= kMaxPieces; ++n) {
    if (r.PieceHeld[n] == n) {
      ++added;
      form.SetText(StatusText::kLabel7,
                   "Adding held #" + Str(added) + " of " + StrNoBlank(total) + " file(s).");
      form.DoEvents();
      std::string path = HoldFilePath(form, n);
      File hold = form.platform.Open(path, OpenMode::kRead);
      int64_t size = hold.Length();
      // The assembly file is positioned at its end: each piece goes behind
      // the last byte written.
      int64_t end = r.AssemblyFileNo.Length();
      CopyBytes(form, hold, 0, r.AssemblyFileNo, end, size);
      hold.Close();
      // The piece's only other copy goes now: its bytes must be on the
      // medium first.
      r.AssemblyFileNo.Sync();
      form.platform.Kill(path);
    }
    form.DoEvents();
  }
  SetActivity(form, 0);
  return added;
}

}  // namespace tavrix
