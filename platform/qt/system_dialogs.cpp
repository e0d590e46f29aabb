#include "platform/qt/system_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/qt/dialog_window.h"

namespace orbalta::platform::qt {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// "*.*" means every file on the desktop; in a Qt filter it would ask for a dot.
QString filterText(const FileFilter& filter) {
  QString pattern = QString::fromLatin1(filter.pattern.c_str());
  QString description = displayText(filter.description);
  QString qtPattern = pattern;
  qtPattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
  qtPattern.replace(QLatin1Char(';'), QLatin1Char(' '));
  const QString shown = QStringLiteral("(") + pattern + QStringLiteral(")");
  if (description.contains(shown)) {
    description.replace(shown, QStringLiteral("(") + qtPattern + QStringLiteral(")"));
    return description;
  }
  return description + QStringLiteral(" (") + qtPattern + QStringLiteral(")");
}

// An open dialog that asks before it accepts a name that does not exist, and keeps itself
// open when the answer is no. Blanks around a typed name are dropped; a name of blanks only
// names no file, so the dialog stays open as it does for an empty box.
class OpenFileDialog : public QFileDialog {
 public:
  OpenFileDialog(const OpenFileRequest& request, const QString& title)
      : QFileDialog(nullptr, title), request_(request), title_(title) {}

  void accept() override {
    if (QLineEdit* name = nameEdit()) {
      const QString typed = name->text();
      const QString trimmed = typed.trimmed();
      if (trimmed.isEmpty() && !typed.isEmpty()) return;
      // An existing file may have blanks in its name; it is taken as it is.
      if (trimmed != typed && !QFileInfo::exists(directory().filePath(typed))) {
        name->setText(trimmed);
      }
    }
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return;
    const QFileInfo chosen(files.first());
    if (chosen.isDir()) {
      QFileDialog::accept();  // opens the folder
      return;
    }
    if (request_.pathMustExist && !chosen.dir().exists()) {
      QMessageBox::warning(
          this, title_,
          chosen.filePath() +
              QStringLiteral("\nPath does not exist.\nCheck the path and try again."));
      return;
    }
    if (request_.createPrompt && !chosen.exists()) {
      const auto answer = QMessageBox::question(
          this, title_,
          chosen.fileName() + QStringLiteral("\nThis file does not exist.\nCreate the file?"),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
      if (answer != QMessageBox::Yes) return;
    }
    QFileDialog::accept();
  }

 private:
  QLineEdit* nameEdit() const { return findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

  const OpenFileRequest& request_;
  QString title_;
};

}  // namespace

QString displayPath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

void showMessageBox(const QString& text, std::string_view title, MessageIcon icon) {
  QMessageBox box(boxIcon(icon), displayText(title), text, QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::optional<std::string> runOpenFileDialog(const OpenFileRequest& request) {
  OpenFileDialog dialog(request, displayText(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!request.initialDir.empty()) dialog.setDirectory(displayPath(request.initialDir));
  QStringList filters;
  for (const auto& filter : request.filters) filters.append(filterText(filter));
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
    dialog.selectNameFilter(filters.at(index - 1));
  }
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(displayPath(request.defaultExt));
  dialog.selectFile(displayPath(request.fileName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.first()).toLocal8Bit().toStdString();
}

}  // namespace orbalta::platform::qt
