#pragma once

#include <cstdint>
#include <string_view>

namespace orvane::instrument {

// The two models by the names config.ini records them under.
inline constexpr const char* kModelA = "Pellory";
inline constexpr const char* kModelB = "Maravent";

// Where config.ini records the model attached: section, then key.
inline constexpr const char* kModelSection = "Instrument";
inline constexpr const char* kModelKey = "Configuration";

// What the instrument answers to the identify query: model B answers 0,
// model A anything else.
inline constexpr std::uint8_t kModelBIdentity = 0x00;
inline constexpr std::uint8_t kModelAIdentity = 0x01;

// The model an identify answer names.
const char* ModelOfIdentity(unsigned value);

// The config.ini section holding a model's settings; none for an empty or
// unknown name, whose settings are neither loaded nor saved.
const char* SectionOf(std::string_view model);

// The key of a model's section that keeps the port it answered on.
inline constexpr const char* kPortKey = "ComPort";

// The port number a stored `ComPort` value names. The program only
// writes numbers the port holds (0 to 65535); a hand edit may put anything
// there, and a value that is not a port number means no port, so the
// operator is asked for one rather than the program opening some other port.
std::uint16_t PortNumber(int stored);

}  // namespace orvane::instrument
