#pragma once
// The frame-driven list of SimpleActuator: the actuators in the order in which
// they were moved, then those that finished during the last frame walk. The
// finished ones still count in size() until the next walk drops them, but the
// list has already let go of them (they read as null), so that walk drops any
// number of them at no cost.
//
//   SimpleActuator::getActuators().size();  // equals SimpleActuator::getActuatorsLength()

#include <cstddef>
#include <memory>
#include <vector>

namespace com::quillfern::motion::actuators {

class SimpleActuator;

class FrameList {
public:
    using Entry = std::shared_ptr<SimpleActuator>;

    [[nodiscard]] std::size_t size() const { return entries_.size() + finished_; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    // Null for an entry that has finished or stopped.
    [[nodiscard]] const Entry& operator[](std::size_t index) const {
        static const Entry none;
        return index < entries_.size() ? entries_[index] : none;
    }

private:
    friend class SimpleActuator;

    std::vector<Entry> entries_;
    std::size_t finished_ = 0;  // counted after entries_, already let go
};

}  // namespace com::quillfern::motion::actuators
