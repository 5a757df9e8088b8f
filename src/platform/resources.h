// platform/resources.h
// The program's built-in resources, looked up by type and name without regard to letter case.
// A name that is not there is no error: the caller then tries a file of that name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kipkip {

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type,
                                                          std::string_view name);

// ASCII letters only: Shift-JIS trail bytes in a name are compared as they are.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kipkip
