#pragma once
// limn's library for testing a game: play its entry point headless with a
// fixed seed and a hand-driven clock, give it input, read its display
// objects, frames and sounds, compare frames with goldens
// (backend/testing/Game.h). Link limn::testing.
#include "backend/testing/Game.h"
