#pragma once
// The list of actuators the facade keeps for one string key, in the order in
// which they started. Actuators that the facade files here carry their place
// in it, so they leave in constant time however long the list is (all plain
// objects, for one, share a single list). Indexing walks from the front.
//
//   for (const auto& actuator : Kinetra::getLibrary(sprite)) actuator->pause();
//
// A list that is destroyed (erased from the map, or the map replaced) first
// lets go of the actuators filed in it; a copy is a plain snapshot.

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace rt {
class Object;
}

namespace com::quillfern::motion {

namespace actuators {
class GenericActuator;
}

class ActuatorList {
public:
    using Actuator = std::shared_ptr<actuators::GenericActuator>;
    using Entries = std::list<Actuator>;
    using const_iterator = Entries::const_iterator;

    ActuatorList() = default;
    ActuatorList(const ActuatorList& other) : entries_(other.entries_), loose_(other.size()) {}
    ActuatorList& operator=(const ActuatorList& other);
    ~ActuatorList();

    [[nodiscard]] std::size_t size() const { return entries_.size(); }
    [[nodiscard]] bool empty() const { return entries_.empty(); }
    [[nodiscard]] const Actuator& operator[](std::size_t index) const;
    [[nodiscard]] const Actuator& front() const { return entries_.front(); }
    [[nodiscard]] const Actuator& back() const { return entries_.back(); }
    [[nodiscard]] const_iterator begin() const { return entries_.begin(); }
    [[nodiscard]] const_iterator end() const { return entries_.end(); }

    // Appends without filing: the actuator does not learn its place here.
    void push_back(const Actuator& actuator) {
        entries_.push_back(actuator);
        ++loose_;
    }
    // Appends and records in the actuator its place here and the facade's key
    // for this list (see Kinetra::tween).
    void file(const Actuator& actuator, std::string key);
    // Removes the first occurrence of actuator; false when it is not here.
    bool remove(const actuators::GenericActuator* actuator);
    // Removes an actuator filed here, in constant time.
    void removeFiled(actuators::GenericActuator& actuator);
    // The actuators filed here whose target is object, in list order; found
    // through the index by target, so the cost is theirs alone.
    [[nodiscard]] std::vector<Actuator> filedFor(const rt::Object* object) const;
    // Every entry was put here by file(), so filedFor() sees them all.
    [[nodiscard]] bool allFiled() const { return loose_ == 0; }

private:
    void releaseFiled();
    // Forgets where the actuator was filed, and drops it from the index by target.
    static void unindex(actuators::GenericActuator& actuator);

    Entries entries_;
    std::size_t loose_ = 0;  // entries not filed here
};

}  // namespace com::quillfern::motion
