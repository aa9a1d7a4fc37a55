#pragma once

// The product's own texts. Title is also the title of every window and message box that
// has none of its own, and the source of the run-time errors the program raises itself.
namespace slopekit::product {

inline constexpr const char* Title = "Slopekit";
inline constexpr const char* Notice = "Copyright 2026 the Slopekit developers";
inline constexpr const char* RightsNotice = "All rights reserved.";
inline constexpr const char* WebAddress = "https://slopekit.example.org";

}  // namespace slopekit::product
