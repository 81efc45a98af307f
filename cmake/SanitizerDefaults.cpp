// Default options of the sanitizer build and the leaks it leaves to the libraries below us.
//
// The sanitizer runtimes look these functions up at start-up, so every program
// and test of the sanitizer build runs with them without any environment
// variable; ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS still override them.

extern "C" {

const char *__asan_default_options()
{
    // Chromium inside the web engine frees some of its objects through a base
    // class with a smaller size (sized delete), which ASan's check of the size
    // reports from inside libQt6WebEngineCore whenever a page goes away; that
    // check cannot be limited to one library, so it is off. Chromium also
    // installs its own signal handlers and checks the stack itself.
    return "new_delete_type_mismatch=0:allow_user_segv_handler=1:detect_stack_use_after_return=0";
}

const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

// Only memory that the libraries keep for the life of the process: fonts and
// their caches, the web engine's browser half, the graphics drivers, and Qt's
// once-made global objects. A leak in the program's own code is never listed.
const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libQt6WebEngineCore.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libgallium\n"
           "leak:swrast_dri.so\n"
           "leak:libdbus-1.so\n";
}

}
