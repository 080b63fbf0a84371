#pragma once
// Every live display object by its backend id, so that finding the target of
// a native event is a lookup instead of a walk over the whole tree.
//
// Display objects enter at construction and leave in their destructor, so an
// entry is never dangling. The pointers are non-owning. Ids are expected to be
// unique among live objects; when the backend repeats one, the bucket holds
// them all and the caller chooses.

#include <unordered_map>
#include <unordered_set>

namespace limn::display {

class DisplayObject;

class IdIndex {
public:
    using Bucket = std::unordered_set<DisplayObject*>;

    static void add(int id, DisplayObject* object);
    static void remove(int id, DisplayObject* object);
    // The live objects with this id, or nullptr when there are none.
    [[nodiscard]] static const Bucket* find(int id);
};

}  // namespace limn::display
