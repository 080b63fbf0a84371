// Bad calls to the real backend: every primitive of the display, drawing,
// text, pixel and byte families called with NaN, infinities, huge, negative
// and wrongly typed values in each argument, then the scene measured, hit
// tested and drawn; and trees built 100,000 levels deep. Nothing may crash,
// hang or read as NaN. Runs under the sanitizers in CI.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "backend/primitives/Primitives.h"
#include "backend/scene/SceneNode.h"
#include "native/Module.h"
#include "runtime/Error.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

std::vector<rt::Dynamic> badValues() {
    return {std::nan(""), HUGE_VAL, -HUGE_VAL,    1e300,         -1e300,           -1,
            INT_MAX,      INT_MIN,  4294967296.0, rt::Dynamic(), std::string("x"), true};
}

struct Family {
    std::string prefix;
    std::function<rt::Dynamic()> make;  // a fresh handle for the first argument
};

// Exports as (name, argument count); count -1 for a variable count.
std::vector<std::pair<std::string, int>> exportsOf(const std::string& prefix) {
    std::vector<std::pair<std::string, int>> out;
    for (const std::string& e : makeModule()->exportNames()) {
        if (e.rfind(prefix, 0) != 0) continue;
        const auto cut = e.rfind("__");
        const std::string tail = e.substr(cut + 2);
        out.emplace_back(e.substr(0, cut),
                         tail == "MULT" ? native::kVariableArgs : std::stoi(tail));
    }
    return out;
}

bool excluded(const std::string& name) {
    // Files and whole stages are exercised by their own tests.
    for (const char* skip : {"limn_bitmap_data_load", "limn_byte_array_read_file", "_create"}) {
        if (name.find(skip) != std::string::npos) return true;
    }
    return false;
}

class BadCalls : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        stage = makeStage(64, 64);
        holder = sprite();
        call("limn_doc_add_child", stage, holder);
    }

    // A shape with a drawing, on the stage.
    rt::Dynamic drawnShape() {
        auto s = shape();
        fillRect(s, 0xFF0000, 1.0, 0, 0, 10, 10);
        call("limn_doc_add_child", holder, s);
        return s;
    }

    void callWith(const std::string& name, int count, const rt::Dynamic& first, int position,
                  const rt::Dynamic& bad) {
        const int n = count == native::kVariableArgs ? 6 : count;
        std::vector<rt::Dynamic> args(static_cast<std::size_t>(std::max(n, 1)), rt::Dynamic(0));
        args[0] = first;
        if (position < n) args[static_cast<std::size_t>(position)] = bad;
        try {
            native::Primitive{name, count}.invoke(args);
        } catch (const rt::Error&) {
            // A clear refusal is fine.
        }
    }

    void expectSaneScene() {
        for (const auto& child : {rt::Dynamic(holder), drawnShape()}) {
            for (const char* read :
                 {"limn_display_object_get_width", "limn_display_object_get_height",
                  "limn_display_object_get_x", "limn_display_object_get_alpha"}) {
                const double v = call(read, child).asFloat();
                EXPECT_FALSE(std::isnan(v)) << read;
            }
        }
        call("limn_display_object_hit_test_point", holder, 5.0, 5.0, true, true);
        call("limn_render_stage", stage);
    }

    rt::Dynamic stage;
    rt::Dynamic holder;
};

TEST_F(BadCalls, EveryArgumentOfEveryPrimitiveTakesBadValues) {
    const std::vector<Family> families = {
        {"limn_display_object_", [this] { return drawnShape(); }},
        {"limn_doc_", [this] { return holder; }},
        {"limn_gfx_", [this] { return graphics(drawnShape()); }},
        {"limn_text_field_",
         [this] {
             auto field = call("limn_text_field_create");
             call("limn_text_field_set_text", field, std::string("some text\nand more"));
             call("limn_doc_add_child", holder, field);
             return field;
         }},
        {"limn_bitmap_data_", [] { return bitmap(4, 4, 0xFF00FF00); }},
        {"limn_byte_array_", [] { return call("limn_byte_array_create", 4); }},
        {"limn_tilesheet_", [] { return call("limn_tilesheet_create", bitmap(4, 4, 0xFF00FF00)); }},
    };
    int calls = 0;
    for (const Family& family : families) {
        for (const auto& [name, count] : exportsOf(family.prefix)) {
            if (excluded(name)) continue;
            const int n = count == native::kVariableArgs ? 6 : count;
            for (int position = 0; position < n; ++position) {
                for (const rt::Dynamic& bad : badValues()) {
                    callWith(name, count, position == 0 ? bad : family.make(), position, bad);
                    ++calls;
                }
            }
        }
        expectSaneScene();
    }
    EXPECT_GT(calls, 1000);
}

TEST_F(BadCalls, BitmapsOfBadSizesAreRefusedOrSmall) {
    for (const rt::Dynamic& bad : badValues()) {
        for (int position = 0; position < 5; ++position) {
            std::vector<rt::Dynamic> args = {4, 4, true, 0, 255};
            args[static_cast<std::size_t>(position)] = bad;
            rt::Dynamic made;
            try {
                made = native::Primitive{"limn_bitmap_data_create", 5}.invoke(args);
            } catch (const rt::Error&) {
                continue;
            }
            if (made.isNull()) continue;
            EXPECT_LE(call("limn_bitmap_data_width", made).asInt(), 16384);
            EXPECT_LE(call("limn_bitmap_data_height", made).asInt(), 16384);
        }
    }
}

TEST_F(BadCalls, ChainsDeeperThanTheLimitStopAtItAndEverythingStillWorks) {
    std::vector<rt::Dynamic> chain{holder};
    for (int level = 0; level < 100000; ++level) {
        auto next = sprite();
        fillRect(next, 0x0000FF, 1.0, 0, 0, 2, 2);
        call("limn_doc_add_child", chain.back(), next);
        chain.push_back(next);
    }
    int depth = 0;
    for (auto* node = SceneNode::from(chain.back()); node->parent() != nullptr;
         node = node->parent()) {
        ++depth;
    }
    EXPECT_LE(depth, SceneNode::kMaxDepth) << "the deepest object reachable from the stage";
    expectSaneScene();
    call("limn_display_object_get_pixel_bounds", holder, std::make_shared<rt::Object>());
    // Releasing the whole chain at once.
    chain.clear();
    call("limn_doc_remove_child", stage, 0);
    holder = rt::Dynamic();
}

}  // namespace
}  // namespace limn::sdl::testing
