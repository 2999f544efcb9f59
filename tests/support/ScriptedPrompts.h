#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "platform/Prompts.h"

namespace testing_support {

enum class PromptKind { Message, YesNo, OpenFile, SaveFile, ChooseFolder };

// One prompt as it was shown.
struct ShownPrompt {
  PromptKind kind;
  QString text;     // message text, or the filter of a file dialog
  QString caption;  // caption, or the initial folder / file name of a dialog
  platform::PromptIcon icon = platform::PromptIcon::None;
};

// Records every prompt and answers from a queue that the test fills. A prompt
// with no answer queued, or of another kind than the answer, fails the test.
class ScriptedPrompts final : public platform::Prompts {
 public:
  ~ScriptedPrompts() override;

  void ExpectMessage() { answers_.push_back({PromptKind::Message, true, {}}); }
  void ExpectYesNo(bool yes) { answers_.push_back({PromptKind::YesNo, yes, {}}); }
  // An empty optional answers as a cancel.
  void ExpectOpenFile(std::optional<QString> file) {
    answers_.push_back({PromptKind::OpenFile, file.has_value(), file.value_or(QString())});
  }
  void ExpectSaveFile(std::optional<QString> file) {
    answers_.push_back({PromptKind::SaveFile, file.has_value(), file.value_or(QString())});
  }
  void ExpectChooseFolder(std::optional<QString> folder) {
    answers_.push_back({PromptKind::ChooseFolder, folder.has_value(), folder.value_or(QString())});
  }

  const std::vector<ShownPrompt>& Shown() const { return shown_; }
  bool AllAnswered() const { return answers_.empty(); }
  void Clear() {
    shown_.clear();
    answers_.clear();
  }

  void ShowMessage(const QString& text, const QString& caption, platform::PromptIcon icon) override;
  bool AskYesNo(const QString& text, const QString& caption, platform::PromptIcon icon) override;
  std::optional<QString> OpenFile(const QString& filter, const QString& initialDir,
                                  const QString& fileName) override;
  std::optional<QString> SaveFile(const QString& filter, const QString& defaultSuffix,
                                  const QString& fileName) override;
  std::optional<QString> ChooseFolder(const QString& caption, const QString& root,
                                      const QString& selected) override;

 private:
  struct Answer {
    PromptKind kind;
    bool confirmed;
    QString value;
  };
  // Takes the next answer; reports a failure when none fits.
  std::optional<Answer> Next(PromptKind kind, const ShownPrompt& prompt);

  std::deque<Answer> answers_;
  std::vector<ShownPrompt> shown_;
};

}  // namespace testing_support
