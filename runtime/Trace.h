#pragma once
// Diagnostic output with the position of the call: "File.cpp:42: text".

#include <string_view>
#include <version>

#if defined(__cpp_lib_source_location)
#include <source_location>
#endif

namespace rt {

#if defined(__cpp_lib_source_location)
using SourceLocation = std::source_location;
#else
// The position of a call, for standard libraries without <source_location> (the
// WebAssembly toolchain's): the compiler's builtins fill it in at the call.
class SourceLocation {
public:
    static constexpr SourceLocation current(const char* file = __builtin_FILE(),
                                            unsigned line = __builtin_LINE()) noexcept {
        return SourceLocation(file, line);
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr unsigned line() const noexcept { return line_; }

private:
    constexpr SourceLocation(const char* file, unsigned line) noexcept : file_(file), line_(line) {}
    const char* file_;
    unsigned line_;
};
#endif

void trace(std::string_view text, SourceLocation where = SourceLocation::current());

}  // namespace rt
