// Leaks the checker reports inside libraries, not in our code:
// - fontconfig keeps its font sets with encoded offsets instead of pointers,
//   so the checker can't see that they stay reachable from its configuration.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
