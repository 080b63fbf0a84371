#pragma once
// Process-wide state (the stage, running timers, tween lists, key bindings...) has one owner
// each. The owner registers, from the .cpp that defines the state, the step that puts it back
// as a fresh process has it; a program that links the state therefore links its step too.
// resetProcessState() runs every step: tests call it between cases.
//
//   namespace {
//   [[maybe_unused]] const bool registered =
//       rt::registerReset(rt::ResetLayer::Framework, [] { Timer::sRunningTimers.clear(); });
//   }
//
// Steps run from the outermost layer in (the game, then the tween engine, then the framework),
// so a step may still use what the layers below it own; within a layer, in registration order.

namespace rt {

enum class ResetLayer { Framework, Motion, Game };

using ResetStep = void (*)();

// Adds a step; returns true, so that it can initialise a static.
bool registerReset(ResetLayer layer, ResetStep step);

// Runs every registered step.
void resetProcessState();

}  // namespace rt
