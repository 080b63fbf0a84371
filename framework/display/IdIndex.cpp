#include "framework/display/IdIndex.h"

namespace limn::display {

namespace {

IdIndex::Map& entries() {
    // Never destroyed: display objects held by other statics may outlive any
    // ordinary static and still unregister themselves.
    static auto* map = new IdIndex::Map();
    return *map;
}

}  // namespace

std::size_t IdIndex::Bucket::size() const {
    std::size_t n = 0;
    for (auto it = begin_; it != end_; ++it) ++n;
    return n;
}

void IdIndex::add(int id, DisplayObject* object) {
    auto& map = entries();
    auto [first, last] = map.equal_range(id);
    for (auto it = first; it != last; ++it) {
        if (it->second == object) return;
    }
    map.emplace(id, object);
}

void IdIndex::remove(int id, DisplayObject* object) {
    auto& map = entries();
    auto [first, last] = map.equal_range(id);
    for (auto it = first; it != last; ++it) {
        if (it->second != object) continue;
        map.erase(it);
        return;
    }
}

IdIndex::Bucket IdIndex::find(int id) {
    return Bucket(entries().equal_range(id));
}

}  // namespace limn::display
