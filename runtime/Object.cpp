#include "runtime/Object.h"

#include "runtime/Function.h"
#include "runtime/Log.h"

namespace rt {

namespace {

// A write that a class ignores is almost always a typo or a member that was
// never registered in the class table: say so once per class and name.
void warnUnknownWrite(const ClassInfo& info, Name name) {
    const bool readOnly = info.find(name) != nullptr;
    const std::string key = "set:" + info.name() + "." + name.str();
    rt::log::warnOnce(key, readOnly ? "\"" + name.str() + "\" of " + info.name() +
                                          " cannot be written (read-only); the write is ignored"
                                    : info.name() + " has no property \"" + name.str() +
                                          "\"; the write is ignored (a typo, or a member "
                                          "missing from its class table?)");
}

}  // namespace

Object::~Object() {
    if (life_) life_->self = nullptr;
}

const ClassInfo& Object::staticClass() {
    static const ClassInfo info("Object");
    return info;
}

const std::shared_ptr<LifeToken>& Object::lifeToken() {
    if (!life_) life_ = std::make_shared<LifeToken>(LifeToken{this});
    return life_;
}

Dynamic Object::get(Name name) {
    const ClassInfo& info = classInfo();
    if (const auto* m = info.find(name)) {
        if (m->get) return m->get(*this);
        if (m->call) {
            return Function(std::make_shared<detail::NamedMethodImpl>(lifeToken(), m->call,
                                                                      info.methodTag(name)));
        }
    }
    return getExtra(name);
}

void Object::set(Name name, const Dynamic& value) {
    if (const auto* m = classInfo().find(name); m && m->set) {
        m->set(*this, value);
        return;
    }
    if (!setExtra(name, value)) warnUnknownWrite(classInfo(), name);
}

bool Object::hasField(Name name) const {
    return classInfo().find(name) != nullptr || hasExtra(name);
}

Dynamic Object::callMethod(Name name, Args args) {
    if (const auto* m = classInfo().find(name); m && m->call) return m->call(*this, args);
    return get(name).asFunction().call(args);
}

std::vector<Name> Object::fieldNames() const {
    return classInfo().fieldOrder();
}

std::string Object::toString() const {
    const std::string& full = classInfo().name();
    auto dot = full.rfind('.');
    return "[object " + (dot == std::string::npos ? full : full.substr(dot + 1)) + "]";
}

bool Object::isA(const ClassInfo& info) const {
    return classInfo().isA(info);
}

ClassInfo::ClassInfo(std::string name, const ClassInfo* base)
    : name_(std::move(name)), base_(base) {
    // Flatten the base's members so a lookup is one probe, whatever the depth.
    if (base_) {
        members_ = base_->members_;
        methodTags_ = base_->methodTags_;
        fieldOrder_ = base_->fieldOrder_;
    }
}

ClassInfo::Member& ClassInfo::MemberTable::operator[](const std::string* key) {
    if ((used_ + 1) * 2 > slots_.size()) grow();
    std::size_t i = slotOf(key);
    while (slots_[i].key != nullptr && slots_[i].key != key) i = (i + 1) & mask_;
    if (slots_[i].key == nullptr) {
        slots_[i].key = key;
        ++used_;
    }
    return slots_[i].member;
}

void ClassInfo::MemberTable::grow() {
    std::vector<Slot> old = std::move(slots_);
    std::size_t size = old.empty() ? 16 : old.size() * 2;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    shift_ = 64;
    for (std::size_t s = size; s > 1; s >>= 1) --shift_;
    used_ = 0;
    for (const Slot& slot : old) {
        if (slot.key) (*this)[slot.key] = slot.member;
    }
}

const void* ClassInfo::methodTag(Name name) const {
    auto it = methodTags_.find(name.id());
    return it == methodTags_.end() ? nullptr : it->second;
}

bool ClassInfo::isA(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->base_) {
        if (c == &other) return true;
    }
    return false;
}

Dynamic detail::NamedMethodImpl::call(Args args) const {
    Object* self = life_->self;
    if (self == nullptr) return {};
    auto keep = self->weak_from_this().lock();
    return method_(*self, args);
}

const ClassInfo& DynObject::staticClass() {
    static const ClassInfo info("Object", &Object::staticClass());
    return info;
}

DynObject::DynObject(std::initializer_list<std::pair<Name, Dynamic>> fields) : fields_(fields) {}

std::vector<Name> DynObject::fieldNames() const {
    std::vector<Name> names;
    names.reserve(fields_.size());
    for (const auto& f : fields_) names.push_back(f.first);
    return names;
}

std::string DynObject::toString() const {
    // Stable whatever the fields hold: callers key tables by an object's string form.
    return "[object Object]";
}

std::string DynObject::describe() const {
    std::string out = "{";
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (i) out += ", ";
        out += fields_[i].first.str() + ": " + fields_[i].second.toString();
    }
    return out + "}";
}

std::ptrdiff_t DynObject::indexOf(Name name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].first == name) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

Dynamic DynObject::getExtra(Name name) {
    for (const auto& f : fields_) {
        if (f.first == name) return f.second;
    }
    return {};
}

bool DynObject::setExtra(Name name, const Dynamic& value) {
    for (auto& f : fields_) {
        if (f.first == name) {
            f.second = value;
            return true;
        }
    }
    fields_.emplace_back(name, value);
    return true;
}

bool DynObject::hasExtra(Name name) const {
    for (const auto& f : fields_) {
        if (f.first == name) return true;
    }
    return false;
}

PropertySet props(std::initializer_list<std::pair<Name, Dynamic>> fields) {
    return std::make_shared<DynObject>(fields);
}

}  // namespace rt
