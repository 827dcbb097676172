// The program is built without exceptions. These replace the C++ run time's throw helpers
// and its verbose terminate handler, which would otherwise link the exception machinery,
// the symbol demangler and a second string implementation into the executable (about a
// third of its size). A failure that would have thrown ends the process with a message.
// The same goes for operator new and the guards of function-local statics below.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

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

// make_shared's control block asks this only from a path no longer taken (a deleter lookup).
bool _Sp_make_shared_tag::_S_eq(const type_info&) noexcept { return false; }
}  // namespace std

// Nothing is ever thrown, so no handler is ever entered and nothing unwinds: the run time's
// catch and unwind entry points (named by its prebuilt string code) are never reached.
extern "C" {
void* __cxa_begin_catch(void*) noexcept { Fatal("Pagewick has stopped unexpectedly."); }
void __cxa_end_catch() { Fatal("Pagewick has stopped unexpectedly."); }
void __cxa_rethrow() { Fatal("Pagewick has stopped unexpectedly."); }
void __cxa_call_terminate(void*) noexcept { Fatal("Pagewick has stopped unexpectedly."); }
int __gxx_personality_v0(...) { Fatal("Pagewick has stopped unexpectedly."); }
void _Unwind_Resume(void*) { Fatal("Pagewick has stopped unexpectedly."); }
}

// Memory: operator new ends the process when memory runs out (the nothrow form returns null),
// so the run time's versions, which throw std::bad_alloc, stay out.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    Fatal("Pagewick has run out of memory.");
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// Function-local statics: the first caller builds the object while others wait. The guard's
// first byte says "built" (the compiler reads it before calling in); its second word is a lock
// taken while one thread builds. These replace the run time's guards, which bring in the
// exception machinery to report a recursive initialisation.
namespace {
volatile LONG* GuardLock(std::int64_t* guard) { return reinterpret_cast<volatile LONG*>(guard) + 1; }
bool GuardBuilt(std::int64_t* guard) { return *reinterpret_cast<volatile unsigned char*>(guard) != 0; }
}  // namespace

extern "C" int __cxa_guard_acquire(std::int64_t* guard) {
    for (;;) {
        if (GuardBuilt(guard)) return 0;
        if (::InterlockedCompareExchange(GuardLock(guard), 1, 0) == 0) {
            if (!GuardBuilt(guard)) return 1;   // this thread builds it, holding the lock
            ::InterlockedExchange(GuardLock(guard), 0);
            return 0;
        }
        ::Sleep(0);
    }
}

extern "C" void __cxa_guard_release(std::int64_t* guard) {
    *reinterpret_cast<volatile unsigned char*>(guard) = 1;
    ::InterlockedExchange(GuardLock(guard), 0);
}

extern "C" void __cxa_guard_abort(std::int64_t* guard) { ::InterlockedExchange(GuardLock(guard), 0); }
