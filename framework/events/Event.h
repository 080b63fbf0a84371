#pragma once
// The base event: a type text, bubbling and cancelable flags, the phase, the
// targets and the two cancellation flags. Records with plain public fields,
// all readable and writable by name.
//
// The stop methods act only on cancelable events; on other events they do
// nothing. The flags only ever change from false to true.
//
//   auto e = std::make_shared<Event>(Event::ENTER_FRAME);
//   dispatcher->dispatchEvent(e);

#include <memory>
#include <string>

#include "runtime/Dynamic.h"
#include "runtime/Object.h"

namespace limn::events {

class Event : public rt::Object {
public:
    RT_DECLARE_CLASS

    static constexpr const char* ACTIVATE = "activate";
    static constexpr const char* ADDED = "added";
    static constexpr const char* ADDED_TO_STAGE = "addedToStage";
    static constexpr const char* CANCEL = "cancel";
    static constexpr const char* CHANGE = "change";
    static constexpr const char* CLOSE = "close";
    static constexpr const char* COMPLETE = "complete";
    static constexpr const char* CONNECT = "connect";
    static constexpr const char* DEACTIVATE = "deactivate";
    static constexpr const char* ENTER_FRAME = "enterFrame";
    static constexpr const char* ID3 = "id3";
    static constexpr const char* INIT = "init";
    static constexpr const char* MOUSE_LEAVE = "mouseLeave";
    static constexpr const char* OPEN = "open";
    static constexpr const char* REMOVED = "removed";
    static constexpr const char* REMOVED_FROM_STAGE = "removedFromStage";
    static constexpr const char* RENDER = "render";
    static constexpr const char* RESIZE = "resize";
    static constexpr const char* SCROLL = "scroll";
    static constexpr const char* SELECT = "select";
    static constexpr const char* SOUND_COMPLETE = "soundComplete";
    static constexpr const char* TAB_CHILDREN_CHANGE = "tabChildrenChange";
    static constexpr const char* TAB_ENABLED_CHANGE = "tabEnabledChange";
    static constexpr const char* TAB_INDEX_CHANGE = "tabIndexChange";
    static constexpr const char* UNLOAD = "unload";

    explicit Event(std::string type, bool bubbles = false, bool cancelable = false);

    bool bubbles;
    bool cancelable;
    int eventPhase;             // EventPhase::AT_TARGET until a walk sets it
    rt::Dynamic target;         // the object the event is aimed at; null until set
    rt::Dynamic currentTarget;  // the object whose listeners are running
    std::string type;
    bool limnIsCancelled;     // set by either stop method
    bool limnIsCancelledNow;  // set by stopImmediatePropagation

    void limnSetPhase(int phase);
    [[nodiscard]] bool limnGetIsCancelled() const;
    [[nodiscard]] bool limnGetIsCancelledNow() const;
    // A plain Event with the same type and flags; phase, targets and
    // cancellation start fresh, whatever the class of this event.
    [[nodiscard]] std::shared_ptr<Event> clone() const;
    void stopImmediatePropagation();
    void stopPropagation();
    // The type itself.
    [[nodiscard]] std::string toString() const override;
};

}  // namespace limn::events
