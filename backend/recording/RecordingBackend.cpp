#include "backend/recording/RecordingBackend.h"

#include <algorithm>

#include "native/Primitive.h"

namespace limn::recording {

namespace {

const std::shared_ptr<RecordingBackend>& shared() {
    static const auto backend = std::make_shared<RecordingBackend>();
    return backend;
}

}  // namespace

RecordingBackend& RecordingBackend::instance() {
    return *shared();
}

RecordingBackend& RecordingBackend::install() {
    native::registerModule("limn", shared());
    native::Primitive::resolveAll();
    shared()->reset();
    return *shared();
}

void RecordingBackend::reset() {
    calls_.clear();
    once_.clear();
    computed_.clear();
    fixed_.clear();
    store_.clear();
    children_.clear();
    faults_.clear();
    time_ = 0;
    nextId_ = 1;
}

std::optional<native::PrimitiveFn> RecordingBackend::find(const std::string& exportName) const {
    if (contract_ && !contract_->contains(exportName)) {
        if (std::find(refused_.begin(), refused_.end(), exportName) == refused_.end()) {
            refused_.push_back(exportName);
        }
        return std::nullopt;
    }
    auto cut = exportName.rfind("__");
    std::string name = cut == std::string::npos ? exportName : exportName.substr(0, cut);
    auto* self = const_cast<RecordingBackend*>(this);
    return native::PrimitiveFn([self, name](rt::Args args) { return self->respond(name, args); });
}

void RecordingBackend::restrictTo(std::set<std::string> exportNames) {
    contract_ = std::move(exportNames);
}

rt::Dynamic RecordingBackend::respond(const std::string& name, rt::Args args) {
    calls_.push_back(Call{name, std::vector<rt::Dynamic>(args.begin(), args.end())});
    if (auto it = once_.find(name); it != once_.end() && !it->second.empty()) {
        rt::Dynamic value = it->second.front();
        it->second.pop_front();
        return value;
    }
    if (auto it = computed_.find(name); it != computed_.end()) return it->second(args);
    if (auto it = fixed_.find(name); it != fixed_.end()) return it->second;
    return modelAnswer(name, args);
}

rt::Dynamic RecordingBackend::modelAnswer(const std::string& name, rt::Args args) {
    if (name == "limn_time_stamp") return time_;
    if (modelChildList(name, args)) return {};
    if (name.find("create") != std::string::npos) return makeHandle(name);
    if (auto pos = name.find("_set_"); pos != std::string::npos && args.size() >= 2) {
        store_[{idOf(args[0]), name}] = args[1];
        return args[1];
    }
    if (auto pos = name.find("_get_"); pos != std::string::npos && !args.empty()) {
        std::string setter = name;
        setter.replace(pos, 5, "_set_");
        if (auto it = store_.find({idOf(args[0]), setter}); it != store_.end()) return it->second;
    }
    return {};
}

std::vector<Call> RecordingBackend::callsTo(std::string_view name) const {
    std::vector<Call> out;
    for (const auto& c : calls_) {
        if (c.name == name) out.push_back(c);
    }
    return out;
}

int RecordingBackend::count(std::string_view name) const {
    int n = 0;
    for (const auto& c : calls_) n += c.name == name ? 1 : 0;
    return n;
}

const Call* RecordingBackend::last(std::string_view name) const {
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
        if (it->name == name) return &*it;
    }
    return nullptr;
}

std::vector<std::string> RecordingBackend::callNames() const {
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const auto& c : calls_) out.push_back(c.name);
    return out;
}

void RecordingBackend::answer(const std::string& name, rt::Dynamic value) {
    fixed_[name] = std::move(value);
}

void RecordingBackend::answerOnce(const std::string& name, rt::Dynamic value) {
    once_[name].push_back(std::move(value));
}

void RecordingBackend::answerWith(const std::string& name, native::PrimitiveFn fn) {
    computed_[name] = std::move(fn);
}

void RecordingBackend::clearAnswers(const std::string& name) {
    once_.erase(name);
    computed_.erase(name);
    fixed_.erase(name);
}

rt::Handle RecordingBackend::makeHandle(const std::string& madeBy) {
    return std::make_shared<RecordedHandle>(nextId_++, madeBy);
}

int RecordingBackend::idOf(const rt::Dynamic& handle) {
    auto* h = handle.handleAs<RecordedHandle>();
    return h ? h->id : 0;
}

bool RecordingBackend::modelChildList(const std::string& name, rt::Args args) {
    if (name.rfind("limn_doc_", 0) != 0 || args.size() < 2) return false;
    auto& list = children_[idOf(args[0])];
    const auto size = static_cast<int>(list.size());
    auto inRange = [&](int i) {
        if (i >= 0 && i < size) return true;
        faults_.push_back(name + ": index " + std::to_string(i) + " of " + std::to_string(size));
        return false;
    };
    if (name == "limn_doc_add_child") {
        list.push_back(idOf(args[1]));
    } else if (name == "limn_doc_remove_child") {
        int i = args[1].asInt();
        if (inRange(i)) list.erase(list.begin() + i);
    } else if (name == "limn_doc_set_child_index" && args.size() >= 3) {
        auto it = std::find(list.begin(), list.end(), idOf(args[1]));
        int to = args[2].asInt();
        if (it == list.end()) {
            faults_.push_back(name + ": no child " + std::to_string(idOf(args[1])));
        } else if (inRange(to)) {
            int child = *it;
            list.erase(it);
            list.insert(list.begin() + to, child);
        }
    } else if (name == "limn_doc_swap_children" && args.size() >= 3) {
        int i = args[1].asInt();
        int j = args[2].asInt();
        if (inRange(i) && inRange(j)) std::swap(list[i], list[j]);
    } else {
        return false;
    }
    return true;
}

std::vector<int> RecordingBackend::children(const rt::Dynamic& container) const {
    auto it = children_.find(idOf(container));
    return it == children_.end() ? std::vector<int>() : it->second;
}

rt::Dynamic RecordingBackend::stored(const rt::Dynamic& handle, const std::string& setter) const {
    auto it = store_.find({idOf(handle), setter});
    return it == store_.end() ? rt::Dynamic() : it->second;
}

}  // namespace limn::recording
