// setup.exe is built without exceptions. The few places where the standard
// library would throw (an allocation or a length that cannot be met) end the
// process at once instead; defining them here keeps the unwinder's users,
// the exception classes and the symbol demangler of the static runtime out
// of the executable, which would otherwise double its code.
#include <cstdlib>

namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

extern "C" void __cxa_pure_virtual() { std::abort(); }
