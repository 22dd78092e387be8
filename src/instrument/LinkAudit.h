#pragma once

#include <cstdint>
#include <string>

#include "audit/AuditEvent.h"
#include "instrument/InstrumentLink.h"
#include "instrument/LinkPort.h"

namespace orvane::instrument {

// A port number as the port dialog lists it ("COM3"); empty for none.
std::string PortName(std::uint16_t number);

// Gives an audit event the model attached and the port chosen, where the
// sender left them empty.
void StampLink(audit::TAuditEvent& event, const InstrumentLink& link, const TLinkPort& port);

}  // namespace orvane::instrument
