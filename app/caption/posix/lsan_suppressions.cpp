// Sanitizer builds only: fontconfig keeps a few bytes of its configuration
// to the end of the process on purpose; LeakSanitizer is told so.
extern "C" const char *__lsan_default_suppressions();
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
