#pragma once

#include <string>

#include <QSize>
#include <QString>

namespace orvane::panel {

inline constexpr const char* kProgramCaption = "ORVANE - AFS";

// The caption a model gives the window; empty for no model (the caption then
// stays as it is).
QString ModelCaption(const std::string& model);

// Client sizes: the whole panel for model B, the panel without the lamp
// group otherwise, and the minimised corner tile.
QSize ModelClientSize(const std::string& model);
inline constexpr QSize kTileClientSize{157, 65};

}  // namespace orvane::panel
