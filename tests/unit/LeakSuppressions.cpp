// The font library keeps caches for the life of the process, which the leak checker would
// report after every widget test.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
