#include "drives/drive_picker.h"

#include <stdexcept>


namespace tavrix {

void TargetFrm::Form_Load() { throw std::logic_error("TargetFrm"); }
void TargetFrm::List1_Click(int) {}
void TargetFrm::Ok_btn_Click() {}
void TargetFrm::Command1_Click() {}
std::string ChooseRestoreTarget(MainForm&) { throw std::logic_error("ChooseRestoreTarget"); }

}  // namespace tavrix
