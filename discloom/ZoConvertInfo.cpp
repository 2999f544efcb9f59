#include "discloom/ZoConvertInfo.h"

#include "common/PathNames.h"

#include <stdexcept>
#include <string>

#include "platform/CommandLineText.h"

namespace discloom {
namespace {

bool IsFinished(TConvertState state) {
  return state == TConvertState::csConverted || state == TConvertState::csTransferred;
}

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) {
    throw std::out_of_range("conversion queue index " + std::to_string(index) + " out of range");
  }
}

}  // namespace

QString StateText(TConvertState state) {
  switch (state) {
    case TConvertState::csWaiting:
      return QStringLiteral("変換待ち");
    case TConvertState::csConverting:
      return QStringLiteral("変換中");
    case TConvertState::csConverted:
      return QStringLiteral("変換完了");
    case TConvertState::csTransferred:
      return QStringLiteral("転送完了");
    case TConvertState::csFailed:
      return QStringLiteral("変換失敗");
  }
  return QString();
}

bool HasVobExtension(const QString& path) {
  const QString name = common::FileNamePart(path);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) return false;
  // Only ASCII letters are folded, so a full-width "ＶＯＢ" stays refused.
  QString extension = name.mid(dot);
  for (QChar& c : extension) {
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - u'a' + u'A');
  }
  return extension == QStringLiteral(".VOB");
}

void ZoConvertInfoObjectList::AddConvertInfo(std::unique_ptr<ZoConvertInfoObject> item) {
  if (!item) throw std::invalid_argument("no item to queue");
  items_.push_back(std::move(item));
}

ZoConvertInfoObject& ZoConvertInfoObjectList::GetConvertInfo(int index) const {
  CheckIndex(index, Count());
  return *items_[static_cast<size_t>(index)];
}

void ZoConvertInfoObjectList::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
}

ZoConvertInfoObject* ZoConvertInfoObjectList::FindFirst(TConvertState state) const {
  for (const auto& item : items_) {
    if (item->State == state) return item.get();
  }
  return nullptr;
}

ZoConvertInfoObject* ZoConvertInfoObjectList::FindWaiting() const {
  return FindFirst(TConvertState::csWaiting);
}

ZoConvertInfoObject* ZoConvertInfoObjectList::FindConverting() const {
  return FindFirst(TConvertState::csConverting);
}

bool ZoConvertInfoObjectList::HasFinished() const {
  for (const auto& item : items_) {
    if (IsFinished(item->State)) return true;
  }
  return false;
}

void ZoConvertInfoObjectList::RemoveFinished() {
  for (int i = Count() - 1; i >= 0; --i) {
    ZoConvertInfoObject& item = *items_[static_cast<size_t>(i)];
    if (IsFinished(item.State)) {
      Delete(i);
    } else if (item.State == TConvertState::csFailed) {
      item.State = TConvertState::csWaiting;
    }
  }
}

QString ZoConvertInfoObjectList::BuildCommandLine(const QString& source, const QString& output) {
  return QStringLiteral(" -y -i ") + platform::QuotePath(source) +
         QStringLiteral(" -vcodec mpeg1video -async 1000 ") +
         QStringLiteral(" -r 30 -acodec mp2 -b 4096kb -ac 2 -ar 48000 -ab 256k -f mpeg ") +
         platform::QuotePath(output);
}

}  // namespace discloom
