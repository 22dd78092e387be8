#include "serial/LineTrace.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "ComPortFixture.h"
#include "LineTraceCapture.h"
#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using LineTraceTest = TComPortFixture;

TEST(LineTraceText, CarriageReturnsAndAnythingUnprintableAreSpelledOut) {
  EXPECT_EQ(EscapeLineBytes("0064,A14\r"), "0064,A14\\r");
  EXPECT_EQ(EscapeLineBytes(std::string("\x01z\n\\\xFF\0", 6)), "\\x01z\\n\\\\\\xFF\\x00");
}

// The talk of one port: a command, a reply in two pieces, noise without a
// CR before the next command, and a piece still open when the port closes.
void Converse(TPtyPair& pty, TApdComPort& port) {
  std::size_t read = 0;
  port.SetOnTriggerAvail([&](TApdComPort& cp, std::uint16_t count) {
    for (int i = 0; i < count; ++i, ++read) cp.GetChar();
  });
  port.SetComNumber(3);
  port.SetOpen(true);
  port.PutString("?A\r");
  pty.Write("0064,");
  ASSERT_TRUE(RunUntil([&] { return read == 5; }));
  pty.Write("A14\r\x01zz");
  ASSERT_TRUE(RunUntil([&] { return read == 12; }));
  port.PutString("$F\r");
  pty.Write("00");
  ASSERT_TRUE(RunUntil([&] { return read == 14; }));
  port.SetOpen(false);
}

TEST_F(LineTraceTest, EachCommandAndEachReceivedLineIsOneLineOfTheTrace) {
  TLineTraceCapture trace(true);
  Converse(PtyA, Port);
  const QStringList& lines = TLineTraceCapture::Lines();
  ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
  const QRegularExpression form(R"(^\d\d:\d\d:\d\d\.\d{3} COM3 (sent|received) \S+$)");
  for (const QString& line : lines) EXPECT_TRUE(form.match(line).hasMatch()) << line.toStdString();
  EXPECT_TRUE(lines[0].endsWith(" sent ?A\\r"));
  EXPECT_TRUE(lines[1].endsWith(" received 0064,A14\\r"));
  EXPECT_TRUE(lines[2].endsWith(" received \\x01zz"));
  EXPECT_TRUE(lines[3].endsWith(" sent $F\\r"));
  EXPECT_TRUE(lines[4].endsWith(" received 00"));
}

TEST_F(LineTraceTest, OffItWritesNothing) {
  TLineTraceCapture trace(false);
  Converse(PtyA, Port);
  EXPECT_TRUE(TLineTraceCapture::Lines().isEmpty());
}

}  // namespace
}  // namespace orvane::serial::test
