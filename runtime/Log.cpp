#include "runtime/Log.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

namespace rt::log {

namespace {

std::optional<Level> parse(const std::string& value) {
    if (value == "off" || value == "none" || value == "0") return Level::Off;
    if (value == "error") return Level::Error;
    if (value == "warn" || value == "warning") return Level::Warn;
    if (value == "info") return Level::Info;
    if (value == "debug" || value == "all") return Level::Debug;
    return std::nullopt;
}

std::optional<Level>& current() {
    static std::optional<Level> level;
    return level;
}

}  // namespace

Level level() {
    if (!current()) readEnvironment();
    return *current();
}

void readEnvironment() {
    const char* text = std::getenv("LIMN_LOG");
    const std::optional<Level> named = text != nullptr ? parse(text) : Level::Warn;
    current() = named.value_or(Level::Warn);
    if (!named) {
        once(Level::Warn, std::string("LIMN_LOG=") + text,
             std::string("LIMN_LOG=\"") + text +
                 "\" is not a level (off, error, warn, info or debug): warnings only");
    }
}

void setLevel(Level value) {
    current() = value;
}

bool enabled(Level wanted) {
    return wanted != Level::Off && static_cast<int>(wanted) <= static_cast<int>(level());
}

void write(Level wanted, std::string_view text) {
    if (!enabled(wanted)) return;
    std::fprintf(stderr, "limn: %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

bool once(Level wanted, std::string_view key, std::string_view text) {
    if (!enabled(wanted)) return false;
    static std::set<std::string, std::less<>> seen;
    if (seen.contains(key)) return false;
    seen.emplace(key);
    write(wanted, text);
    return true;
}

}  // namespace rt::log
