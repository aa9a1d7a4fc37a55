#pragma once

#include <QSettings>

#include <memory>

namespace slopekit {

// The settings kept between runs (the main window's size, the Options), in the user's
// configuration folder. Everything that reads or writes them opens them here, so there is
// one store and one set of names.
std::unique_ptr<QSettings> openSettings();

namespace settings {
inline constexpr const char* WindowSize = "window/size";
inline constexpr const char* ResultsView = "options/resultsView";  // "classic", "refined" or "exact"
}  // namespace settings

}  // namespace slopekit
