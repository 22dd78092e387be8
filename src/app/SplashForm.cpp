#include "app/SplashForm.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <system_error>

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/SplashPicture.h"
#include "instrument/InstrumentModel.h"
#include "instrument/Protocol.h"
#include "serial/ApdExceptions.h"
#include "serial/ComSelectForm.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TTimer.h"

namespace orvane::app {
namespace {

constexpr int kClientWidth = 295;
constexpr int kClientHeight = 218;
constexpr int kMainTimerMs = 3000;
// About two seconds of the port's 55 ms ticks: an instrument that is there
// has answered by then.
constexpr std::int32_t kIdentifyTicks = 36;
constexpr std::uint16_t kLastTrialPort = 8;

const std::string kIdentify = std::string(protocol::kIdentifyCommand) + protocol::kCarriageReturn;

// True when the port opened; a port that is absent or held by someone else
// is no failure here, every other error is.
bool TryOpenPort(serial::TApdComPort& port, std::uint16_t number) {
  port.SetOpen(false);
  port.SetComNumber(number);
  try {
    port.SetOpen(true);
  } catch (const serial::EBadId&) {
    return false;
  } catch (const serial::EAlreadyOpen&) {
    return false;
  }
  return true;
}

// An absent or taken port reported as the old port closes is no reason not
// to open the chosen one.
void LeavePort(serial::TApdComPort& port) {
  try {
    port.SetOpen(false);
  } catch (const serial::EBadId&) {
  } catch (const serial::EAlreadyOpen&) {
  }
}

// Hex digits read as a number; anything else in them is a conversion error.
unsigned HexValue(const std::string& digits) {
  unsigned value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, 16);
  if (error != std::errc() || stop != end) {
    throw serial::EConvertError("'$" + digits + "' is not a valid integer value");
  }
  return value;
}

}  // namespace

TSplashForm::TSplashForm(std::filesystem::path iniPath, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      Image1(new QLabel(this)),
      Label1(new QLabel("Loading...", this)),
      tmMainTimer(new widgets::TTimer(this, kMainTimerMs)),
      iniPath_(std::move(iniPath)) {
  BuildLayout();
  ApdComPort1.RTS = false;
  ApdComPort1.AutoOpen = false;
  ApdComPort1.SetOnTriggerAvail(
      [this](serial::TApdComPort&, std::uint16_t count) { ApdComPort1TriggerAvail(count); });
  ApdComPort1.SetOnTriggerTimer(
      [this](serial::TApdComPort&, std::uint16_t handle) { ApdComPort1TriggerTimer(handle); });
  tmMainTimer->SetOnTimer([this](QObject*) { tmMainTimerTimer(); });
  widgets::TErrorGuard::Run([this] { FormCreate(); });
}

TSplashForm::~TSplashForm() {
  widgets::TErrorGuard::Run([this] { FormDestroy(); });
}

bool TSplashForm::Done() const { return !tmMainTimer->Enabled(); }

void TSplashForm::BuildLayout() {
  setObjectName("SplashForm");
  setFixedSize(kClientWidth, kClientHeight);
  QFont font("MS Sans Serif");
  font.setPixelSize(14);
  setFont(font);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  Image1->setGeometry(rect());
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(SplashPicture());
  // The substitute font runs wider than the face the splash was drawn for:
  // the label grows to the right rather than clip its text.
  Label1->setGeometry(123, 201, std::max(58, Label1->sizeHint().width()), 16);
  Label1->setBackgroundRole(QPalette::HighlightedText);
  Label1->setAutoFillBackground(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TSplashForm::FormCreate() {
  if (!config::TIniFile(iniPath_).Exists()) TryFirstPorts();
  // A port left open by the trial is closed and opened again as port 0,
  // which asks the operator; a cancel leaves from here, before config.ini
  // is opened.
  ApdComPort1.SetComNumber(0);
  FIniFile = std::make_unique<config::TIniFile>(iniPath_);
  try {
    Identify();
  } catch (const std::exception&) {
    // No port or no answer to wait for: the splash ends at its tick.
  }
}

// A first start, before config.ini exists: the first port that opens among
// COM1 to COM8 stays open.
void TSplashForm::TryFirstPorts() {
  for (std::uint16_t number = 1; number <= kLastTrialPort; ++number) {
    try {
      if (TryOpenPort(ApdComPort1, number)) return;
    } catch (const std::exception&) {
      // A port that fails in any other way is passed over like an absent one.
    }
  }
}

void TSplashForm::Identify() {
  const std::string model =
      FIniFile->ReadString(instrument::kModelSection, instrument::kModelKey, "");
  if (const char* section = instrument::SectionOf(model)) {
    ApdComPort1.SetComNumber(
        instrument::PortNumber(FIniFile->ReadInteger(section, instrument::kPortKey, 0)));
  }
  if (!ApdComPort1.Open()) ApdComPort1.SetOpen(true);
  fTriggerHandle = ApdComPort1.AddTimerTrigger();
  Query(1);
}

void TSplashForm::FormDestroy() {
  FIniFile.reset();
  ApdComPort1.SetOpen(false);
}

void TSplashForm::tmMainTimerTimer() { tmMainTimer->SetEnabled(false); }

void TSplashForm::ApdComPort1TriggerAvail(std::uint16_t count) {
  for (std::uint16_t i = 0; i < count; ++i) {
    try {
      const char received = static_cast<char>(ApdComPort1.GetChar());
      if (received == protocol::kCarriageReturn) {
        TakeLine();
      } else {
        PortString += received;
      }
    } catch (const serial::EBufferIsEmpty&) {
      PortString.clear();
    }
  }
}

// An identify answer ends in "I" and two hex digits; any other line is
// dropped without a word.
void TSplashForm::TakeLine() {
  const std::size_t at = PortString.find('I');
  if (at != std::string::npos && PortString.size() - at == 3) {
    try {
      RecordModel(PortString.substr(at + 1));
    } catch (const std::exception&) {
      // Garbled digits or a config.ini that refuses the write: dropped
      // without a word, and the splash ends by its other checks.
    }
  }
  PortString.clear();
}

void TSplashForm::RecordModel(const std::string& hexDigits) {
  const char* model = instrument::ModelOfIdentity(HexValue(hexDigits));
  FIniFile->WriteString(instrument::kModelSection, instrument::kModelKey, model);
  FIniFile->WriteInteger(instrument::SectionOf(model), instrument::kPortKey,
                         ApdComPort1.ComNumber());
  tmMainTimer->SetEnabled(false);
}

void TSplashForm::ApdComPort1TriggerTimer(std::uint16_t handle) {
  if (handle != fTriggerHandle) return;
  if (ApdComPort1.DSR()) {
    tmMainTimer->SetEnabled(false);
    return;
  }
  AskForPort();
}

void TSplashForm::AskForPort() {
  if (Done()) return;
  const std::optional<std::uint16_t> chosen = serial::AskPortNumber();
  if (!chosen) {
    tmMainTimer->SetEnabled(false);
    return;
  }
  if (*chosen != ApdComPort1.ComNumber()) LeavePort(ApdComPort1);
  ApdComPort1.SetComNumber(*chosen);
  if (!ApdComPort1.Open()) ApdComPort1.SetOpen(true);
  Query(2);
}

void TSplashForm::Query(int times) {
  ApdComPort1.SetTimerTrigger(fTriggerHandle, kIdentifyTicks, true);
  for (int i = 0; i < times; ++i) ApdComPort1.PutString(kIdentify);
}

bool RunSplash(TSplashForm& splash) {
  QEventLoop loop;
  QObject::connect(splash.tmMainTimer, &widgets::TTimer::EnabledChanged, &loop,
                   [&loop](bool enabled) {
                     if (!enabled) loop.quit();
                   });
  splash.tmMainTimer->SetEnabled(true);
  splash.show();
  splash.repaint();
  if (!splash.Done()) loop.exec();
  return splash.Done();
}

}  // namespace orvane::app
