#pragma once
// The ways out every example shares, set up once the stage exists:
// - Escape closes the program (the window's close button always does);
// - LIMN_EXAMPLE_SECONDS=n in the environment closes it after n seconds, so
//   that a script or a test can run an example and see it end by itself.
//
//   void start() { examples::addExits(); /* ...build the scene... */ }
#include <cstdlib>
#include <memory>

#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Stage.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/ui/Keyboard.h"
#include "runtime/Function.h"

namespace examples {

inline void addExits() {
    auto onKey = [](const std::shared_ptr<limn::events::KeyboardEvent>& key) {
        if (key->keyCode == limn::ui::Keyboard::ESCAPE) limn::Lib::close();
    };
    limn::Lib::stage()->addEventListener(limn::events::KeyboardEvent::KEY_DOWN,
                                         rt::function(onKey));

    const char* seconds = std::getenv("LIMN_EXAMPLE_SECONDS");
    if (!seconds) return;
    const double limit = std::atof(seconds);
    if (limit > 0) {
        limn::Timer::delay(rt::function([] { limn::Lib::close(); }),
                           static_cast<int>(limit * 1000));
    }
}

}  // namespace examples
