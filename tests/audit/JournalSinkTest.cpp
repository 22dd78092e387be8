#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "audit/JournalSink.h"

namespace orvane::audit::test {
namespace {

using Fields = std::vector<std::string>;

TEST(JournalSink, EntriesCarryTheirFieldsAndLeaveOutThoseThatDoNotApply) {
  EXPECT_EQ(
      JournalFields({.Event = "setting",
                     .Setting = "gain",
                     .OldValue = "10",
                     .NewValue = "100",
                     .Model = "Maravent",
                     .Port = "COM3"}),
      (Fields{"MESSAGE=gain changed from 10 to 100 (Maravent, COM3)", "PRIORITY=5",
              "SYSLOG_IDENTIFIER=orvane", "ORVANE_EVENT=setting", "ORVANE_SETTING=gain",
              "ORVANE_OLD=10", "ORVANE_NEW=100", "ORVANE_MODEL=Maravent", "ORVANE_PORT=COM3"}));
  EXPECT_EQ(JournalFields({.Event = "unlock refused", .Port = "COM3", .User = "alice"}),
            (Fields{"MESSAGE=unlock refused by account alice (COM3)", "PRIORITY=5",
                    "SYSLOG_IDENTIFIER=orvane", "ORVANE_EVENT=unlock refused", "ORVANE_PORT=COM3",
                    "ORVANE_USER=alice"}));
  EXPECT_EQ(JournalFields({.Event = "setting", .Setting = "filter", .NewValue = "32"})[0],
            "MESSAGE=filter set to 32");
}

// Where no journal listens, the entry is one line on the fallback stream,
// whatever a value holds.
TEST(JournalSink, WithoutAJournalTheEntryIsOneLineOnTheFallback) {
  if (std::filesystem::exists("/run/systemd/journal/socket")) GTEST_SKIP() << "a journal listens";
  std::FILE* fallback = std::tmpfile();
  ASSERT_NE(fallback, nullptr);
  SendToJournal({.Event = "setting",
                 .Setting = "port",
                 .OldValue = "COM3",
                 .NewValue = "COM5",
                 .Port = "COM5 \"/dev/x\"\nforged: line"},
                fallback);
  std::rewind(fallback);
  std::string text(512, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), fallback));
  std::fclose(fallback);
  EXPECT_EQ(text,
            "orvane: \"port changed from COM3 to COM5 (COM5 \\\"/dev/x\\\"?forged: line)\" "
            "ORVANE_EVENT=\"setting\" ORVANE_SETTING=\"port\" ORVANE_OLD=\"COM3\" "
            "ORVANE_NEW=\"COM5\" ORVANE_PORT=\"COM5 \\\"/dev/x\\\"?forged: line\"\n");
}

}  // namespace
}  // namespace orvane::audit::test
