// Leaks the checker reports inside libraries, not in our code:
// - fontconfig keeps its font sets with encoded offsets instead of pointers,
//   so the checker can't see that they stay reachable from its configuration;
// - D-Bus, which SDL opens on a real X display, keeps one message buffer per
//   process until exit (seen when a test process exits without SDL_Quit).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
