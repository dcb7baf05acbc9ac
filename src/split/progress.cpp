#include "split/progress.h"

#include <algorithm>

#include "restore/main_form.h"

namespace tavrix {

void SetActivity(MainForm& form, int mode) {
  if (mode == 1) {
    form.w.action_look = ActivityLook::kReading;
    form.w.action_visible = true;
    form.SetText(StatusText::kActionLbl, "Reading ...");
  } else if (mode == 2) {
    form.w.action_look = ActivityLook::kWriting;
    form.w.action_visible = true;
    form.SetText(StatusText::kActionLbl, "Writing ...");
  } else if (mode == 0) {
    form.w.action_visible = false;
  }
  form.DoEvents();
}

void ResizeWindow(MainForm& form, int mode) {
  if (mode == -1) {
    int target = form.w.height_twips + kRunExtraTwips;
    while (form.w.height_twips < target) {
      form.w.height_twips = std::min(target, form.w.height_twips + kTwipsPerPixel);
      form.DoEvents();
    }
  } else if (mode == 0) {
    while (form.w.height_twips > kRestingHeightTwips) {
      form.w.height_twips = std::max(kRestingHeightTwips, form.w.height_twips - kTwipsPerPixel);
      form.DoEvents();
    }
  }
}

void ClearDisplay(MainForm& form) {
  for (StatusText t : {StatusText::kLabel1, StatusText::kLabel2, StatusText::kLabel3, StatusText::kLabel4,
                       StatusText::kLabel5, StatusText::kLabel6, StatusText::kLabel7,
                       StatusText::kReadDisplayLbl, StatusText::kWriteDisplayLbl}) {
    form.SetText(t, "");
  }
}

std::string FileNameOf(const std::string& path) {
  auto sep = path.find_last_of("\\/");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

int64_t CopyBytes(MainForm& form, File& from, int64_t from_pos, File& to, int64_t to_pos,
                  int64_t length) {
  if (form.r.CopyBuffer.size() != static_cast<size_t>(kCopyBlockBytes)) {
    form.r.CopyBuffer.assign(static_cast<size_t>(kCopyBlockBytes), '\0');
  }
  char* buf = form.r.CopyBuffer.data();
  int64_t done = 0;
  bool writing = false;
  SetActivity(form, 1);
  form.ui.CopyProgress(0, length);
  while (done < length) {
    int64_t want = std::min(kCopyBlockBytes, length - done);
    int64_t got = from.ReadAt(buf, want, from_pos + done);
    if (!writing) {
      SetActivity(form, 2);
      writing = true;
    }
    to.WriteAt(buf, got, to_pos + done);
    done += got;
    form.ui.CopyProgress(done, length);
    if (got < want) break;
    form.DoEvents();
  }
  if (!writing) SetActivity(form, 2);
  return done;
}

bool CopyPiece(MainForm& form, const std::string& target, File& piece, int64_t length) {
  File out = form.platform.Open(target, OpenMode::kReadWrite);
  int64_t pos = 0;
  if (!form.r.Holding && form.r.AppendPos != 0) pos = form.r.AppendPos - 1;
  int64_t written = CopyBytes(form, piece, 0, out, pos, length);
  if (!form.r.Holding) form.r.AppendPos = pos + written + 1;
  out.Close();
  SetActivity(form, 0);
  return true;
}

}  // namespace tavrix
