#include "runtime/Log.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

namespace rt::log {

namespace {

Level parse(const char* text) {
    if (!text) return Level::Warn;
    const std::string value = text;
    if (value == "off" || value == "none" || value == "0") return Level::Off;
    if (value == "error") return Level::Error;
    if (value == "warn" || value == "warning") return Level::Warn;
    if (value == "info") return Level::Info;
    if (value == "debug" || value == "all") return Level::Debug;
    return Level::Warn;
}

std::optional<Level>& current() {
    static std::optional<Level> level;
    return level;
}

}  // namespace

Level level() {
    auto& chosen = current();
    if (!chosen) chosen = parse(std::getenv("LIMN_LOG"));
    return *chosen;
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
