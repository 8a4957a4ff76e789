// Libraries that keep what they allocated for the life of the process, which the leak checker
// would report at the end of every run: the font library's caches, and the proxies of Qt's
// Wayland plugin, which it never destroys.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libQt6WaylandClient\n";
}
