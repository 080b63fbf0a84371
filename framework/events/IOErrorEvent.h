#pragma once
// A failed load or read. The error text is kept in limnString, which is also
// what toString() returns. The trailing int (an error id) is accepted and not
// stored.

#include <string>

#include "framework/events/Event.h"

namespace limn::events {

class IOErrorEvent : public Event {
public:
    RT_DECLARE_CLASS

    static constexpr const char* IO_ERROR = "ioError";

    explicit IOErrorEvent(std::string type, bool bubbles = true, bool cancelable = false,
                          std::string text = "", int id = 0);

    std::string limnString;

    [[nodiscard]] std::string toString() const override;
};

}  // namespace limn::events
