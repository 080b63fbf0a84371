#pragma once
// Shared helpers for the drawing tests: the arguments of the latest call to a
// primitive, with a variable-count call's packed array unfolded.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/BackendTest.h"

namespace rt {
// Readable values in failure messages.
inline void PrintTo(const Dynamic& value, std::ostream* out) {
    *out << value.toString();
}
}  // namespace rt

namespace limn::testing {

class DrawingTest : public BackendTest {
protected:
    // Arguments of the latest call of `name`; fails the test when there is none.
    std::vector<rt::Dynamic> argsOf(const std::string& name) {
        const recording::Call* call = backend.last(name);
        if (call == nullptr) {
            ADD_FAILURE() << "no call to " << name;
            return {};
        }
        return unfold(*call);
    }

    static std::vector<rt::Dynamic> unfold(const recording::Call& call) {
        if (call.args.size() == 1 && call.args[0].isArray()) return *call.args[0].asArray();
        return call.args;
    }
};

}  // namespace limn::testing
