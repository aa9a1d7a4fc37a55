#pragma once

// The product's own texts, shown in the About window and the decimal-separator warning.
namespace slopekit::product {

inline constexpr const char* Title = "Slopekit";
inline constexpr const char* Notice = "Copyright 2026 the Slopekit developers";
inline constexpr const char* RightsNotice = "All rights reserved.";
inline constexpr const char* WebAddress = "https://slopekit.example.org";

}  // namespace slopekit::product
