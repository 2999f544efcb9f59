#include "discloom/ZoConvertInfo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/CommandLineText.h"

namespace {

using discloom::TConvertState;
using discloom::ZoConvertInfoObject;
using discloom::ZoConvertInfoObjectList;

// Queues one item per state, named "0", "1", ... in order.
void Fill(ZoConvertInfoObjectList& list, const std::vector<TConvertState>& states) {
  for (const TConvertState state : states) {
    auto item = std::make_unique<ZoConvertInfoObject>(QString::number(list.Count()));
    item->State = state;
    list.AddConvertInfo(std::move(item));
  }
}

std::vector<QString> Names(const ZoConvertInfoObjectList& list) {
  std::vector<QString> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.GetConvertInfo(i).SourceFileName);
  return names;
}

TEST(ZoConvertInfo, NewItemWaitsWithEmptyPathsAndStatesHaveTheirWords) {
  const ZoConvertInfoObject item;
  EXPECT_TRUE(item.SourceFileName.isEmpty());
  EXPECT_TRUE(item.OutputFileName.isEmpty());
  EXPECT_EQ(item.State, TConvertState::csWaiting);

  const std::vector<std::pair<TConvertState, QString>> words = {
      {TConvertState::csWaiting, "変換待ち"},   {TConvertState::csConverting, "変換中"},
      {TConvertState::csConverted, "変換完了"}, {TConvertState::csTransferred, "転送完了"},
      {TConvertState::csFailed, "変換失敗"},
  };
  for (const auto& [state, text] : words) {
    ZoConvertInfoObject stated;
    stated.State = state;
    EXPECT_EQ(stated.GetStateText(), text) << static_cast<int>(state);
  }
}

TEST(ZoConvertInfoObjectList, KeepsQueueOrderAndRemovesByIndex) {
  ZoConvertInfoObjectList list;
  EXPECT_EQ(list.Count(), 0);
  Fill(list, std::vector<TConvertState>(5, TConvertState::csWaiting));
  // The same file may be queued twice.
  list.AddConvertInfo(std::make_unique<ZoConvertInfoObject>("1"));
  EXPECT_EQ(Names(list), (std::vector<QString>{"0", "1", "2", "3", "4", "1"}));

  list.Delete(3);
  list.Delete(1);
  EXPECT_EQ(Names(list), (std::vector<QString>{"0", "2", "4", "1"}));

  EXPECT_THROW(list.GetConvertInfo(4), std::out_of_range);
  EXPECT_THROW(list.GetConvertInfo(-1), std::out_of_range);
  EXPECT_THROW(list.Delete(4), std::out_of_range);
  EXPECT_EQ(list.Count(), 4);
}

TEST(ZoConvertInfoObjectList, FindsTheFirstWaitingAndConvertingItem) {
  using S = TConvertState;
  struct Case {
    std::vector<S> states;
    QString waiting;     // empty: none
    QString converting;  // empty: none
  };
  const std::vector<Case> cases = {
      {{}, "", ""},
      {{S::csConverted, S::csWaiting, S::csConverting, S::csWaiting}, "1", "2"},
      {{S::csConverting, S::csFailed, S::csTransferred}, "", "0"},
      {{S::csFailed, S::csWaiting, S::csWaiting}, "1", ""},
  };
  for (const Case& c : cases) {
    ZoConvertInfoObjectList list;
    Fill(list, c.states);
    const ZoConvertInfoObject* waiting = list.FindWaiting();
    const ZoConvertInfoObject* converting = list.FindConverting();
    EXPECT_EQ(waiting ? waiting->SourceFileName : QString(), c.waiting);
    EXPECT_EQ(converting ? converting->SourceFileName : QString(), c.converting);
  }
}

TEST(ZoConvertInfoObjectList, CleanUpRemovesFinishedAndRetriesFailed) {
  using S = TConvertState;
  ZoConvertInfoObjectList list;
  Fill(list, {S::csConverted, S::csFailed, S::csWaiting, S::csConverted});
  EXPECT_TRUE(list.HasFinished());
  list.RemoveFinished();
  EXPECT_EQ(Names(list), (std::vector<QString>{"1", "2"}));
  EXPECT_EQ(list.GetConvertInfo(0).State, S::csWaiting);
  EXPECT_EQ(list.GetConvertInfo(1).State, S::csWaiting);
  EXPECT_FALSE(list.HasFinished());

  ZoConvertInfoObjectList other;
  Fill(other, {S::csTransferred, S::csConverting, S::csWaiting});
  EXPECT_TRUE(other.HasFinished());
  other.RemoveFinished();
  EXPECT_EQ(Names(other), (std::vector<QString>{"1", "2"}));
  EXPECT_EQ(other.GetConvertInfo(0).State, S::csConverting);

  ZoConvertInfoObjectList unfinished;
  Fill(unfinished, {S::csFailed, S::csWaiting, S::csConverting});
  EXPECT_FALSE(unfinished.HasFinished());
}

TEST(ZoConvertInfoObjectList, CommandLineHasTheExactArguments) {
  EXPECT_EQ(
      ZoConvertInfoObjectList::BuildCommandLine("/media/cdrom/VIDEO_TS/VTS_01_1.VOB",
                                                "/home/user/out/VTS_01_1.mpg"),
      " -y -i \"/media/cdrom/VIDEO_TS/VTS_01_1.VOB\" -vcodec mpeg1video -async 1000  -r 30 "
      "-acodec mp2 -b 4096kb -ac 2 -ar 48000 -ab 256k -f mpeg \"/home/user/out/VTS_01_1.mpg\"");
}

TEST(ZoConvertInfoObjectList, AnyPathSurvivesTheCommandLine) {
  const QString source = QStringLiteral("/media/ディスク \"1\"/VIDEO_TS/VTS_01_1.VOB");
  const QString output = QStringLiteral("/home/user/保存 先\\/VTS_01_1.mpg");
  const QStringList args = platform::SplitCommandLine(
      "lib/ffmpeg" + ZoConvertInfoObjectList::BuildCommandLine(source, output));
  ASSERT_EQ(args.size(), 23);
  EXPECT_EQ(args[3], source);
  EXPECT_EQ(args.last(), output);
}

TEST(ZoConvertInfo, OnlyVobExtensionsPass) {
  const std::vector<std::pair<QString, bool>> cases = {
      {"/d/a.vob", true},      {"/d/C.VOB", true},        {"/d/x.Vob", true},
      {"/d/映像 1.VOB", true}, {"/d/a.b.vob", true},      {"/d/b.txt", false},
      {"/d/d.mpg", false},     {"/d/VOB", false},         {"/d/a.VOB2", false},
      {"/d/a.vo", false},      {"/d.VOB/name", false},    {"/d/a.ＶＯＢ", false},
      {"/d/a.VOB.bak", false}, {"/d/folder.vob/", false},
  };
  for (const auto& [path, accepted] : cases) {
    EXPECT_EQ(discloom::HasVobExtension(path), accepted) << path.toStdString();
  }
}

}  // namespace
