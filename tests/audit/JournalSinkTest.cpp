#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "audit/JournalSink.h"

namespace orvane::audit::test {
namespace {

// The child's exit status when the system grants it no namespace.
constexpr int kNoNamespace = 3;

// Root, or the account mapped to root in a user namespace of its own.
bool OwnMountNamespace() {
  if (geteuid() == 0) return unshare(CLONE_NEWNS) == 0;
  const std::string users = "0 " + std::to_string(geteuid()) + " 1";
  const std::string groups = "0 " + std::to_string(getegid()) + " 1";
  if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  std::ofstream("/proc/self/setgroups") << "deny";
  std::ofstream("/proc/self/uid_map") << users;
  std::ofstream("/proc/self/gid_map") << groups;
  return true;
}

// Runs `body` in a child that sees an empty /run of its own, so the journal's
// socket is whatever the test puts there, and returns what the body returned.
// None where the system grants no such namespace.
std::optional<std::string> WithPrivateRun(const std::function<std::string()>& body) {
  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    if (!OwnMountNamespace() || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", "/run", "tmpfs", 0, nullptr) != 0)
      _exit(kNoNamespace);
    const std::string result = body();
    _exit(write(out[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0
                                                                                             : 1);
  }
  close(out[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNoNamespace) return std::nullopt;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return result;
}

// A value may hold anything a hand-edited config.ini puts there.
const TAuditEvent kUnlockRefused{.Event = "unlock refused",
                                 .Model = "Maravent",
                                 .Port = "COM5 \"/dev/x\"\nforged: line",
                                 .User = "alice"};

// What journald's socket receives: one datagram of NAME=value lines, without
// the fields that do not apply, and a value holding a line break in the
// protocol's binary form (name, line break, 64-bit little-endian length).
TEST(JournalSink, TheJournalGetsOneDatagramWithTheEventsFields) {
  const auto received = WithPrivateRun([] {
    mkdir("/run/systemd", 0755);
    mkdir("/run/systemd/journal", 0755);
    const int journal = socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = "/run/systemd/journal/socket"};
    if (bind(journal, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
      return std::string();
    SendToJournal(kUnlockRefused);
    std::string datagram(4096, '\0');
    datagram.resize(
        std::max<ssize_t>(0, recv(journal, datagram.data(), datagram.size(), MSG_DONTWAIT)));
    return datagram;
  });
  if (!received) GTEST_SKIP() << "no mount namespace of our own here";
  const auto binary = [](const std::string& name, const std::string& value) {
    std::string length;
    for (int i = 0; i < 8; ++i) length += static_cast<char>((value.size() >> (8 * i)) & 0xFF);
    return name + '\n' + length + value + '\n';
  };
  const std::string& port = kUnlockRefused.Port;
  EXPECT_EQ(*received,
            binary("MESSAGE", "unlock refused by account alice (Maravent, " + port + ")") +
                "PRIORITY=5\nSYSLOG_IDENTIFIER=orvane\nORVANE_EVENT=unlock refused\n"
                "ORVANE_MODEL=Maravent\n" +
                binary("ORVANE_PORT", port) + "ORVANE_USER=alice\n");
}

// Where no journal listens, the entry is one line on the fallback stream,
// whatever a value holds.
TEST(JournalSink, WithoutAJournalTheEntryIsOneLineOnTheFallback) {
  const auto written = WithPrivateRun([] {
    std::FILE* fallback = std::tmpfile();
    SendToJournal({.Event = "setting",
                   .Setting = "port",
                   .OldValue = "COM3",
                   .NewValue = "COM5",
                   .Port = kUnlockRefused.Port},
                  fallback);
    std::rewind(fallback);
    std::string text(512, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), fallback));
    return text;
  });
  if (!written) GTEST_SKIP() << "no mount namespace of our own here";
  EXPECT_EQ(*written,
            "orvane: \"port changed from COM3 to COM5 (COM5 \\\"/dev/x\\\"?forged: line)\" "
            "ORVANE_EVENT=\"setting\" ORVANE_SETTING=\"port\" ORVANE_OLD=\"COM3\" "
            "ORVANE_NEW=\"COM5\" ORVANE_PORT=\"COM5 \\\"/dev/x\\\"?forged: line\"\n");
}

}  // namespace
}  // namespace orvane::audit::test
