#include "ui/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/icons.h"

namespace tavrix::ui {

HelpViewer::HelpViewer(QWidget* owner) : QDialog(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Tavrix Help"));
  setWindowIcon(ProgramIcon());
  setModal(false);
  resize(560, 480);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_);
}

bool HelpViewer::ShowContents(const QString& path) {
  path_ = path;
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
    QString why = QFileInfo::exists(path) ? file.errorString() : QStringLiteral("No such file");
    setWindowTitle(QStringLiteral("Tavrix Help"));
    browser_->setHtml(QStringLiteral("<h3>Cannot open the help file</h3>"
                                     "<p>The help file <b>%1</b> could not be opened: %2.</p>"
                                     "<p>It belongs in the directory of the program.</p>")
                          .arg(path.toHtmlEscaped(), why.toHtmlEscaped()));
    return false;
  }
  file.close();
  QUrl url = QUrl::fromLocalFile(path);
  url.setFragment(QStringLiteral("contents"));
  // The file's name does not tell its kind: it is HTML.
  browser_->setSource(url, QTextDocument::HtmlResource);
  QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("Tavrix Help") : title);
  return true;
}

}  // namespace tavrix::ui
