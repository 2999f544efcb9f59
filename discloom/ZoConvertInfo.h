#pragma once

// The DVD converter's conversion queue: one ZoConvertInfoObject per queued
// video object file, held in order by ZoConvertInfoObjectList, which owns
// them. No widget code lives here; the main window mirrors the queue in its
// list view.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace discloom {

// Where a queued file stands. csTransferred is never entered by this program
// but counts as finished wherever finished items are looked for.
enum class TConvertState : std::uint8_t {
  csWaiting = 0,
  csConverting = 1,
  csConverted = 2,
  csTransferred = 3,
  csFailed = 4,
};

// The words the list view shows for a state.
QString StateText(TConvertState state);

// True when the file-name part of `path` ends in ".VOB" with its ASCII
// letters compared without case (".vob", ".Vob" ...). A name without a
// period has no extension and is refused.
bool HasVobExtension(const QString& path);

// One queued file.
class ZoConvertInfoObject {
 public:
  ZoConvertInfoObject() = default;
  explicit ZoConvertInfoObject(const QString& sourceFileName) : SourceFileName(sourceFileName) {}

  QString GetStateText() const { return StateText(State); }

  // Full path of the source, as it was queued.
  QString SourceFileName;
  // Full path of the output; empty until the item's conversion starts.
  QString OutputFileName;
  TConvertState State = TConvertState::csWaiting;
};

// The queue, in the order the files were added. Indexes run from 0.
class ZoConvertInfoObjectList {
 public:
  ZoConvertInfoObjectList() = default;
  ZoConvertInfoObjectList(const ZoConvertInfoObjectList&) = delete;
  ZoConvertInfoObjectList& operator=(const ZoConvertInfoObjectList&) = delete;

  // Appends the item; the queue owns it from now on.
  void AddConvertInfo(std::unique_ptr<ZoConvertInfoObject> item);
  int Count() const { return static_cast<int>(items_.size()); }
  // The item at `index`; throws std::out_of_range for a bad index.
  ZoConvertInfoObject& GetConvertInfo(int index) const;
  // Removes and destroys the item at `index`; throws std::out_of_range for a
  // bad index.
  void Delete(int index);

  // The first item (lowest index) in that state, or nullptr.
  ZoConvertInfoObject* FindWaiting() const;
  ZoConvertInfoObject* FindConverting() const;

  // Whether any item is converted or transferred.
  bool HasFinished() const;
  // Removes converted and transferred items and puts failed ones back to
  // waiting, so that the next run retries them.
  void RemoveFinished();

  // The converter arguments that turn `source` into `output`, to be put
  // directly after the converter path. Both paths are quoted so that any
  // path survives the split into arguments.
  static QString BuildCommandLine(const QString& source, const QString& output);

  // Run settings, written when a run starts.
  QString SaveDir;  // ends with "/"
  bool OpenSaveDir = false;

 private:
  ZoConvertInfoObject* FindFirst(TConvertState state) const;

  std::vector<std::unique_ptr<ZoConvertInfoObject>> items_;
};

}  // namespace discloom
