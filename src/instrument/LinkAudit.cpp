#include "instrument/LinkAudit.h"

namespace orvane::instrument {

std::string PortName(std::uint16_t number) {
  return number == 0 ? std::string() : "COM" + std::to_string(number);
}

void StampLink(audit::TAuditEvent& event, const InstrumentLink& link, const TLinkPort& port) {
  if (event.Model.empty()) event.Model = link.InstrumentModel;
  if (event.Port.empty()) event.Port = PortName(port.ComNumber());
}

}  // namespace orvane::instrument
