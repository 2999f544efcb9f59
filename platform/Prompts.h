#pragma once

#include <QString>
#include <optional>

namespace platform {

enum class PromptIcon { None, Information, Warning, Question, Error };

// Every message box, question, file dialog and folder choice of both programs
// goes through this interface, so that tests can script the answers and check
// the exact texts. File filters are written "description|patterns", patterns
// separated by ";" (several entries may follow, each "description|patterns").
class Prompts {
 public:
  virtual ~Prompts() = default;

  // A modal box with an OK button.
  virtual void ShowMessage(const QString& text, const QString& caption, PromptIcon icon) = 0;

  // A modal box with Yes and No; true for Yes. Closing the box counts as No.
  virtual bool AskYesNo(const QString& text, const QString& caption, PromptIcon icon) = 0;

  // Picks one existing file; nullopt when cancelled.
  virtual std::optional<QString> OpenFile(const QString& filter, const QString& initialDir,
                                          const QString& fileName) = 0;

  // Picks a file name to write; `defaultSuffix` ("mpg", no period) is added
  // when the user types none. nullopt when cancelled.
  virtual std::optional<QString> SaveFile(const QString& filter, const QString& defaultSuffix,
                                          const QString& fileName) = 0;

  // Picks an existing folder below `root` (empty: anywhere), starting at
  // `selected` when not empty; nullopt when cancelled.
  virtual std::optional<QString> ChooseFolder(const QString& caption, const QString& root,
                                              const QString& selected) = 0;
};

// Translates a filter "desc|a;b|desc2|c" into the toolkit's form
// "desc (a b);;desc2 (c)". Empty patterns (a trailing ";") are dropped.
QString ToolkitFileFilter(const QString& filter);

}  // namespace platform
