#pragma once

#include <string>
#include <string_view>

namespace orvane::sim {

// A raw pseudo-terminal whose slave end stands for the instrument's socket.
// The simulator keeps a slave descriptor of its own open: without it the
// master reports a hang-up whenever the panel has the port closed, and a
// poll() on it would spin.
class Pty {
 public:
  Pty();  // throws std::system_error
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // Through the pty's window-size record, as serial/PtyDsr.h sets out.
  void SetDsr(bool asserted);

  // What the line cannot take now is lost, as on a wire nobody listens to.
  void Write(std::string_view bytes);

  // What has arrived; empty when nothing has.
  std::string Read();

 private:
  void MakeRaw();

  int master_ = -1;
  int ownSlave_ = -1;
  std::string slavePath_;
};

}  // namespace orvane::sim
