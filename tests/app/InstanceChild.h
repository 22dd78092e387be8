#pragma once

namespace orvane::app::test {

// Run with this flag and a mode, the test program plays another copy of the
// panel started while the test runs:
//   probe     exits kFirstCopy or kSecondCopy;
//   handover  hands over to the running copy and exits 0 (kFirstCopy when
//             it finds itself alone);
//   hold      shows its main window, listens, prints "held" and waits to be
//             killed.
inline constexpr char kInstanceChildFlag[] = "--instance-child";
inline constexpr int kFirstCopy = 10;
inline constexpr int kSecondCopy = 11;

int RunInstanceChild(int argc, char** argv);

}  // namespace orvane::app::test
