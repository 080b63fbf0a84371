#pragma once
// SDL wakes a thread blocked in SDL_WaitEventTimeout by sending a message to
// one of its windows over a second X connection. That message can reach the X
// server after the window is gone (the window is closed just after an event
// woke the loop), and the server then answers with a BadWindow error, which
// Xlib's default handler turns into exit(1).
//
// ignoreLateWakeups() installs, once per process and before SDL's own X error
// handler, a handler that drops exactly those errors (BadWindow on a sent
// event) and hands every other error on. Nothing happens without X.

namespace limn::sdl {

void ignoreLateWakeups();

}  // namespace limn::sdl
