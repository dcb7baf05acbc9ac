#include "ui/qt_interaction.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QPushButton>
#include <QSpacerItem>

#include "drives/drive_picker.h"
#include "platform/error.h"
#include "ui/main_window.h"
#include "ui/picker_window.h"

namespace tavrix::ui {

QMessageBox::Icon IconOfStyle(int style) {
  switch (style & 0x70) {
    case kIconCritical:
      return QMessageBox::Critical;
    case kIconQuestion:
      return QMessageBox::Question;
    case kIconExclamation:
      return QMessageBox::Warning;
    case kIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

std::vector<std::pair<QString, int>> ButtonsOfStyle(int style) {
  const QString ok = QStringLiteral("OK");
  const QString cancel = QStringLiteral("Cancel");
  const QString yes = QStringLiteral("&Yes");
  const QString no = QStringLiteral("&No");
  const QString retry = QStringLiteral("&Retry");
  switch (style & 0x7) {
    case kStyleOkCancel:
      return {{ok, kAnswerOk}, {cancel, kAnswerCancel}};
    case 2:
      return {{QStringLiteral("&Abort"), 3}, {retry, kAnswerRetry}, {QStringLiteral("&Ignore"), 5}};
    case kStyleYesNoCancel:
      return {{yes, kAnswerYes}, {no, kAnswerNo}, {cancel, kAnswerCancel}};
    case kStyleYesNo:
      return {{yes, kAnswerYes}, {no, kAnswerNo}};
    case kStyleRetryCancel:
      return {{retry, kAnswerRetry}, {cancel, kAnswerCancel}};
    default:
      return {{ok, kAnswerOk}};
  }
}

int EscapeAnswerOfStyle(int style) {
  auto buttons = ButtonsOfStyle(style);
  for (const auto& [button, answer] : buttons) {
    if (answer == kAnswerCancel) return answer;
  }
  for (const auto& [button, answer] : buttons) {
    if (answer == kAnswerNo) return answer;
  }
  if (buttons.size() == 1) return buttons.front().second;
  return 5;  // Abort, Retry and Ignore: Ignore
}

namespace {

QString FromText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

int TitleRoom(const QWidget& dialog, const QString& title) {
  // Title bars draw their text bold, beside the window icon and the frame's
  // buttons.
  constexpr int kTitleBarExtras = 100;
  QFont font = dialog.font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarExtras;
}

QWidget* QtInteraction::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return window_;
}

void QtInteraction::Render() {
  if (window_ != nullptr) window_->Render();
}

int QtInteraction::MsgBox(const std::string& text, const std::string& title, int style) {
  Render();
  QMessageBox box(DialogParent());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(FromText(text));
  box.setIcon(IconOfStyle(style));
  auto buttons = ButtonsOfStyle(style);
  int escape = EscapeAnswerOfStyle(style);
  std::vector<std::pair<QAbstractButton*, int>> answers;
  for (const auto& [caption, answer] : buttons) {
    // One role for all keeps them in the style's order on every desktop.
    QAbstractButton* b = box.addButton(caption, QMessageBox::ActionRole);
    answers.emplace_back(b, answer);
    if (answer == escape) box.setEscapeButton(b);
  }
  box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));
  // A box sizes itself to its text and buttons alone; a title wider than
  // that would be cut short in the title bar.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(TitleRoom(box, box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
  for (const auto& [button, answer] : answers) {
    if (box.clickedButton() == button) return answer;
  }
  return escape;
}

std::optional<std::string> QtInteraction::InputBox(const std::string& prompt,
                                                   const std::string& title,
                                                   const std::string& default_text) {
  Render();
  QInputDialog dialog(DialogParent());
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(FromText(prompt));
  dialog.setTextValue(QString::fromStdString(default_text));
  // The dialog's layout, made when its size is first asked for, fixes its
  // size: the room for the title goes there.
  dialog.sizeHint();
  if (QLayout* layout = dialog.layout()) {
    layout->addItem(new QSpacerItem(TitleRoom(dialog, dialog.windowTitle()), 0,
                                    QSizePolicy::Minimum, QSizePolicy::Minimum));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

std::string QtInteraction::OpenFileDialog() {
  Render();
  QString path = QFileDialog::getOpenFileName(DialogParent());
  // File names are bytes in the system's encoding, not display text.
  return path.isEmpty() ? std::string() : QFile::encodeName(path).toStdString();
}

void QtInteraction::ShowPicker(DrivePicker& picker) {
  Render();
  std::unique_ptr<PickerWindow> window = MakePickerWindow(picker, DialogParent());
  window->Run();
}

void QtInteraction::ShowHelpContents(HelpOwner owner, const std::string& help_file) {
  if (window_ == nullptr) return;
  window_->ShowHelp(owner, QFile::decodeName(QByteArray::fromStdString(help_file)));
}

void QtInteraction::ShowAbout() {
  if (window_ != nullptr) window_->ShowAboutBox();
}

void QtInteraction::Yield() {
  Render();
  QCoreApplication::processEvents();
  if (window_ != nullptr && window_->exit_requested()) throw ProgramExit{0};
}

void QtInteraction::StatusChanged(StatusText, const std::string&) {
  Render();
}

}  // namespace tavrix::ui
