#pragma once
// Every live display object by its backend id, so that finding the target of
// a native event is a lookup instead of a walk over the whole tree.
//
// Display objects enter at construction and leave in their destructor, so an
// entry is never dangling. The pointers are non-owning. Ids are expected to be
// unique among live objects; when the backend repeats one, the index holds
// them all and the caller chooses. An id with one object costs one small
// entry, so the index of a large tree stays a fraction of the objects' size;
// adding and removing stay constant-time however often an id repeats.

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace limn::display {

class DisplayObject;

class IdIndex {
public:
    using Set = std::unordered_set<DisplayObject*>;

    // The live objects with one id (iterated as DisplayObject*).
    class Bucket {
    public:
        class iterator {
        public:
            iterator(DisplayObject* first, Set::const_iterator more) : first_(first), more_(more) {}
            DisplayObject* operator*() const { return first_ ? first_ : *more_; }
            iterator& operator++() {
                if (first_) {
                    first_ = nullptr;
                } else {
                    ++more_;
                }
                return *this;
            }
            bool operator==(const iterator&) const = default;

        private:
            DisplayObject* first_;
            Set::const_iterator more_;
        };
        Bucket(DisplayObject* first, const Set* more) : first_(first), more_(more) {}
        [[nodiscard]] iterator begin() const {
            return {first_, more_ ? more_->begin() : Set::const_iterator{}};
        }
        [[nodiscard]] iterator end() const {
            return {nullptr, more_ ? more_->end() : Set::const_iterator{}};
        }
        [[nodiscard]] bool empty() const { return first_ == nullptr; }
        [[nodiscard]] std::size_t size() const {
            return (first_ ? 1 : 0) + (more_ ? more_->size() : 0);
        }

    private:
        DisplayObject* first_;
        const Set* more_;
    };

    static void add(int id, DisplayObject* object);
    static void remove(int id, DisplayObject* object);
    // The live objects with this id (empty when there are none).
    [[nodiscard]] static Bucket find(int id);

private:
    // The first object with the id, then any others (made when an id repeats).
    struct Entry {
        DisplayObject* first = nullptr;
        std::unique_ptr<Set> more;
    };
    static std::unordered_map<int, Entry>& entries();
};

}  // namespace limn::display
