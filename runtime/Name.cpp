#include "runtime/Name.h"

#include <unordered_set>

namespace rt {

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        return std::hash<std::string_view>()(s);
    }
};

// Node-based, so the addresses of interned strings never move.
std::unordered_set<std::string, TextHash, std::equal_to<>>& internTable() {
    static std::unordered_set<std::string, TextHash, std::equal_to<>> table;
    return table;
}

}  // namespace

Name::Name(std::string_view text) {
    auto& table = internTable();
    auto it = table.find(text);
    if (it == table.end()) it = table.emplace(text).first;
    text_ = &*it;
}

}  // namespace rt
