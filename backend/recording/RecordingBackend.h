#pragma once
// A native module for tests: it answers every primitive, records each call
// with its arguments, and plays back answers that a test scripts.
//
// Without a scripted answer it behaves like a tiny model of a backend:
//   - a primitive whose name contains "create" returns a fresh handle;
//   - "<prefix>_set_<prop>"(handle, value) stores the value and returns it, and
//     "<prefix>_get_<prop>"(handle) then returns what was stored;
//   - "limn_time_stamp" returns the scripted clock (seconds);
//   - the container primitives ("limn_doc_add_child", "limn_doc_remove_child",
//     "limn_doc_set_child_index", "limn_doc_swap_children") keep a child list
//     per container handle, read with children(); a call the list can't honour
//     (an index out of range, an unknown child) is noted in modelFaults();
//   - anything else returns null.
// Answers scripted by a test win over the model: answerOnce() (queued, used
// first), then answerWith() (computed), then answer() (fixed).
//
//   auto& backend = limn::recording::RecordingBackend::install();
//   backend.answer("limn_display_object_get_width", 50.0);
//   EXPECT_EQ(backend.count("limn_display_object_set_x"), 1);

#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "native/Module.h"
#include "runtime/Dynamic.h"

namespace limn::recording {

struct RecordedHandle : rt::NativeObject {
    RecordedHandle(int id, std::string madeBy) : id(id), madeBy(std::move(madeBy)) {}
    int id;
    std::string madeBy;  // the primitive that created it
};

struct Call {
    std::string name;  // the primitive's name, without the "__N" suffix
    std::vector<rt::Dynamic> args;
};

class RecordingBackend : public native::Module {
public:
    // Registers the one shared instance as module "limn", resolves every
    // declared primitive against it and resets it.
    static RecordingBackend& install();
    static RecordingBackend& instance();

    // Forgets calls, answers, stored values and handles; the clock goes to 0.
    void reset();

    [[nodiscard]] std::optional<native::PrimitiveFn> find(
        const std::string& exportName) const override;

    // Holds the backend to a contract: from now on only these export names
    // ("name__N") are answered; any other is refused (not exported) and kept
    // in refused(), so a test can fail on a name or arity the real backend
    // does not have. Without a contract every name is answered.
    void restrictTo(std::set<std::string> exportNames);
    // Export names asked for and refused under the contract, in order, once each.
    [[nodiscard]] const std::vector<std::string>& refused() const { return refused_; }

    [[nodiscard]] const std::vector<Call>& calls() const { return calls_; }
    [[nodiscard]] std::vector<Call> callsTo(std::string_view name) const;
    [[nodiscard]] int count(std::string_view name) const;
    // The latest call of that primitive, or nullptr.
    [[nodiscard]] const Call* last(std::string_view name) const;
    // Names of all calls in order, for compact sequence assertions.
    [[nodiscard]] std::vector<std::string> callNames() const;
    void clearCalls() { calls_.clear(); }

    void answer(const std::string& name, rt::Dynamic value);
    void answerOnce(const std::string& name, rt::Dynamic value);
    void answerWith(const std::string& name, native::PrimitiveFn fn);
    void clearAnswers(const std::string& name);

    void setTime(double seconds) { time_ = seconds; }
    void advance(double seconds) { time_ += seconds; }
    [[nodiscard]] double time() const { return time_; }

    rt::Handle makeHandle(const std::string& madeBy = "test");
    // The id of a recorded handle, 0 for null or a foreign value.
    static int idOf(const rt::Dynamic& handle);
    // What the model stored for "<prefix>_set_<prop>" on this handle (null if nothing).
    [[nodiscard]] rt::Dynamic stored(const rt::Dynamic& handle, const std::string& setter) const;
    // The modelled native child list of a container: the ids of its child
    // handles, bottom first. Empty for a container never added to.
    [[nodiscard]] std::vector<int> children(const rt::Dynamic& container) const;
    // Container calls the child-list model could not carry out, in order.
    [[nodiscard]] const std::vector<std::string>& modelFaults() const { return faults_; }

private:
    rt::Dynamic respond(const std::string& name, rt::Args args);
    rt::Dynamic modelAnswer(const std::string& name, rt::Args args);
    bool modelChildList(const std::string& name, rt::Args args);

    std::vector<Call> calls_;
    std::map<std::string, std::deque<rt::Dynamic>, std::less<>> once_;
    std::map<std::string, native::PrimitiveFn, std::less<>> computed_;
    std::map<std::string, rt::Dynamic, std::less<>> fixed_;
    std::map<std::pair<int, std::string>, rt::Dynamic> store_;
    std::map<int, std::vector<int>> children_;
    std::vector<std::string> faults_;
    std::optional<std::set<std::string>> contract_;
    mutable std::vector<std::string> refused_;
    double time_ = 0;
    int nextId_ = 1;
};

}  // namespace limn::recording
