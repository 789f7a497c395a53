// The media buttons against a fake player on a private session bus.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <string>

#include "MonitorFakes.h"
#include "monitor/MediaPlayers.h"
#include "mpris/QtMprisBus.h"

namespace {

// Reads one line from fd, waiting at most timeoutMs for each byte.
std::string readLine(int fd, int timeoutMs = 5000) {
  std::string line;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return line;
    char c;
    if (::read(fd, &c, 1) != 1 || c == '\n') return line;
    line += c;
  }
}

// A player answering on the MPRIS object: it writes each method it gets to
// a pipe, one per line, and reports itself playing.
class FakePlayer : public QDBusVirtualObject {
 public:
  explicit FakePlayer(int out) : out_(out) {}
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const std::string line = (message.interface() + " " + message.member() + "\n").toStdString();
    [[maybe_unused]] auto n = ::write(out_, line.data(), line.size());
    if (message.member() == QLatin1String("Get"))
      connection.send(
          message.createReply(QVariant::fromValue(QDBusVariant(QStringLiteral("Playing")))));
    else
      connection.send(message.createReply());
    return true;
  }

 private:
  int out_;
};

class Child {
 public:
  template <typename Body>
  explicit Child(Body body) {
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::_exit(body());
    }
  }
  ~Child() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  pid_t pid_ = -1;
};

TEST(MprisBusTest, MediaButtonsDriveAPlayerOnThePrivateSessionBus) {
  int address[2];
  ASSERT_EQ(::pipe(address), 0);
  Child daemon([&] {
    ::close(address[0]);
    const std::string fd = "--print-address=" + std::to_string(address[1]);
    ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", fd.c_str(), nullptr);
    return 127;
  });
  ::close(address[1]);
  const std::string bus = readLine(address[0]);
  ::close(address[0]);
  ASSERT_FALSE(bus.empty()) << "dbus-daemon did not start";
  ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);

  int calls[2];
  ASSERT_EQ(::pipe(calls), 0);
  Child player([&] {
    ::close(calls[0]);
    int argc = 1;
    char name[] = "fake-player";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QDBusConnection connection = QDBusConnection::sessionBus();
    FakePlayer object(calls[1]);
    if (!connection.registerVirtualObject(QStringLiteral("/org/mpris/MediaPlayer2"), &object) ||
        !connection.registerService(QStringLiteral("org.mpris.MediaPlayer2.vlc.instance7")))
      return 1;
    const std::string ready = "ready\n";
    [[maybe_unused]] auto n = ::write(calls[1], ready.data(), ready.size());
    return app.exec();
  });
  ::close(calls[1]);
  ASSERT_EQ(readLine(calls[0]), "ready");

  int argc = 1;
  char name[] = "mpris-test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  mpris::QtMprisBus mprisBus;
  EXPECT_EQ(mprisBus.players(), std::vector<std::string>{"org.mpris.MediaPlayer2.vlc.instance7"});

  monitor::testing::FakeShell shell;
  monitor::MediaPlayers players(&mprisBus, shell);
  settings::Profile profile{};
  profile.MediaOption = 2;
  players.onMediaFunction(35, 0, profile);
  EXPECT_EQ(readLine(calls[0]), "org.mpris.MediaPlayer2.Player PlayPause");
  players.onMediaFunction(34, 1, profile);  // a release does nothing
  players.onMediaFunction(34, 0, profile);
  EXPECT_EQ(readLine(calls[0]), "org.mpris.MediaPlayer2.Player Next");
  players.onMediaFunction(32, 0, profile);
  EXPECT_EQ(readLine(calls[0]), "org.mpris.MediaPlayer2 Raise");
  profile.MediaOption = 0;  // the playing one
  players.onMediaFunction(36, 0, profile);
  EXPECT_EQ(readLine(calls[0]), "org.freedesktop.DBus.Properties Get");
  EXPECT_EQ(readLine(calls[0]), "org.mpris.MediaPlayer2.Player Stop");
  // Rhythmbox is not running: nothing is sent, nothing started.
  profile.MediaOption = 1;
  players.onMediaFunction(35, 0, profile);
  EXPECT_TRUE(shell.calls.empty());
  ::close(calls[0]);
}

}  // namespace
