#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>

#include "serial/PortInfo.h"

class QComboBox;

namespace orvane::widgets {
class TBoxCloser;
}

namespace orvane::serial {

// Text that is no integer where one is needed; the message quotes the text.
class EConvertError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Whether serial port `number` is present: it can be opened, or opening it is
// refused because somebody else holds it or the account may not use it.
// Never throws.
TPortPresence ProbePort(unsigned number);

// What the port list shows beside port `number`: its device and what the
// system knows of it (DescribePort).
QString DescribePortNumber(unsigned number, TPortPresence presence);

// The modal "Select Port" dialog: lists the present ports among 1 to 50 and
// lets the operator choose one.
class TComSelectForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;  // the close box
  static constexpr int mrAbort = 3;   // the "Cancel" button

  // Each item's text is "COMn"; its description sits under this role, is
  // drawn beside it in the open list, and is the closed box's tooltip.
  static constexpr int kDescriptionRole = Qt::UserRole + 1;

  using Probe = std::function<TPortPresence(unsigned)>;
  using Describe = std::function<QString(unsigned, TPortPresence)>;
  // Lets a test answer every dialog without showing one: the script sees the
  // filled dialog and returns the modal result.
  using Script = std::function<int(TComSelectForm&)>;
  static void SetScript(Script script);

  // Transient for `parent`, or for the window TDialogOwner names when none
  // is given (the splash, the port's own prompt).
  explicit TComSelectForm(QWidget* parent = nullptr, Probe probe = ProbePort,
                          Describe describe = DescribePortNumber);

  int ShowModal();
  QString SelectedCom() const;
  std::uint16_t SelectedComNum() const;
  QComboBox* PortsComboBox() const { return ports_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void BuildLayout();
  void FillPorts(const Probe& probe, const Describe& describe);
  void ShowChosenPort();
  void FitListToDescriptions();

  QComboBox* ports_ = nullptr;
};

// Asks the operator for a port with the "Select Port" dialog, transient as
// TComSelectForm is. The chosen 1-based number; none when the dialog is
// cancelled, or ended by the program through `closer`.
std::optional<std::uint16_t> AskPortNumber(QWidget* parent = nullptr,
                                           widgets::TBoxCloser* closer = nullptr);

}  // namespace orvane::serial
