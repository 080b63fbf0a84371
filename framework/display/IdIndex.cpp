#include "framework/display/IdIndex.h"

namespace limn::display {

std::unordered_map<int, IdIndex::Entry>& IdIndex::entries() {
    // Never destroyed: display objects held by other statics may outlive any
    // ordinary static and still unregister themselves.
    static auto* map = new std::unordered_map<int, Entry>();
    return *map;
}

void IdIndex::add(int id, DisplayObject* object) {
    Entry& entry = entries()[id];
    if (entry.first == nullptr) {
        entry.first = object;
        return;
    }
    if (entry.first == object) return;
    if (!entry.more) entry.more = std::make_unique<Set>();
    entry.more->insert(object);
}

void IdIndex::remove(int id, DisplayObject* object) {
    auto& map = entries();
    auto it = map.find(id);
    if (it == map.end()) return;
    Entry& entry = it->second;
    if (entry.first == object) {
        entry.first = nullptr;
        // Another object with the id takes the first place.
        if (entry.more && !entry.more->empty()) {
            entry.first = *entry.more->begin();
            entry.more->erase(entry.more->begin());
        }
    } else if (entry.more) {
        entry.more->erase(object);
    }
    if (entry.more && entry.more->empty()) entry.more.reset();
    if (entry.first == nullptr) map.erase(it);
}

IdIndex::Bucket IdIndex::find(int id) {
    auto& map = entries();
    auto it = map.find(id);
    if (it == map.end()) return {nullptr, nullptr};
    return {it->second.first, it->second.more.get()};
}

}  // namespace limn::display
