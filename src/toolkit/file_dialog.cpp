#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <optional>

#include "toolkit/dialog_answers.h"
#include "toolkit/qt_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/windows.h"

namespace toolkit {
namespace {

struct FileFilter {
  QString nameFilter;  // "Project files (*.prj)"
  QString extension;   // "prj", empty when the pattern names no single extension
};

// "desc|pattern|desc|pattern|" into Qt's name filters.
std::vector<FileFilter> parseFilter(std::string_view text) {
  const QStringList parts = detail::toQString(text).split(u'|');
  std::vector<FileFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString pattern = parts[i + 1].trimmed();
    if (pattern.isEmpty()) continue;
    const QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
    QString extension;
    const QString first = patterns.value(0).trimmed();
    if (first.startsWith(QStringLiteral("*.")) && !first.mid(2).contains(u'*') &&
        !first.mid(2).contains(u'?')) {
      extension = first.mid(2);
    }
    filters.push_back(
        {parts[i].trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')', extension});
  }
  return filters;
}

QString withExtension(const QString& path, const QString& extension) {
  if (extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + u'.' + extension;
}

// Whether the chosen path may be returned, given the dialog's flags.
bool acceptable(const QString& path, int flags) {
  const QFileInfo info(path);
  if ((flags & kMustExist) && !(flags & kSaveDialog) && !info.exists()) return false;
  if (!(flags & kPathNeedNotExist) && !info.dir().exists()) return false;
  return true;
}

// A name answered in advance, taken as if typed into the dialog.
std::optional<QString> answeredChoice(const detail::FileAnswer& answer, const QString& folder,
                                      const QString& proposed,
                                      const std::vector<FileFilter>& filters, int flags) {
  if (!answer.ok) return std::nullopt;
  const QString typed = answer.name.empty() ? proposed : detail::toQString(answer.name);
  QString path = QDir(folder).absoluteFilePath(typed);
  if ((flags & kAppendExtension) && !filters.empty()) {
    path = withExtension(path, filters.front().extension);
  }
  if (!acceptable(path, flags)) return std::nullopt;
  return path;
}

std::optional<QString> dialogChoice(const QString& folder, const QString& name,
                                    const std::vector<FileFilter>& filters, int flags,
                                    const QString& title) {
  detail::presentAsKandelor();
  QFileDialog dialog(detail::windows().main, title, folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  QStringList nameFilters;
  for (const FileFilter& filter : filters) nameFilters << filter.nameFilter;
  if (!nameFilters.isEmpty()) dialog.setNameFilters(nameFilters);
  const bool save = flags & kSaveDialog;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else if (flags & kMustExist) {
    dialog.setFileMode((flags & kMultipleFiles) ? QFileDialog::ExistingFiles
                                                : QFileDialog::ExistingFile);
  } else {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Open"));
  }
  if (!(flags & kAskOverwrite)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if ((flags & kAppendExtension) && !filters.empty()) {
    dialog.setDefaultSuffix(filters.front().extension);
    QObject::connect(&dialog, &QFileDialog::filterSelected, [&](const QString& selected) {
      for (const FileFilter& filter : filters) {
        if (filter.nameFilter == selected) dialog.setDefaultSuffix(filter.extension);
      }
    });
  }
  dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = QFileInfo(dialog.selectedFiles().front()).absoluteFilePath();
  if (!acceptable(path, flags)) return std::nullopt;
  if (!save && (flags & kAskOverwrite) && !QFileInfo::exists(path)) {
    const auto answer = QMessageBox::question(
        detail::windows().main, title,
        QStringLiteral("The file \"%1\" does not exist. Create it?").arg(path));
    if (answer != QMessageBox::Yes) return std::nullopt;
  }
  return path;
}

}  // namespace

bool wselectfile2(std::string_view filter, int flags, std::string& fileName,
                  std::string_view title) {
  auto& answers = detail::dialogAnswers().files;
  const bool answered = !answers.empty();
  if (!answered && qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return false;
  }
  const auto filters = parseFilter(filter);
  const QString workingDirectory = QDir::currentPath();
  // The dialog opens on the folder and name of the given file.
  const QString startName = detail::toQString(fileName).trimmed();
  const QFileInfo start(startName);
  const QString folder = !startName.isEmpty() && start.absoluteDir().exists() ? start.absolutePath()
                                                                              : workingDirectory;

  std::optional<QString> chosen;
  if (answered) {
    const detail::FileAnswer answer = answers.front();
    answers.pop_front();
    chosen = answeredChoice(answer, folder, start.fileName(), filters, flags);
  } else {
    chosen = dialogChoice(folder, start.fileName(), filters, flags, detail::toQString(title));
  }
  // The dialog never moves the working directory unless asked to keep the chosen folder.
  if (chosen && (flags & kKeepDirectory)) {
    QDir::setCurrent(QFileInfo(*chosen).absolutePath());
  } else {
    QDir::setCurrent(workingDirectory);
  }
  if (!chosen) return false;
  fileName = QDir::cleanPath(*chosen).toStdString();
  return true;
}

}  // namespace toolkit
