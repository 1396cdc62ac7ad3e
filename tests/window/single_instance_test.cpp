#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "handover_message.h"
#include "instance_socket.h"
#include "single_instance.h"

using ordelix::InstanceSocket;
using ordelix::SingleInstance;
using Claim = SingleInstance::Claim;
using namespace std::chrono_literals;

namespace {

constexpr auto patience = 2000ms;

// What a crashed instance leaves behind: the socket's file, nobody listening on it.
void leave_stale_socket(const QString& path) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  QByteArray name = QFile::encodeName(path);
  ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
  std::copy(name.begin(), name.end(), address.sun_path);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

QStringList received_paths(const QSignalSpy& spy, qsizetype i) {
  return spy.at(i).at(0).toStringList();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  InstanceSocket socket{dir.filePath("ordelix-1000-_0"), QLocalServer::NoOptions};

  // Sends bytes as a broken or hostile program would; what came back before the server let go.
  QByteArray send_raw(const QByteArray& bytes) {
    QLocalSocket raw;
    raw.connectToServer(socket.path);
    EXPECT_TRUE(raw.waitForConnected(1000));
    raw.write(bytes);
    raw.flush();
    QByteArray answer;
    bool let_go = QTest::qWaitFor(
        [&] {
          answer += raw.readAll();
          return raw.state() == QLocalSocket::UnconnectedState;
        },
        10000);
    EXPECT_TRUE(let_go);
    return answer;
  }
};

TEST_F(SingleInstanceTest, LaterInstancesHandTheirPathsToTheFirstInOrder) {
  SingleInstance first(socket, patience);
  QSignalSpy received(&first, &SingleInstance::pathsReceived);
  ASSERT_EQ(first.claim({"/data/mine.PRO"}), Claim::serving);

  QStringList scripts = {"/home/ана/測定 1.PRO", "/data/قياس.NUC", "/d/a\nb\t\"c\" \\ 'd'.OD",
                         "/e/😀.WSC", "/data/day 2"};
  QStringList plain = {"/data/b.PRO"};
  SingleInstance second(socket, patience);
  SingleInstance third(socket, patience);
  SingleInstance fourth(socket, patience);
  QSignalSpy received_by_second(&second, &SingleInstance::pathsReceived);
  EXPECT_EQ(second.claim(scripts), Claim::handedOver);
  EXPECT_EQ(third.claim(plain), Claim::handedOver);
  EXPECT_EQ(fourth.claim({}), Claim::handedOver) << "without files it still asks for the window";

  ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 3; }, 5000));
  EXPECT_EQ(received_paths(received, 0), scripts);
  EXPECT_EQ(received_paths(received, 1), plain);
  EXPECT_TRUE(received_paths(received, 2).isEmpty());
  EXPECT_TRUE(received_by_second.isEmpty());
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashIsTakenOver) {
  for (auto options : {QLocalServer::NoOptions, QLocalServer::UserAccessOption}) {
    SCOPED_TRACE(options == QLocalServer::NoOptions ? "runtime folder" : "temporary folder");
    InstanceSocket left{dir.filePath(QString("crashed-%1").arg(options)), options};
    leave_stale_socket(left.path);
    ASSERT_TRUE(QFileInfo::exists(left.path));

    SingleInstance next(left, patience);
    QSignalSpy received(&next, &SingleInstance::pathsReceived);
    ASSERT_EQ(next.claim({}), Claim::serving);
    SingleInstance later(left, patience);
    EXPECT_EQ(later.claim({"/data/a.PRO"}), Claim::handedOver);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; }, 5000));
    EXPECT_EQ(received_paths(received, 0), QStringList{"/data/a.PRO"});
  }
}

TEST_F(SingleInstanceTest, OutsideARuntimeFolderOnlyTheUserMayConnect) {
  socket.options = QLocalServer::UserAccessOption;
  SingleInstance first(socket, patience);
  ASSERT_EQ(first.claim({}), Claim::serving);
  QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                              QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_FALSE(QFileInfo(socket.path).permissions() & others);
  EXPECT_TRUE(QFileInfo(socket.path).permissions() & QFile::WriteOwner);
}

TEST_F(SingleInstanceTest, AnInstanceThatNeverAnswersIsGivenUpOn) {
  QLocalServer hung;  // accepts in the kernel, never reads
  ASSERT_TRUE(hung.listen(socket.path));
  SingleInstance late(socket, 300ms);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(late.claim({"/data/a.PRO"}), Claim::alone);
  EXPECT_LT(clock.elapsed(), 5000) << "gives up after its patience of 0.3 s";
  EXPECT_TRUE(QFileInfo::exists(socket.path)) << "the running one keeps its socket";
  EXPECT_TRUE(hung.isListening());

  hung.close();
  QLockFile stuck(socket.path + ".lock");
  ASSERT_TRUE(stuck.tryLock(0));
  EXPECT_EQ(late.claim({"/data/a.PRO"}), Claim::alone) << "a lock held by a live holder";
  EXPECT_FALSE(QFileInfo::exists(socket.path));
}

TEST_F(SingleInstanceTest, MalformedMessagesAreIgnoredAndServingGoesOn) {
  SingleInstance first(socket, 500ms);
  QSignalSpy received(&first, &SingleInstance::pathsReceived);
  ASSERT_EQ(first.claim({}), Claim::serving);

  QByteArray one_path = QByteArray::fromHex("00000001 00000004 002f0061");
  const std::pair<const char*, QByteArray> bad[] = {
      {"text, whose first bytes announce far too much", "GET / HTTP/1.0\r\n\r\n"},
      {"over the limit", QByteArray::fromHex("00800001") + QByteArray(64 << 10, 'x')},
      {"another version", QByteArray::fromHex("0000000e 0002") + one_path},
      {"a byte more than its paths", QByteArray::fromHex("0000000f 0001") + one_path + '\0'},
      {"stalled half way", QByteArray::fromHex("0000000e 0001 0000")},
  };
  for (const auto& [what, bytes] : bad) EXPECT_TRUE(send_raw(bytes).isEmpty()) << what;

  SingleInstance later(socket, patience);
  EXPECT_EQ(later.claim({"/data/b.PRO"}), Claim::handedOver);
  ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; }, 5000));
  EXPECT_EQ(received_paths(received, 0), QStringList{"/data/b.PRO"});
}

TEST(InstanceSocketPath, IsKeyedByUserAndDisplay) {
  QTemporaryDir runtime;
  auto path = [&](uint uid, const char* wayland, const char* x11) {
    return ordelix::instance_socket(runtime.path(), "/tmp", uid, wayland, x11).path;
  };
  EXPECT_EQ(path(1000, "", ":0"), runtime.filePath("ordelix-1000-_0"));
  EXPECT_EQ(path(1000, "", ":1"), runtime.filePath("ordelix-1000-_1"));
  EXPECT_EQ(path(1001, "", ":0"), runtime.filePath("ordelix-1001-_0"));
  EXPECT_EQ(path(1000, "wayland-0", ":0"), runtime.filePath("ordelix-1000-wayland-0"))
      << "X programs of a Wayland session share its window";
  EXPECT_EQ(path(1000, "/run/user/1000/wayland-1", ""),
            runtime.filePath("ordelix-1000-_run_user_1000_wayland-1"));
  EXPECT_EQ(path(1000, "", "host.lan:10.0"), runtime.filePath("ordelix-1000-host.lan_10.0"));
  EXPECT_EQ(path(1000, "", "écran:0"), runtime.filePath("ordelix-1000-_cran_0"));
  EXPECT_EQ(path(1000, "", ""), runtime.filePath("ordelix-1000"));
  EXPECT_EQ(ordelix::instance_socket(runtime.path(), "/tmp", 1000, "", ":0").options,
            QLocalServer::NoOptions);
}

TEST(InstanceSocketPath, WithoutARuntimeFolderIsATemporaryOneOnlyItsUserReaches) {
  for (const char* runtime : {"", "relative/run", "/nonexistent/run/user/1000"}) {
    ordelix::InstanceSocket s = ordelix::instance_socket(runtime, "/tmp/t", 1000, "", ":0");
    EXPECT_EQ(s.path, "/tmp/t/ordelix-1000-_0") << runtime;
    EXPECT_EQ(s.options, QLocalServer::UserAccessOption) << runtime;
  }
}

}  // namespace
