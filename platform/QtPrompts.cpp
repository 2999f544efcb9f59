#include "platform/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace platform {
namespace {

QMessageBox::Icon ToolkitIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Error:
      return QMessageBox::Critical;
    case PromptIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString ToolkitFileFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    entries << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return entries.join(QStringLiteral(";;"));
}

QWidget* QtPrompts::Parent() const {
  if (owner_) return owner_;
  return QApplication::activeWindow();
}

void QtPrompts::ShowMessage(const QString& text, const QString& caption, PromptIcon icon) {
  QMessageBox box(ToolkitIcon(icon), caption, text, QMessageBox::Ok, Parent());
  box.exec();
}

bool QtPrompts::AskYesNo(const QString& text, const QString& caption, PromptIcon icon) {
  QMessageBox box(ToolkitIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, Parent());
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::OpenFile(const QString& filter, const QString& initialDir,
                                           const QString& fileName) {
  QFileDialog dialog(Parent(), QString(), initialDir, ToolkitFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!fileName.isEmpty()) dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::SaveFile(const QString& filter, const QString& defaultSuffix,
                                           const QString& fileName) {
  const QFileInfo wanted(fileName);
  QFileDialog dialog(Parent(), QString(), fileName.isEmpty() ? QDir::homePath() : wanted.path(),
                     ToolkitFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Overwriting is decided by the caller, not by the dialog.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(defaultSuffix);
  if (!fileName.isEmpty()) dialog.selectFile(wanted.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::ChooseFolder(const QString& caption, const QString& root,
                                               const QString& selected) {
  QFileDialog dialog(Parent(), caption,
                     selected.isEmpty() ? (root.isEmpty() ? QDir::homePath() : root) : selected);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setLabelText(QFileDialog::LookIn, caption);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString folder = dialog.selectedFiles().constFirst();
  if (!QFileInfo(folder).isDir()) return std::nullopt;
  if (!root.isEmpty() && !QDir::cleanPath(folder).startsWith(QDir::cleanPath(root))) {
    return std::nullopt;
  }
  return folder;
}

}  // namespace platform
