#pragma once
// The ways out every example shares, set up once the stage exists:
// - Escape closes the program (the window's close button always does);
// - LIMN_EXAMPLE_SECONDS=n in the environment closes it after n seconds, so
//   that a script or a test can run an example and see it end by itself.
//
//   void start() { examples::addExits(); /* ...build the scene... */ }
#include <cstdlib>

#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Stage.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/ui/Keyboard.h"

namespace examples {

inline void addExits() {
    limn::Lib::stage()->on(limn::events::KeyboardEvent::KEY_DOWN,
                           [](limn::events::KeyboardEvent& key) {
                               if (key.keyCode == limn::ui::Keyboard::ESCAPE) limn::Lib::close();
                           });
    const char* seconds = std::getenv("LIMN_EXAMPLE_SECONDS");
    const double limit = seconds ? std::atof(seconds) : 0;
    if (limit > 0) limn::Timer::delay([] { limn::Lib::close(); }, static_cast<int>(limit * 1000));
}

}  // namespace examples
