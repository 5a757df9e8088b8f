// app/complain.h
// The runner's one voice on standard error: "kipkip: " and the message (UTF-8), a line each.
#pragma once

#include <string_view>

namespace kipkip {

void Complain(std::string_view message);

}  // namespace kipkip
