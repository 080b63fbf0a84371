#include "runtime/Dynamic.h"

#include <cmath>
#include <cstdio>

#include "runtime/Error.h"
#include "runtime/Object.h"

namespace rt {

Dynamic Function::call(Args args) const {
    if (!impl_) throw NullCallError("callable is null");
    return impl_->call(args);
}

bool Function::sameAs(const Function& other) const {
    if (impl_ == other.impl_) return true;
    if (!impl_ || !other.impl_) return false;
    return impl_->code() == other.impl_->code() && impl_->receiver() == other.impl_->receiver();
}

Dynamic::Dynamic(ArrayPtr v) {
    if (v) v_ = std::move(v);
}

Dynamic::Dynamic(Function v) {
    if (v) v_ = std::move(v);
}

bool Dynamic::asBool() const {
    switch (kind()) {
        case Kind::Null:
            return false;
        case Kind::Bool:
            return std::get<bool>(v_);
        case Kind::Int:
            return std::get<int>(v_) != 0;
        case Kind::Float:
            return std::get<double>(v_) != 0.0;
        case Kind::String:
            return !std::get<std::string>(v_).empty();
        default:
            return true;
    }
}

int Dynamic::asInt() const {
    switch (kind()) {
        case Kind::Bool:
            return std::get<bool>(v_) ? 1 : 0;
        case Kind::Int:
            return std::get<int>(v_);
        case Kind::Float: {
            double d = std::get<double>(v_);
            if (!std::isfinite(d)) return 0;
            // Out-of-range floats wrap to 32 bits like integer arithmetic does.
            return static_cast<int>(
                static_cast<std::int64_t>(std::fmod(std::trunc(d), 4294967296.0)));
        }
        case Kind::String:
            return static_cast<int>(std::strtol(std::get<std::string>(v_).c_str(), nullptr, 10));
        default:
            return 0;
    }
}

double Dynamic::asFloatSlow() const {
    switch (kind()) {
        case Kind::Bool:
            return std::get<bool>(v_) ? 1.0 : 0.0;
        case Kind::Int:
            return std::get<int>(v_);
        case Kind::Float:
            return std::get<double>(v_);
        case Kind::String:
            return std::strtod(std::get<std::string>(v_).c_str(), nullptr);
        default:
            return 0.0;
    }
}

std::string Dynamic::asString() const {
    if (auto* s = std::get_if<std::string>(&v_)) return *s;
    return toString();
}

ArrayPtr Dynamic::asArray() const {
    if (auto* a = std::get_if<ArrayPtr>(&v_)) return *a;
    return nullptr;
}

ObjectPtr Dynamic::asObject() const {
    if (auto* o = std::get_if<ObjectPtr>(&v_)) return *o;
    return nullptr;
}

Function Dynamic::asFunction() const {
    if (auto* f = std::get_if<Function>(&v_)) return *f;
    return {};
}

Handle Dynamic::asHandle() const {
    if (auto* h = std::get_if<Handle>(&v_)) return *h;
    return nullptr;
}

namespace {

std::string formatFloat(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    if (d == std::trunc(d) && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

}  // namespace

std::string Dynamic::toString() const {
    switch (kind()) {
        case Kind::Null:
            return "null";
        case Kind::Bool:
            return std::get<bool>(v_) ? "true" : "false";
        case Kind::Int:
            return std::to_string(std::get<int>(v_));
        case Kind::Float:
            return formatFloat(std::get<double>(v_));
        case Kind::String:
            return std::get<std::string>(v_);
        case Kind::Array: {
            std::string out = "[";
            const auto& items = *std::get<ArrayPtr>(v_);
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i) out += ",";
                out += items[i].toString();
            }
            return out + "]";
        }
        case Kind::Object:
            return std::get<ObjectPtr>(v_)->toString();
        case Kind::Function:
            return "#function";
        case Kind::Handle:
            return "#handle";
    }
    return {};
}

bool operator==(const Dynamic& a, const Dynamic& b) {
    using K = Dynamic::Kind;
    if (a.isNumber() && b.isNumber()) return a.asFloat() == b.asFloat();
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
        case K::Null:
            return true;
        case K::Bool:
            return std::get<bool>(a.v_) == std::get<bool>(b.v_);
        case K::String:
            return std::get<std::string>(a.v_) == std::get<std::string>(b.v_);
        case K::Array:
            return std::get<ArrayPtr>(a.v_) == std::get<ArrayPtr>(b.v_);
        case K::Object:
            return std::get<ObjectPtr>(a.v_) == std::get<ObjectPtr>(b.v_);
        case K::Function:
            return std::get<Function>(a.v_).sameAs(std::get<Function>(b.v_));
        case K::Handle:
            return std::get<Handle>(a.v_) == std::get<Handle>(b.v_);
        default:
            return false;
    }
}

ArrayPtr array(std::initializer_list<Dynamic> items) {
    return std::make_shared<Array>(items);
}

}  // namespace rt
