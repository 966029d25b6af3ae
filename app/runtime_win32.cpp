// setup.exe is built without exceptions. The few places where the standard
// library would throw (an allocation or a length that cannot be met) end the
// process at once instead; defining them here keeps the unwinder's users,
// the exception classes and the symbol demangler of the static runtime out
// of the executable, which would otherwise double its code.
#include <cstdlib>

namespace std {
[[noreturn]] void __throw_bad_alloc() {
    std::abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

extern "C" void __cxa_pure_virtual() {
    std::abort();
}

// The library's own operator new reports failure by throwing, which would
// bring the unwinder back in; here a failed allocation ends the process.
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) std::abort();
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace std {
// The standard library's checked accessors stop the program at a broken
// precondition instead of reading out of bounds; the report itself would
// pull in the demangler and stdio, so the stop is silent.
[[noreturn]] void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
    std::abort();
}
}  // namespace std
