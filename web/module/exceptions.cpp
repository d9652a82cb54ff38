// The C++ exception runtime for WebAssembly's native exception handling
// (clang -fwasm-exceptions). Debian's libc++abi for wasm32-wasi is built
// without exceptions and leaves these entry points out; the engine reports
// its failures as exceptions, so the module brings its own.
//
// The browser unwinds the stack and stops at every frame that has a catch;
// that frame's landing pad stores its index and its exception table (LSDA)
// in __wasm_lpad_context and calls _Unwind_CallPersonality, which answers
// with the table's type index of the clause that matches (0 for none, and the
// frame rethrows). One thread, so the state below is plain globals.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <typeinfo>

namespace {

// What is thrown: this header, then the object, 16-byte aligned.
struct Thrown {
    const std::type_info* type;
    // WebAssembly's C++ ABI has destructors return `this`.
    void* (*destroy)(void*);
    // Catch blocks that hold it; below 0 while it is being rethrown.
    int handlers;
    // The object as the matching clause sees it.
    void* caught;
    // The exception caught most recently before this one.
    Thrown* next;
    std::uint32_t padding[3];
};
static_assert(sizeof(Thrown) % 16 == 0);

void* ObjectOf(Thrown* thrown) {
    return thrown + 1;
}

Thrown* HeaderOf(void* object) {
    return static_cast<Thrown*>(object) - 1;
}

Thrown* g_caught = nullptr;

// Values of the unwinding interface the compiler's code expects.
constexpr int kHandlerFound = 6;
constexpr int kContinueUnwind = 8;

// DWARF pointer encodings of the type table.
constexpr std::uint8_t kOmit = 0xFF;
constexpr std::uint8_t kAbsolute = 0x00;
constexpr std::uint8_t kUnsigned4 = 0x03;
constexpr std::uint8_t kSigned4 = 0x0B;

// A LEB128 number's bits; `shift` ends past the last of them and `last` is
// the last byte read, whose bit 6 is a signed number's sign.
std::uintptr_t ReadLebBits(const std::uint8_t*& at, unsigned& shift, std::uint8_t& last) {
    std::uintptr_t value = 0;
    shift = 0;
    do {
        last = *at++;
        value |= static_cast<std::uintptr_t>(last & 0x7F) << shift;
        shift += 7;
    } while ((last & 0x80) != 0);
    return value;
}

std::uintptr_t ReadUleb(const std::uint8_t*& at) {
    unsigned shift = 0;
    std::uint8_t byte = 0;
    return ReadLebBits(at, shift, byte);
}

std::intptr_t ReadSleb(const std::uint8_t*& at) {
    unsigned shift = 0;
    std::uint8_t byte = 0;
    std::uintptr_t value = ReadLebBits(at, shift, byte);
    if ((byte & 0x40) != 0 && shift < sizeof(value) * 8) {
        value |= ~std::uintptr_t{0} << shift;
    }
    return static_cast<std::intptr_t>(value);
}

// The type of a catch clause, counted back from the end of the type table;
// nullptr for catch (...).
const std::type_info* ClauseType(const std::uint8_t* table, std::uint8_t encoding,
                                 std::intptr_t index) {
    if ((encoding & 0x0F) != kAbsolute && (encoding & 0x0F) != kUnsigned4 &&
        (encoding & 0x0F) != kSigned4) {
        std::terminate();
    }
    static_assert(sizeof(const std::type_info*) == 4, "wasm32: the table holds 4-byte pointers");
    const std::type_info* type = nullptr;
    std::memcpy(static_cast<void*>(&type), table - index * 4, 4);
    return type;
}

// A class with one public base at offset 0 (__si_class_type_info), as the
// Itanium C++ ABI lays it out.
struct SingleBaseTypeInfo {
    const void* vtable;
    const char* name;
    const std::type_info* base;
};

const void* VtableOf(const std::type_info& type) {
    const void* vtable = nullptr;
    std::memcpy(&vtable, static_cast<const void*>(&type), sizeof vtable);
    return vtable;
}

// Whether a clause for `clause` catches an object of type `thrown`: the same
// type, or a base reached through single public inheritance, the only kind the
// program throws.
bool Catches(const std::type_info& clause, const std::type_info* thrown) {
    static const void* const singleBase = VtableOf(typeid(std::runtime_error));
    while (thrown != nullptr) {
        if (*thrown == clause) {
            return true;
        }
        if (VtableOf(*thrown) != singleBase) {
            return false;
        }
        thrown = reinterpret_cast<const SingleBaseTypeInfo*>(thrown)->base;
    }
    return false;
}

} // namespace

// The names below are the ABI's: the compiler's code calls them.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {

// Filled by the landing pads, read by the personality below.
struct LandingPadContext {
    std::uintptr_t index;
    const std::uint8_t* lsda;
    std::uintptr_t selector;
};
LandingPadContext __wasm_lpad_context;

void* __cxa_allocate_exception(std::size_t size) noexcept {
    void* memory = std::malloc(sizeof(Thrown) + size);
    if (memory == nullptr) {
        std::terminate();
    }
    std::memset(memory, 0, sizeof(Thrown));
    return ObjectOf(static_cast<Thrown*>(memory));
}

void __cxa_free_exception(void* object) noexcept {
    std::free(HeaderOf(object));
}

[[noreturn]] void __cxa_throw(void* object, std::type_info* type, void* (*destroy)(void*)) {
    Thrown* thrown = HeaderOf(object);
    thrown->type = type;
    thrown->destroy = destroy;
    __builtin_wasm_throw(0, thrown);
}

// Finds the clause of the current landing pad that catches `exception`.
int _Unwind_CallPersonality(void* exception) {
    LandingPadContext& context = __wasm_lpad_context;
    context.selector = 0;
    const std::uint8_t* at = context.lsda;
    if (at == nullptr) {
        return kContinueUnwind;
    }
    if (*at++ != kOmit) { // landing pads start with the function: nothing else is emitted
        std::terminate();
    }
    const std::uint8_t typeEncoding = *at++;
    const std::uint8_t* typeTable = nullptr;
    if (typeEncoding != kOmit) {
        const std::uintptr_t offset = ReadUleb(at);
        typeTable = at + offset;
    }
    ++at; // the call-site encoding: always ULEB128 here
    const std::uintptr_t callSitesLength = ReadUleb(at);
    const std::uint8_t* const actions = at + callSitesLength;
    // One call-site entry (landing pad, action) per landing pad, in order.
    std::uintptr_t action = 0;
    for (std::uintptr_t entry = 0; entry <= context.index; ++entry) {
        if (at >= actions) {
            std::terminate();
        }
        ReadUleb(at);
        action = ReadUleb(at);
    }
    if (action == 0) {
        return kContinueUnwind; // a cleanup only
    }
    auto* thrown = static_cast<Thrown*>(exception);
    const std::uint8_t* record = actions + (action - 1);
    while (true) {
        const std::intptr_t typeIndex = ReadSleb(record);
        const std::uint8_t* nextField = record;
        const std::intptr_t next = ReadSleb(record);
        if (typeIndex > 0) {
            const std::type_info* clause = ClauseType(typeTable, typeEncoding, typeIndex);
            if (clause == nullptr || Catches(*clause, thrown->type)) {
                thrown->caught = ObjectOf(thrown);
                context.selector = static_cast<std::uintptr_t>(typeIndex);
                return kHandlerFound;
            }
        }
        if (next == 0) {
            return kContinueUnwind;
        }
        record = nextField + next;
    }
}

void* __cxa_get_exception_ptr(void* exception) noexcept {
    return static_cast<Thrown*>(exception)->caught;
}

void* __cxa_begin_catch(void* exception) noexcept {
    auto* thrown = static_cast<Thrown*>(exception);
    thrown->handlers = (thrown->handlers < 0 ? -thrown->handlers : thrown->handlers) + 1;
    if (thrown != g_caught) {
        thrown->next = g_caught;
        g_caught = thrown;
    }
    return thrown->caught;
}

void __cxa_end_catch() {
    Thrown* thrown = g_caught;
    if (thrown == nullptr) {
        return;
    }
    if (thrown->handlers < 0) { // rethrown: it lives on
        if (++thrown->handlers == 0) {
            g_caught = thrown->next;
        }
        return;
    }
    if (--thrown->handlers == 0) {
        g_caught = thrown->next;
        if (thrown->destroy != nullptr) {
            thrown->destroy(ObjectOf(thrown));
        }
        std::free(thrown);
    }
}

[[noreturn]] void __cxa_rethrow() {
    Thrown* thrown = g_caught;
    if (thrown == nullptr) {
        std::terminate();
    }
    thrown->handlers = -thrown->handlers;
    __builtin_wasm_throw(0, thrown);
}

} // extern "C"
// NOLINTEND(bugprone-reserved-identifier)
