#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

#include "handover_message.h"

using ordelix::handover_body_length;
using ordelix::handover_frame;
using ordelix::handover_paths;

namespace {

QByteArray body_of(const QByteArray& frame) {
  return frame.mid(ordelix::handover_header_bytes);
}

TEST(HandoverMessage, IsALengthThenTheVersionThenEachPathAsUtf16) {
  QByteArray frame = handover_frame({"/a"});
  // version 1, one path, of 4 bytes: '/' and 'a' as big-endian UTF-16.
  QByteArray body = QByteArray::fromHex("0001 00000001 00000004 002f0061");
  EXPECT_EQ(frame, QByteArray::fromHex("0000000e") + body);
  EXPECT_EQ(handover_body_length(frame.left(4)), 14);
  EXPECT_EQ(handover_paths(body), QStringList{"/a"});
  EXPECT_EQ(handover_paths(QByteArray::fromHex("0001 00000000")), QStringList{})
      << "an instance started without files still asks for the window";
}

TEST(HandoverMessage, CarriesPathsOfAnyScriptInTheirOrder) {
  QStringList paths = {"/home/ана/測定 1.PRO",      "/data/قياس.NUC", "/tmp/a\nb\tc.OD",
                       "/x/\"quoted\" \\ 'odd'.TM", "/e/😀.WSC",       "/z/\u00e9\u0301.PRO"};
  QByteArray frame = handover_frame(paths);
  ASSERT_EQ(handover_body_length(frame), frame.size() - 4);
  EXPECT_EQ(handover_paths(body_of(frame)), paths);
}

TEST(HandoverMessage, TooManyPathsForOneMessageGiveNoFrame) {
  // Two bytes a character: the path alone fills the body.
  QString path(ordelix::handover_max_body_bytes / 2, QChar('p'));
  EXPECT_TRUE(handover_frame({path}).isEmpty());
  EXPECT_FALSE(handover_frame({path.left(path.size() - 5)}).isEmpty())
      << "the version, the count and the path's length take 10 bytes";
  EXPECT_TRUE(handover_frame({path.left(path.size() - 4)}).isEmpty());
}

TEST(HandoverMessage, AMalformedMessageGivesNoPaths) {
  QByteArray good = body_of(handover_frame({"/a", "/b"}));
  ASSERT_TRUE(handover_paths(good).has_value());
  const std::pair<const char*, QByteArray> malformed[] = {
      {"empty", QByteArray()},
      {"cut short", good.left(good.size() - 1)},
      {"a byte left over", good + '\0'},
      {"another version", QByteArray::fromHex("0002") + good.mid(2)},
      {"half a character", QByteArray::fromHex("0001 00000001 00000003 002f00")},
      {"an empty path", QByteArray::fromHex("0001 00000001 00000000")},
      {"no path for its count", QByteArray::fromHex("0001 ffffffff 00000002 002f")},
      {"text, not a message", "open /etc/passwd please"},
  };
  for (const auto& [what, body] : malformed) EXPECT_FALSE(handover_paths(body)) << what;
}

TEST(HandoverMessage, AHeaderOverTheLimitOrCutShortAnnouncesNothing) {
  EXPECT_EQ(handover_body_length(QByteArray::fromHex("00800000")), 8 << 20);
  EXPECT_EQ(handover_body_length(QByteArray::fromHex("00800001")), -1);
  EXPECT_EQ(handover_body_length(QByteArray::fromHex("ffffffff")), -1);
  EXPECT_EQ(handover_body_length(QByteArray::fromHex("000000")), -1);
}

}  // namespace
