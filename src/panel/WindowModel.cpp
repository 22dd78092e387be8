#include "panel/WindowModel.h"

#include "instrument/InstrumentModel.h"

namespace orvane::panel {

QString ModelCaption(const std::string& model) {
  if (model == instrument::kModelA) return "PY ORVANE - AFS - Ver (2.2)";
  if (model == instrument::kModelB) return "RV ORVANE - AFS - Ver (2.2)";
  return {};
}

QSize ModelClientSize(const std::string& model) {
  return model == instrument::kModelB ? QSize(666, 368) : QSize(666, 200);
}

}  // namespace orvane::panel
