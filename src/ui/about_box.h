// The About box: the program's name and version, a way back and a way to
// the help.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrix::ui {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent);

  QLabel* version_label() const { return label1_; }
  QPushButton* tavrix_button() const { return tavrix_btn_; }
  QPushButton* help_button() const { return command1_; }

 signals:
  // "&Help" was pressed: show the help contents, owned by this box.
  void helpRequested();

 private:
  QLabel* label1_;
  QPushButton* tavrix_btn_;
  QPushButton* command1_;
};

}  // namespace tavrix::ui
