// Leaks the checker reports inside libraries, not in our code:
// - fontconfig keeps its font sets with encoded offsets instead of pointers,
//   so the checker can't see that they stay reachable from its configuration;
// - SDL's WAV reader loses a small block (72 bytes) on some malformed files,
//   which the loader fuzz test feeds it on purpose.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libSDL2-2.0.so\n";
}
