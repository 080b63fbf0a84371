#include "runtime/Trace.h"

#include <cstdio>
#include <string>

namespace rt {

void trace(std::string_view text, SourceLocation where) {
    std::string file = where.file_name();
    auto slash = file.rfind('/');
    if (slash != std::string::npos) file.erase(0, slash + 1);
    std::printf("%s:%u: %.*s\n", file.c_str(), static_cast<unsigned>(where.line()),
                static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
}

}  // namespace rt
