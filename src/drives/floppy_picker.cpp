#include "drives/drive_picker.h"

#include <stdexcept>


namespace tavrix {

void RestoreFrm::Form_Load() { throw std::logic_error("RestoreFrm"); }
void RestoreFrm::List1_Click(int) {}
void RestoreFrm::Ok_btn_Click() {}
void RestoreFrm::Command1_Click() {}
void ShowRestoreFrm(MainForm&) { throw std::logic_error("ShowRestoreFrm"); }

}  // namespace tavrix
