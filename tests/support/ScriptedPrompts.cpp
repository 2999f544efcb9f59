#include "tests/support/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace testing_support {
namespace {

const char* KindName(PromptKind kind) {
  switch (kind) {
    case PromptKind::Message:
      return "message";
    case PromptKind::YesNo:
      return "yes/no question";
    case PromptKind::OpenFile:
      return "open-file dialog";
    case PromptKind::SaveFile:
      return "save-file dialog";
    case PromptKind::ChooseFolder:
      return "folder choice";
  }
  return "?";
}

}  // namespace

ScriptedPrompts::~ScriptedPrompts() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
}

std::optional<ScriptedPrompts::Answer> ScriptedPrompts::Next(PromptKind kind,
                                                             const ShownPrompt& prompt) {
  shown_.push_back(prompt);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected " << KindName(kind) << ": \"" << prompt.text.toStdString()
                  << "\" (" << prompt.caption.toStdString() << ")";
    return std::nullopt;
  }
  Answer answer = answers_.front();
  answers_.pop_front();
  if (answer.kind != kind) {
    ADD_FAILURE() << "expected a " << KindName(answer.kind) << " but got a " << KindName(kind)
                  << ": \"" << prompt.text.toStdString() << "\"";
    return std::nullopt;
  }
  return answer;
}

void ScriptedPrompts::ShowMessage(const QString& text, const QString& caption,
                                  platform::PromptIcon icon) {
  Next(PromptKind::Message, {PromptKind::Message, text, caption, icon});
}

bool ScriptedPrompts::AskYesNo(const QString& text, const QString& caption,
                               platform::PromptIcon icon) {
  const auto answer = Next(PromptKind::YesNo, {PromptKind::YesNo, text, caption, icon});
  return answer && answer->confirmed;
}

std::optional<QString> ScriptedPrompts::OpenFile(const QString& filter, const QString& initialDir,
                                                 const QString&) {
  const auto answer = Next(PromptKind::OpenFile, {PromptKind::OpenFile, filter, initialDir});
  if (!answer || !answer->confirmed) return std::nullopt;
  return answer->value;
}

std::optional<QString> ScriptedPrompts::SaveFile(const QString& filter, const QString&,
                                                 const QString& fileName) {
  const auto answer = Next(PromptKind::SaveFile, {PromptKind::SaveFile, filter, fileName});
  if (!answer || !answer->confirmed) return std::nullopt;
  return answer->value;
}

std::optional<QString> ScriptedPrompts::ChooseFolder(const QString& caption, const QString& root,
                                                     const QString&) {
  const auto answer = Next(PromptKind::ChooseFolder, {PromptKind::ChooseFolder, caption, root});
  if (!answer || !answer->confirmed) return std::nullopt;
  return answer->value;
}

}  // namespace testing_support
