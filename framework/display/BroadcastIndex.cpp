#include "framework/display/BroadcastIndex.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "framework/display/DisplayObjectContainer.h"
#include "framework/events/Event.h"

namespace limn::display {

namespace {

// The two lists: objects with a listener map, and objects listening to "enterFrame".
enum List { kAny = 0, kEnterFrame = 1 };

// Where an object stands: the top of its chain of containers, and the child
// index taken at each level from there down to it.
struct Place {
    const DisplayObject* root = nullptr;
    std::span<const int> path;
};

// True when `a` comes before `b` in a walk with each container after its
// children. Trees with different roots are kept apart in any fixed order.
bool walksBefore(const Place& a, const Place& b) {
    if (a.root != b.root) return std::less<>()(a.root, b.root);
    const std::size_t n = std::min(a.path.size(), b.path.size());
    for (std::size_t k = 0; k < n; ++k) {
        if (a.path[k] != b.path[k]) return a.path[k] < b.path[k];
    }
    return a.path.size() > b.path.size();
}

// True when `a` comes before everything in the subtree that stands at `at`.
bool beforeSubtree(const Place& a, const Place& at) {
    if (a.root != at.root) return std::less<>()(a.root, at.root);
    const std::size_t n = std::min(a.path.size(), at.path.size());
    for (std::size_t k = 0; k < n; ++k) {
        if (a.path[k] != at.path[k]) return a.path[k] < at.path[k];
    }
    return false;
}

// True when `a` is inside the subtree at `at`, below it.
bool below(const Place& a, const Place& at) {
    return a.root == at.root && a.path.size() > at.path.size() &&
           std::equal(at.path.begin(), at.path.end(), a.path.begin());
}

// True when `a` is below the container at `at`, under its child `from` or a later one.
bool under(const Place& a, const Place& at, std::size_t from) {
    return below(a, at) && a.path[at.path.size()] >= static_cast<int>(from);
}

bool isEnterFrame(const std::string& type) {
    return type == events::Event::ENTER_FRAME;
}

// One list in walk order, as of one version of the trees and the lists.
class Order {
public:
    struct Entry {
        DisplayObject* object;
        const DisplayObject* root;
        std::uint32_t first;
        std::uint32_t size;
    };

    [[nodiscard]] bool builtAt(std::uint64_t version) const { return version_ == version; }
    [[nodiscard]] std::size_t size() const { return entries_.size(); }
    [[nodiscard]] DisplayObject* object(std::size_t i) const { return entries_[i].object; }
    [[nodiscard]] Place place(std::size_t i) const { return placeOf(entries_[i]); }

    void rebuild(const std::vector<DisplayObject*>& members, std::uint64_t version);
    // The first entry that doesn't come before the subtree at `at`.
    [[nodiscard]] std::size_t lowerBound(const Place& at) const;

private:
    [[nodiscard]] Place placeOf(const Entry& e) const {
        return {e.root, std::span<const int>(steps_).subspan(e.first, e.size)};
    }

    std::vector<Entry> entries_;
    std::vector<int> steps_;
    std::uint64_t version_ = UINT64_MAX;
};

struct Lists {
    std::vector<DisplayObject*> members[2];
    Order orders[2];
    std::uint64_t version = 0;
    // The first object with a listener map under `firstTop`, as of `firstVersion`.
    const DisplayObject* firstTop = nullptr;
    DisplayObject* first = nullptr;
    std::uint64_t firstVersion = UINT64_MAX;
};

Lists& lists() {
    // Never destroyed: display objects held by other statics may outlive any
    // ordinary static and still leave the lists.
    static auto* all = new Lists();
    return *all;
}

}  // namespace

// Everything that reads the tree's private links.
class BroadcastIndex::Walk {
public:
    Walk(const std::shared_ptr<DisplayObjectContainer>& top,
         const std::shared_ptr<events::Event>& event);
    void run();

    // Appends the child indices from the root down to `object`; returns the root.
    static const DisplayObject* placeOf(const DisplayObject& object, std::vector<int>& steps);
    static int& slot(DisplayObject& object, int list) { return object.heardSlot_[list]; }
    static DisplayObject* firstHeard(const DisplayObjectContainer& top);

private:
    struct Frame {
        std::shared_ptr<DisplayObject> node;  // always a container
        std::size_t next;                     // the child index the walk is at
    };

    [[nodiscard]] int wantedList() const;
    [[nodiscard]] Order& order();
    void noteChanges();
    void setTarget(DisplayObject& first);
    void step();
    [[nodiscard]] DisplayObject* nextHeard(const DisplayObjectContainer& c, std::size_t from);
    [[nodiscard]] Place framePlace();
    void descend(const DisplayObjectContainer& c, DisplayObject& object);
    void visit(DisplayObject& object);
    void dispatch(DisplayObject& object);
    void advance(const DisplayObject& child);
    static DisplayObjectContainer& containerOf(const Frame& f) {
        return static_cast<DisplayObjectContainer&>(*f.node);
    }

    // More changes than this in one broadcast and the rest visits every object.
    static constexpr int kMaxChanges = 4;

    const std::shared_ptr<events::Event> event_;
    std::vector<Frame> frames_;
    int list_ = kAny;
    // The first object with a map, when it also listens: it sets the target
    // itself, and until it has, a missing target doesn't widen the walk.
    const DisplayObject* pendingFirst_ = nullptr;
    std::uint64_t seen_;
    // No change since the walk began: the walk follows the order entry by entry.
    bool clean_ = true;
    // Every object is visited, as a plain walk does.
    bool dense_ = false;
    int changes_ = 0;
    // While clean: the first entry of the order the walk hasn't passed.
    std::size_t hint_ = 0;
    const DisplayObject* topRoot_ = nullptr;
    std::vector<int> topPath_;
    std::vector<int> scratch_;
    std::vector<DisplayObject*> chain_;
};

namespace {

void Order::rebuild(const std::vector<DisplayObject*>& members, std::uint64_t version) {
    entries_.clear();
    steps_.clear();
    for (DisplayObject* m : members) {
        const auto first = static_cast<std::uint32_t>(steps_.size());
        const DisplayObject* root = BroadcastIndex::Walk::placeOf(*m, steps_);
        entries_.push_back({m, root, first, static_cast<std::uint32_t>(steps_.size() - first)});
    }
    std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        return walksBefore(placeOf(a), placeOf(b));
    });
    version_ = version;
}

std::size_t Order::lowerBound(const Place& at) const {
    auto it = std::partition_point(entries_.begin(), entries_.end(),
                                   [&](const Entry& e) { return beforeSubtree(placeOf(e), at); });
    return static_cast<std::size_t>(it - entries_.begin());
}

void join(DisplayObject& object, int list) {
    int& slot = BroadcastIndex::Walk::slot(object, list);
    if (slot >= 0) return;
    auto& members = lists().members[list];
    slot = static_cast<int>(members.size());
    members.push_back(&object);
    ++lists().version;
}

void leave(DisplayObject& object, int list) {
    int& slot = BroadcastIndex::Walk::slot(object, list);
    if (slot < 0) return;
    auto& members = lists().members[list];
    DisplayObject* last = members.back();
    members[slot] = last;
    BroadcastIndex::Walk::slot(*last, list) = slot;
    members.pop_back();
    slot = -1;
    ++lists().version;
}

}  // namespace

void BroadcastIndex::listenerTypeAdded(DisplayObject& object, const std::string& type) {
    join(object, kAny);
    if (type == events::Event::ENTER_FRAME) join(object, kEnterFrame);
}

void BroadcastIndex::remove(DisplayObject& object) {
    if (lists().firstTop == &object) lists().firstTop = nullptr;
    leave(object, kAny);
    leave(object, kEnterFrame);
}

void BroadcastIndex::treeChanged() {
    ++lists().version;
}

void BroadcastIndex::broadcast(const std::shared_ptr<DisplayObjectContainer>& top,
                               const std::shared_ptr<events::Event>& event) {
    Walk walk(top, event);
    walk.run();
}

const DisplayObject* BroadcastIndex::Walk::placeOf(const DisplayObject& object,
                                                   std::vector<int>& steps) {
    const std::size_t first = steps.size();
    const DisplayObject* node = &object;
    while (const DisplayObjectContainer* parent = node->listedIn_) {
        steps.push_back(parent->indexOf(*node));
        node = parent;
    }
    std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end());
    return node;
}

DisplayObject* BroadcastIndex::Walk::firstHeard(const DisplayObjectContainer& top) {
    Lists& all = lists();
    if (all.firstTop == &top && all.firstVersion == all.version) return all.first;
    std::vector<int> topSteps, best, steps;
    const Place at{placeOf(top, topSteps), topSteps};
    DisplayObject* found = nullptr;
    const DisplayObject* bestRoot = nullptr;
    for (DisplayObject* m : all.members[kAny]) {
        steps.clear();
        const Place p{placeOf(*m, steps), steps};
        const bool inside = m == &top || below(p, at);
        if (!inside || (found != nullptr && !walksBefore(p, Place{bestRoot, best}))) continue;
        found = m;
        bestRoot = p.root;
        best = steps;
    }
    all.firstTop = &top;
    all.first = found;
    all.firstVersion = all.version;
    return found;
}

BroadcastIndex::Walk::Walk(const std::shared_ptr<DisplayObjectContainer>& top,
                           const std::shared_ptr<events::Event>& event)
    : event_(event), seen_(lists().version) {
    frames_.push_back({top, 0});
    topRoot_ = placeOf(*top, topPath_);
}

void BroadcastIndex::Walk::run() {
    // With no listener map below the top, no dispatch can do anything.
    DisplayObject* first = firstHeard(containerOf(frames_.front()));
    if (first == nullptr) return;
    setTarget(*first);
    list_ = wantedList();
    topPath_.push_back(0);
    hint_ = order().lowerBound({topRoot_, topPath_});
    topPath_.pop_back();
    while (!frames_.empty()) step();
}

int BroadcastIndex::Walk::wantedList() const {
    if (!isEnterFrame(event_->type)) return kAny;
    // Until an object has set the target, every object with a map counts.
    if (event_->target.isNull() && pendingFirst_ == nullptr) return kAny;
    return kEnterFrame;
}

void BroadcastIndex::Walk::setTarget(DisplayObject& first) {
    if (!event_->target.isNull() || !isEnterFrame(event_->type)) return;
    // The first object with a map sets the target. When it doesn't listen to
    // the type nothing else happens there, so it is dispatched to now; when it
    // does, it is also the first listener and the walk starts with it.
    if (first.hasEventListener(event_->type)) {
        pendingFirst_ = &first;
    } else {
        first.dispatchEvent(event_);
    }
}

Order& BroadcastIndex::Walk::order() {
    Lists& all = lists();
    Order& o = all.orders[list_];
    if (!o.builtAt(all.version)) o.rebuild(all.members[list_], all.version);
    return o;
}

void BroadcastIndex::Walk::noteChanges() {
    if (lists().version != seen_) {
        seen_ = lists().version;
        clean_ = false;
        if (++changes_ > kMaxChanges) dense_ = true;
    }
    // A listener that changed the event's type or cleared its target needs
    // the other list, found by position from here on.
    const int wanted = wantedList();
    if (wanted != list_) {
        list_ = wanted;
        clean_ = false;
    }
}

void BroadcastIndex::Walk::step() {
    noteChanges();
    Frame& f = frames_.back();
    const DisplayObjectContainer& c = containerOf(f);
    if (dense_) {
        if (f.next < c.limnChildren.size()) {
            auto child = c.limnChildren[f.next];
            auto* inner = dynamic_cast<DisplayObjectContainer*>(child.get());
            if (inner != nullptr) {
                frames_.push_back({std::move(child), 0});
                return;
            }
            visit(*child);
            return;
        }
    } else if (DisplayObject* next = nextHeard(c, f.next)) {
        descend(c, *next);
        visit(*next);
        return;
    }
    // The container's children are done: the container itself, then back up.
    auto node = std::move(f.node);
    frames_.pop_back();
    dispatch(*node);
    if (!frames_.empty()) advance(*node);
}

Place BroadcastIndex::Walk::framePlace() {
    // The frames stand on the path from the top down to the last frame's
    // container, each at the index of the next frame's container.
    scratch_.assign(topPath_.begin(), topPath_.end());
    for (std::size_t k = 0; k + 1 < frames_.size(); ++k) {
        scratch_.push_back(static_cast<int>(frames_[k].next));
    }
    return {topRoot_, scratch_};
}

DisplayObject* BroadcastIndex::Walk::nextHeard(const DisplayObjectContainer& c, std::size_t from) {
    Order& o = order();
    if (clean_) {
        // Nothing moved: the next entry is the next object to hear the event,
        // if it stands among the children still to walk.
        if (hint_ >= o.size()) return nullptr;
        return under(o.place(hint_), framePlace(), from) ? o.object(hint_) : nullptr;
    }
    scratch_.clear();
    const DisplayObject* root = placeOf(c, scratch_);
    const std::size_t depth = scratch_.size();
    scratch_.push_back(static_cast<int>(from));
    const std::size_t i = o.lowerBound({root, scratch_});
    if (i >= o.size()) return nullptr;
    return under(o.place(i), {root, std::span<const int>(scratch_).first(depth)}, from)
               ? o.object(i)
               : nullptr;
}

void BroadcastIndex::Walk::descend(const DisplayObjectContainer& c, DisplayObject& object) {
    // The containers between `c` and the object, which the walk enters on its
    // way down; their earlier children, and the object's own, hold nobody.
    chain_.clear();
    for (DisplayObject* node = &object; node != &c; node = node->listedIn_) chain_.push_back(node);
    for (std::size_t k = chain_.size(); k-- > 0;) {
        DisplayObject* node = chain_[k];
        frames_.back().next = static_cast<std::size_t>(node->listedIn_->indexOf(*node));
        if (k > 0) frames_.push_back({node->self(), 0});
    }
}

void BroadcastIndex::Walk::visit(DisplayObject& object) {
    auto keep = object.self();
    dispatch(object);
    advance(object);
}

void BroadcastIndex::Walk::dispatch(DisplayObject& object) {
    object.dispatchEvent(event_);
    if (&object == pendingFirst_) pendingFirst_ = nullptr;
    if (clean_ && lists().version == seen_) {
        Order& o = order();
        if (hint_ < o.size() && o.object(hint_) == &object) ++hint_;
    }
}

void BroadcastIndex::Walk::advance(const DisplayObject& child) {
    // The live rule: a child still at the index moves the walk on; one that
    // left has its successor in its place.
    Frame& f = frames_.back();
    const auto& children = containerOf(f).limnChildren;
    if (f.next < children.size() && children[f.next].get() == &child) ++f.next;
}

}  // namespace limn::display
