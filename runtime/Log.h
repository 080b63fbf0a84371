#pragma once
// Diagnostics for developers, on standard error with a "limn: " prefix.
//
// The level comes from the environment variable LIMN_LOG, read once:
// "off", "error", "warn" (the default), "info" or "debug". At the default
// level nothing is written while everything works; a warning means the program
// goes on in a reduced way (an offscreen window, silent sound, a default font,
// a property write that does nothing), an error that something the program
// asked for failed.
//
//   rt::log::warn("no audio device (" + reason + "); sounds play silently");
//   rt::log::warnOnce("unknown:Ball.xx", "Ball has no property \"xx\"");

#include <string_view>

namespace rt::log {

enum class Level { Off = 0, Error = 1, Warn = 2, Info = 3, Debug = 4 };

// The level in force (LIMN_LOG, else Warn).
[[nodiscard]] Level level();
// Overrides the level for the rest of the process (tests, tools).
void setLevel(Level level);
// Takes the level from LIMN_LOG again (level() does it on first use). A value
// that is no level means Warn, and says so once per value.
void readEnvironment();
[[nodiscard]] bool enabled(Level level);

// Writes "limn: <text>\n" when the level is enabled.
void write(Level level, std::string_view text);
inline void error(std::string_view text) {
    write(Level::Error, text);
}
inline void warn(std::string_view text) {
    write(Level::Warn, text);
}
inline void info(std::string_view text) {
    write(Level::Info, text);
}
inline void debug(std::string_view text) {
    write(Level::Debug, text);
}

// Writes only the first time this key is seen in the process; true when it wrote.
bool once(Level level, std::string_view key, std::string_view text);
inline bool warnOnce(std::string_view key, std::string_view text) {
    return once(Level::Warn, key, text);
}

}  // namespace rt::log
