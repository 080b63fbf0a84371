#pragma once
// The values the system throws. An `Error` carries the text that reaches the
// process entry ("Error : <text>"); `RangeError` marks index and range faults.

#include <stdexcept>
#include <string>

namespace rt {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

class RangeError : public Error {
public:
    explicit RangeError(const std::string& text) : Error(text) {}
};

// Calling a null callable (an unresolved primitive, an unset hook).
class NullCallError : public Error {
public:
    explicit NullCallError(const std::string& what) : Error("Null function call: " + what) {}
};

}  // namespace rt
