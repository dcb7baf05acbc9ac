// The help viewer: shows the help file, an HTML document, at its contents.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tavrix::ui {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  // A window of its own, owned by `owner`: it closes with it.
  explicit HelpViewer(QWidget* owner);

  // Shows `path` at its contents.  A file that cannot be read is reported
  // in the viewer itself; nothing is raised.  Returns true when the file
  // was shown.
  bool ShowContents(const QString& path);

  QTextBrowser* browser() const { return browser_; }
  const QString& path() const { return path_; }

 private:
  QTextBrowser* browser_;
  QString path_;
};

}  // namespace tavrix::ui
