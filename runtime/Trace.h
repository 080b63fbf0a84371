#pragma once
// Diagnostic output with the position of the call: "File.cpp:42: text".

#include <source_location>
#include <string_view>

namespace rt {

void trace(std::string_view text, std::source_location where = std::source_location::current());

}  // namespace rt
