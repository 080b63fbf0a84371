#pragma once
// The display objects that a broadcast can reach, so that a broadcast over a
// tree visits them alone instead of every object in it: a frame of a tree of
// 100,000 objects of which two listen costs about two dispatches.
//
// An object joins when it gets its first listener of any type (its listener
// map is made then) and, in a second list, its first "enterFrame" listener;
// it leaves when it is destroyed (listener entries are never dropped). An
// object without a listener map is left out: a dispatch to it does nothing.
// Their order in the tree is worked out again only when the tree or the lists
// changed since it was last needed.
//
// The walk is the container broadcast, exactly: children before their
// container, depth first; a child that leaves during its own broadcast
// doesn't make its successor be skipped; listeners that change the tree, the
// listeners or the event while the walk runs see what they would see in a
// walk over every object (the walk then finds its way by the live tree, and
// after a few such changes in one broadcast visits every object, as a plain
// walk would). The event's target, when it has none, is set by the first
// object in walk order that has a listener map, listening to the type or not.
//
// Containers call broadcast() from limnBroadcast; subclasses don't replace
// limnBroadcast of their children.

#include <memory>
#include <string>

namespace limn::events {
class Event;
}

namespace limn::display {

class DisplayObject;
class DisplayObjectContainer;

class BroadcastIndex {
public:
    // `object` has made its entry for `type`.
    static void listenerTypeAdded(DisplayObject& object, const std::string& type);
    // `object` is being destroyed.
    static void remove(DisplayObject& object);
    // A child array changed somewhere.
    static void treeChanged();

    // Dispatches `event` to every object of `top`'s subtree that can hear it,
    // in the order of a depth-first walk with each container after its children.
    static void broadcast(const std::shared_ptr<DisplayObjectContainer>& top,
                          const std::shared_ptr<events::Event>& event);

    // The walk, and the lists' access to the tree; defined in the .cpp.
    class Walk;
};

}  // namespace limn::display
