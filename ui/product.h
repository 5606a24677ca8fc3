// The product's own names, credit line and web address, shown by the window, the command line
// and the reports. Plain ASCII constants with no Qt, so that every layer can include them; Qt
// code shows them through toQt (ui/text.h).
#pragma once

#include <string_view>

namespace acv::product {

inline constexpr std::string_view kName = "Adult Corvantis";
inline constexpr std::string_view kAboutVersion = "Adult Corvantis Version 4.0";
inline constexpr std::string_view kCreditLine =
    "Adult Corvantis 4.0 is designed, written and published by VELT.";
inline constexpr std::string_view kWebAddress = "https://www.example.com/acv/";
// The settings store: organisation and application.
inline constexpr std::string_view kOrganisation = "VELT";
inline constexpr std::string_view kApplication = "ACV";

}  // namespace acv::product
