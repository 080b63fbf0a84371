#include "framework/display/IdIndex.h"

namespace limn::display {

namespace {

std::unordered_map<int, IdIndex::Bucket>& buckets() {
    // Never destroyed: display objects held by other statics may outlive any
    // ordinary static and still unregister themselves.
    static auto* map = new std::unordered_map<int, IdIndex::Bucket>();
    return *map;
}

}  // namespace

void IdIndex::add(int id, DisplayObject* object) {
    buckets()[id].insert(object);
}

void IdIndex::remove(int id, DisplayObject* object) {
    auto& map = buckets();
    auto it = map.find(id);
    if (it == map.end()) return;
    it->second.erase(object);
    if (it->second.empty()) map.erase(it);
}

const IdIndex::Bucket* IdIndex::find(int id) {
    auto& map = buckets();
    auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

}  // namespace limn::display
