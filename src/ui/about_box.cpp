#include "ui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/icons.h"
#include "ui/layout.h"

namespace tavrix::ui {

namespace {

QFrame* HorizontalLine(QWidget* parent, int left, int right, int top) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(Px(left), Px(top) - 1, Px(right - left), 2);
  return line;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("About Tavrix"));
  setWindowIcon(ProgramIcon());
  setFont(DesignFont());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(Px(5640), Px(4050));
  move(Px(2025), Px(990));

  auto* picture1 = new QLabel(this);
  picture1->setObjectName(QStringLiteral("Picture1"));
  picture1->setGeometry(TwipRect(120, 720, 615, 615));
  picture1->setPixmap(ProgramPixmap(Px(615)));

  label1_ = new QLabel(QStringLiteral("Tavrix - Version 1.0"), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(TwipRect(840, 720, 4695, 255));
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setFrameShape(QFrame::Box);
  label1_->setFrameShadow(QFrame::Plain);

  HorizontalLine(this, 120, 5520, 1800)->setObjectName(QStringLiteral("Line1"));
  HorizontalLine(this, 120, 5520, 2760)->setObjectName(QStringLiteral("Line2"));

  tavrix_btn_ = new QPushButton(QStringLiteral("&Tavrix"), this);
  tavrix_btn_->setObjectName(QStringLiteral("Tavrix_btn"));
  // The two buttons of the layout overlap by one pixel and the second runs
  // past the right edge; they are narrowed to end where the lines end.
  tavrix_btn_->setGeometry(TwipRect(120, 3600, 2700, 375));
  tavrix_btn_->setDefault(true);

  command1_ = new QPushButton(QStringLiteral("&Help"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(TwipRect(2880, 3600, 2640, 375));
  command1_->setAutoDefault(false);

  // "&Tavrix" only hides the box: the same box shows again next time.
  connect(tavrix_btn_, &QPushButton::clicked, this, &QDialog::accept);
  connect(command1_, &QPushButton::clicked, this, &AboutBox::helpRequested);
}

}  // namespace tavrix::ui
