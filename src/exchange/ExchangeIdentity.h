#pragma once

// How exported files name their maker.
namespace exchangeidentity {

inline constexpr const char* kProduct = "Ondrix";
inline constexpr const char* kHomepage = "https://ondrix.org";
inline constexpr const char* kEmail = "contact@ondrix.org";

} // namespace exchangeidentity
