#include <gtest/gtest.h>

#include <QRegularExpression>

#include "LineTraceCapture.h"
#include "PanelRig.h"

namespace orvane::panel::test {
namespace {

using Commands = std::vector<std::string>;
using serial::test::TLineTraceCapture;

class MainWindowLineTraceTest : public PanelRig {
 protected:
  // Runs a connected window for a while, then closes it and its port. At
  // 2400 bit/s a reply comes in several pieces.
  void ConnectedStretch() {
    StartSim('B');
    OpenWindow();
    ASSERT_TRUE(WaitConnected());
    RunFor(3000);
    window.reset();
  }

  // What the trace says went `way`, without the time and the port.
  static Commands Traced(const QString& way) {
    const QRegularExpression form(R"(^\d\d:\d\d:\d\d\.\d{3} COM3 (sent|received) (.*)$)");
    Commands texts;
    for (const QString& line : TLineTraceCapture::Lines()) {
      const QRegularExpressionMatch match = form.match(line);
      EXPECT_TRUE(match.hasMatch()) << line.toStdString();
      if (match.captured(1) == way) texts.push_back(match.captured(2).toStdString());
    }
    return texts;
  }

  // The replies the simulator sent, as its log spells them.
  Commands Replies() {
    sim->Drain();
    Commands replies;
    for (const std::string& line : sim->LogSoFar()) {
      if (line.starts_with("TX ")) replies.push_back(line.substr(line.find(' ', 3) + 1));
    }
    return replies;
  }
};

TEST_F(MainWindowLineTraceTest, EachCommandAndEachReplyIsOneLine) {
  TLineTraceCapture trace(true);
  ConnectedStretch();
  Commands sent = Traced("sent");
  ASSERT_GE(sent.size(), 8u);
  for (std::string& command : sent) {
    ASSERT_TRUE(command.ends_with("\\r")) << command;
    command.resize(command.size() - 2);
  }
  ASSERT_TRUE(RunUntil([&] { return Received().size() >= sent.size(); }, 2000));
  EXPECT_EQ(Received(), sent);
  // A reply still on its way when the port closed is not received.
  const Commands received = Traced("received");
  const Commands replies = Replies();
  ASSERT_LE(received.size(), replies.size());
  EXPECT_GE(received.size() + 1, replies.size());
  EXPECT_EQ(received,
            Commands(replies.begin(), replies.begin() + static_cast<long>(received.size())));
}

TEST_F(MainWindowLineTraceTest, OffByDefaultNothingIsWritten) {
  TLineTraceCapture trace(false);
  ConnectedStretch();
  EXPECT_FALSE(Received().empty());
  EXPECT_TRUE(TLineTraceCapture::Lines().isEmpty());
}

}  // namespace
}  // namespace orvane::panel::test
