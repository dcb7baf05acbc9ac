#include "ui/picker_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "drives/drive_picker.h"
#include "ui/icons.h"
#include "ui/layout.h"

namespace tavrix::ui {

PickerWindow::PickerWindow(DrivePicker& picker, int prompt_height_twips, QWidget* parent)
    : QDialog(parent), picker_(picker) {
  setWindowTitle(QString::fromStdString(picker.caption()));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  setFont(DesignFont());
  setFixedSize(Px(5160), Px(1155));
  move(Px(2190), Px(3360));

  label1_ = new QLabel(QString::fromStdString(picker.prompt()), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(TwipRect(120, 120, 3135, prompt_height_twips));
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  list1_ = new QListWidget(this);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setGeometry(TwipRect(3360, 120, 1455, 450));
  for (const std::string& drive : picker.entries()) list1_->addItem(QString::fromStdString(drive));
  list1_->setCurrentRow(-1);

  command1_ = new QPushButton(QStringLiteral("&Cancel"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(TwipRect(2160, 720, 1335, 375));
  command1_->setAutoDefault(false);

  ok_btn_ = new QPushButton(QStringLiteral("&Ok"), this);
  ok_btn_->setObjectName(QStringLiteral("Ok_btn"));
  ok_btn_->setGeometry(TwipRect(3600, 720, 1335, 375));
  ok_btn_->setDefault(true);

  setTabOrder(list1_, ok_btn_);
  setTabOrder(ok_btn_, command1_);
  list1_->setFocus();

  // A selection that changes runs the handler, from the mouse or the keys.
  // (The current row alone changes when the list takes the focus; that
  // selects nothing.)  A click on the entry already selected runs it again:
  // after a refusal the user inserts the floppy and clicks the same drive.
  // The click that made the selection must not run it twice.
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  list1_->viewport()->installEventFilter(this);
  connect(list1_, &QListWidget::itemSelectionChanged, this, [this] {
    QList<QListWidgetItem*> selected = list1_->selectedItems();
    if (selected.isEmpty()) return;
    change_from_press_ = in_press_;
    List1_Click(list1_->row(selected.front()));
  });
  connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (change_from_press_) {
      change_from_press_ = false;
      return;
    }
    if (item->isSelected()) List1_Click(list1_->row(item));
  });
  connect(ok_btn_, &QPushButton::clicked, this, &PickerWindow::Ok_btn_Click);
  connect(command1_, &QPushButton::clicked, this, &PickerWindow::Command1_Click);
}

void PickerWindow::Run() {
  exec();
  guard_.Rethrow();
}

bool PickerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list1_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      in_press_ = true;
      change_from_press_ = false;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      in_press_ = false;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PickerWindow::keyPressEvent(QKeyEvent* event) {
  // Escape is the Cancel button; the window's close button alone leaves
  // the answer of the last click.
  if (event->key() == Qt::Key_Escape) {
    command1_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PickerWindow::List1_Click(int row) {
  if (row < 0) return;
  guard_.Run([&] { picker_.List1_Click(row); });
  CloseIfDone();
}

void PickerWindow::Ok_btn_Click() {
  guard_.Run([&] { picker_.Ok_btn_Click(); });
  CloseIfDone();
}

void PickerWindow::Command1_Click() {
  guard_.Run([&] { picker_.Command1_Click(); });
  CloseIfDone();
}

void PickerWindow::CloseIfDone() {
  if (picker_.closed() || guard_.failed()) done(QDialog::Accepted);
}

FloppyPickerWindow::FloppyPickerWindow(DrivePicker& picker, QWidget* parent)
    : PickerWindow(picker, 255, parent) {
  setObjectName(QStringLiteral("RestoreFrm"));
  setWindowIcon(FloppyIcon());
}

TargetPickerWindow::TargetPickerWindow(DrivePicker& picker, QWidget* parent)
    : PickerWindow(picker, 495, parent) {
  setObjectName(QStringLiteral("TargetFrm"));
  setWindowIcon(HardDiskIcon());
}

std::unique_ptr<PickerWindow> MakePickerWindow(DrivePicker& picker, QWidget* parent) {
  if (picker.kind() == DrivePicker::Kind::kTarget) {
    return std::make_unique<TargetPickerWindow>(picker, parent);
  }
  return std::make_unique<FloppyPickerWindow>(picker, parent);
}

}  // namespace tavrix::ui
