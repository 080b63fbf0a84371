#pragma once
// Every live display object by its backend id, so that finding the target of
// a native event is a lookup instead of a walk over the whole tree.
//
// Display objects enter at construction and leave in their destructor, so an
// entry is never dangling. The pointers are non-owning. Ids are expected to be
// unique among live objects; when the backend repeats one, the index holds
// them all and the caller chooses. One small entry per object: an index of
// every object of a large tree stays a fraction of the objects' own size.

#include <cstddef>
#include <utility>
#include <unordered_map>

namespace limn::display {

class DisplayObject;

class IdIndex {
public:
    using Map = std::unordered_multimap<int, DisplayObject*>;

    // The live objects with one id (iterated as DisplayObject*).
    class Bucket {
    public:
        class iterator {
        public:
            explicit iterator(Map::const_iterator at) : at_(at) {}
            DisplayObject* operator*() const { return at_->second; }
            iterator& operator++() {
                ++at_;
                return *this;
            }
            bool operator==(const iterator&) const = default;

        private:
            Map::const_iterator at_;
        };
        explicit Bucket(std::pair<Map::const_iterator, Map::const_iterator> range)
            : begin_(range.first), end_(range.second) {}
        [[nodiscard]] iterator begin() const { return begin_; }
        [[nodiscard]] iterator end() const { return end_; }
        [[nodiscard]] bool empty() const { return begin_ == end_; }
        [[nodiscard]] std::size_t size() const;

    private:
        iterator begin_, end_;
    };

    static void add(int id, DisplayObject* object);
    static void remove(int id, DisplayObject* object);
    // The live objects with this id (empty when there are none).
    [[nodiscard]] static Bucket find(int id);
};

}  // namespace limn::display
