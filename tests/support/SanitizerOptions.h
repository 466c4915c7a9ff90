#pragma once
// Included by exactly one file of each test program.
// Sanitizer settings compiled into each test program, so they hold however the test is started
// (ctest's environment properties do not reach every runner). Leaks inside the libraries we
// build on are not ours; every leak in our own code still fails the test.

extern "C" {
// Only read when the program is built with the sanitizers.
__attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libglib-2.0\n"
           "leak:libgobject-2.0\n"
           "leak:libgio-2.0\n"
           "leak:libgstreamer-1.0\n"
           "leak:libgstbase-1.0\n"
           "leak:libgstvideo-1.0\n"
           "leak:libgstaudio-1.0\n"
           "leak:libgstpbutils-1.0\n"
           "leak:/gstreamer-1.0/\n"
           "leak:libpulse\n"
           "leak:libasound\n"
           "leak:libQt6Core\n"
           "leak:libQt6Gui\n"
           "leak:libQt6Widgets\n"
           "leak:libQt6DBus\n"
           "leak:libdbus-1\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libmediainfo\n"
           "leak:libzen\n";
}
__attribute__((used)) const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
}
