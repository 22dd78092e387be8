#include <vector>

#include "PortFixture.h"

namespace orvane::serial::test {
namespace {

using OutputRingTest = TPortFixture;

TEST_F(OutputRingTest, QueuedBytesReachTheOtherEnd) {
  const std::string command = "!J7F\r";
  ASSERT_EQ(Port->PutBlock(
                std::span(reinterpret_cast<const std::uint8_t*>(command.data()), command.size())),
            ecOK);
  EXPECT_EQ(Pty.Read(command.size()), command);
}

TEST(OutputRingFitTest, ABlockThatDoesNotFitIsRefusedWhole) {
  TPtyPair pty;
  TRecordingOwner owner;
  TApdWin32Dispatcher port(&owner);
  ASSERT_EQ(port.InitPort(pty.SlavePath(), {}, 64, 16, lfRaiseDTR), ecOK);
  std::vector<std::uint8_t> block(17, 'x');
  EXPECT_EQ(port.PutBlock(block), ecOutputBufferTooSmall);
  EXPECT_EQ(port.OutBuffUsed(), 0) << "nothing of a refused block is queued";
  block.resize(16);
  EXPECT_EQ(port.PutBlock(block), ecOK);
  EXPECT_EQ(port.PutBlock({}), ecOK);
  EXPECT_EQ(pty.Read(16), std::string(16, 'x'));
  port.DonePort();
}

}  // namespace
}  // namespace orvane::serial::test
