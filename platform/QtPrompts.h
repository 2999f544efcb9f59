#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompts.h"

namespace platform {

// Shows every prompt modally over the active window (or `owner` when set).
class QtPrompts final : public Prompts {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void ShowMessage(const QString& text, const QString& caption, PromptIcon icon) override;
  bool AskYesNo(const QString& text, const QString& caption, PromptIcon icon) override;
  std::optional<QString> OpenFile(const QString& filter, const QString& initialDir,
                                  const QString& fileName) override;
  std::optional<QString> SaveFile(const QString& filter, const QString& defaultSuffix,
                                  const QString& fileName) override;
  std::optional<QString> ChooseFolder(const QString& caption, const QString& root,
                                      const QString& selected) override;

 private:
  QWidget* Parent() const;

  QPointer<QWidget> owner_;
};

}  // namespace platform
