// The program is built without exceptions. These replace the C++ run time's throw helpers
// and its verbose terminate handler, which would otherwise link the exception machinery,
// the symbol demangler and a second string implementation into the executable (about a
// third of its size). A failure that would have thrown ends the process with a message.
#include <windows.h>

#include <cstdlib>

namespace {

[[noreturn]] void Fatal(const char* what) {
    ::MessageBoxA(nullptr, what, "Pagewick", MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
    ::ExitProcess(3);
}

}  // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { Fatal("Pagewick has stopped unexpectedly."); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { Fatal("Pagewick has run out of memory."); }
void __throw_bad_array_new_length() { Fatal("Pagewick has run out of memory."); }
void __throw_length_error(const char*) { Fatal("Pagewick has run out of memory."); }
void __throw_logic_error(const char* what) { Fatal(what); }
void __throw_out_of_range(const char* what) { Fatal(what); }
void __throw_out_of_range_fmt(const char* what, ...) { Fatal(what); }
void __throw_invalid_argument(const char* what) { Fatal(what); }
void __throw_runtime_error(const char* what) { Fatal(what); }
void __throw_bad_function_call() { Fatal("Pagewick has stopped unexpectedly."); }
void __throw_system_error(int) { Fatal("Pagewick has stopped unexpectedly."); }
}  // namespace std
