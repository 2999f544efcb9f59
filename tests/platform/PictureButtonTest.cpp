#include "platform/PictureButton.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

using platform::PictureButton;

QImage Grab(PictureButton& button) { return button.grab().toImage(); }

TEST(PictureButton, FixedSizeWordsAndClicks) {
  PictureButton button(QStringLiteral("ファイル追加"), PictureButton::Glyph::Film,
                       PictureButton::Placement::Above, QSize(83, 79));
  EXPECT_EQ(button.size(), QSize(83, 79));
  EXPECT_EQ(button.minimumSize(), button.maximumSize());
  EXPECT_EQ(button.accessibleName(), "ファイル追加");
  EXPECT_EQ(button.toolTip(), "ファイル追加");
  EXPECT_TRUE(button.text().isEmpty());

  int clicks = 0;
  QObject::connect(&button, &QAbstractButton::clicked, &button, [&] { ++clicks; });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST(PictureButton, DisabledLooksDifferentAndIgnoresClicks) {
  PictureButton button(QStringLiteral("動画変換"), PictureButton::Glyph::Convert,
                       PictureButton::Placement::Above, QSize(123, 56));
  button.show();
  const QImage enabled = Grab(button);
  button.setEnabled(false);
  const QImage disabled = Grab(button);
  EXPECT_NE(enabled, disabled);

  int clicks = 0;
  QObject::connect(&button, &QAbstractButton::clicked, &button, [&] { ++clicks; });
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
}

TEST(PictureButton, PressedPictureDiffersFromNormal) {
  PictureButton button(QStringLiteral("選択"), PictureButton::Glyph::None,
                       PictureButton::Placement::Above, QSize(61, 29));
  button.show();
  const QImage normal = Grab(button);
  button.setDown(true);
  EXPECT_NE(Grab(button), normal);
}

}  // namespace
