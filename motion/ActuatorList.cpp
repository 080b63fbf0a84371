#include "motion/ActuatorList.h"

#include <iterator>
#include <unordered_map>

#include "motion/actuators/GenericActuator.h"

namespace com::quillfern::motion {

using actuators::GenericActuator;

namespace {

using TargetIndex = std::unordered_map<const rt::Object*, std::list<GenericActuator*>>;

// Filed actuators by target object, across all lists. Never destroyed, so a
// list that outlives it at exit still finds it.
TargetIndex& targetIndex() {
    static auto* index = new TargetIndex();
    return *index;
}

const rt::Object* objectOf(const GenericActuator& actuator) {
    return actuator.getTarget().asObject().get();
}

}  // namespace

void ActuatorList::unindex(GenericActuator& actuator) {
    auto& place = actuator.place_;
    if (place.indexedUnder) {
        auto found = targetIndex().find(place.indexedUnder);
        if (found != targetIndex().end()) {
            found->second.erase(place.byTarget);
            if (found->second.empty()) targetIndex().erase(found);
        }
    }
    place = GenericActuator::LibraryPlace{};
}

ActuatorList& ActuatorList::operator=(const ActuatorList& other) {
    if (this != &other) {
        releaseFiled();
        entries_ = other.entries_;
        loose_ = entries_.size();
    }
    return *this;
}

ActuatorList::~ActuatorList() {
    releaseFiled();
}

const ActuatorList::Actuator& ActuatorList::operator[](std::size_t index) const {
    return *std::next(entries_.begin(), static_cast<std::ptrdiff_t>(index));
}

void ActuatorList::file(const Actuator& actuator, std::string key) {
    entries_.push_back(actuator);
    actuator->libraryKey_ = std::move(key);
    auto& place = actuator->place_;
    place.list = this;
    place.entry = std::prev(entries_.end());
    if (const rt::Object* object = objectOf(*actuator)) {
        auto& mine = targetIndex()[object];
        mine.push_back(actuator.get());
        place.byTarget = std::prev(mine.end());
        place.indexedUnder = object;
    }
}

bool ActuatorList::remove(const GenericActuator* actuator) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->get() != actuator) continue;
        Actuator keep = *it;
        if (keep->place_.list == this && keep->place_.entry == it) {
            unindex(*keep);
        } else {
            --loose_;
        }
        entries_.erase(it);
        return true;
    }
    return false;
}

void ActuatorList::removeFiled(GenericActuator& actuator) {
    auto entry = actuator.place_.entry;
    unindex(actuator);
    // The entry may hold the last reference: let go of it after the bookkeeping.
    Actuator keep = std::move(*entry);
    entries_.erase(entry);
}

std::vector<ActuatorList::Actuator> ActuatorList::filedFor(const rt::Object* object) const {
    std::vector<Actuator> mine;
    auto found = targetIndex().find(object);
    if (found == targetIndex().end()) return mine;
    for (GenericActuator* actuator : found->second) {
        if (actuator->place_.list == this) mine.push_back(*actuator->place_.entry);
    }
    return mine;
}

void ActuatorList::releaseFiled() {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if ((*it)->place_.list == this && (*it)->place_.entry == it) unindex(**it);
    }
}

}  // namespace com::quillfern::motion
