#include "restore/target_name.h"

#include <stdexcept>

#include "restore/main_form.h"
#include "split/progress.h"

namespace tavrix {

std::string PlaceOriginalName(const MainForm& form, const std::string& recorded) {
  return form.r.TargetDrive + FileNameOf(recorded);
}

}  // namespace tavrix
