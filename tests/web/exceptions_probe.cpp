// Exercises web/module/exceptions.cpp, the C++ exception runtime of the
// WebAssembly module, in the ways C++ code relies on it. Built in the web
// build; tests/web/exceptions.test.mjs runs it in Node. `probe` returns a
// bit per failed check, 0 when all pass.

#include <stdexcept>
#include <string>

namespace {

int g_live = 0;

// Counts its live copies, to see that unwinding destroys locals and that a
// caught exception is freed once.
struct Tracked {
    explicit Tracked(int v) : value(v) { ++g_live; }
    Tracked(const Tracked& other) : value(other.value) { ++g_live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --g_live; }
    int value;
};

struct Numbered : std::runtime_error {
    Numbered(int n, const std::string& what) : std::runtime_error(what), number(n) {}
    int number;
};

struct Unrelated {
    int code;
};

[[gnu::noinline]] int Thrower(int kind) {
    Tracked local(1);
    const std::string text(64, 'x'); // a heap buffer to give back
    switch (kind) {
    case 0:
        throw Numbered(6, "overflow");
    case 1:
        throw Unrelated{7};
    case 2:
        throw Tracked(42);
    case 3:
        throw 3;
    default:
        return static_cast<int>(text.size());
    }
}

// A frame whose only clause does not match: the exception passes on.
[[gnu::noinline]] int PassesOn(int kind) {
    Tracked local(2);
    try {
        return Thrower(kind);
    } catch (const Unrelated&) {
        return -1;
    }
}

[[gnu::noinline]] int Rethrows(int kind) {
    try {
        return Thrower(kind);
    } catch (...) {
        throw;
    }
}

unsigned Check(bool ok, unsigned bit) {
    return ok ? 0U : 1U << bit;
}

} // namespace

extern "C" __attribute__((export_name("probe"))) unsigned Probe() {
    unsigned failed = 0;
    // Caught through two levels of base class, with what() intact.
    try {
        Thrower(0);
        failed |= 1U << 0;
    } catch (const std::exception& e) {
        failed |= Check(std::string(e.what()) == "overflow", 0);
    }
    // The first matching clause wins; a derived class's own clause is taken.
    try {
        Thrower(0);
    } catch (const Unrelated&) {
        failed |= 1U << 1;
    } catch (const Numbered& e) {
        failed |= Check(e.number == 6, 1);
    } catch (const std::exception&) {
        failed |= 1U << 1;
    }
    // An inner frame without a matching clause lets it through, destroying its locals.
    try {
        PassesOn(0);
        failed |= 1U << 2;
    } catch (const std::runtime_error&) {
        failed |= Check(g_live == 0, 2);
    }
    // ... and catches what it matches.
    failed |= Check(PassesOn(1) == -1 && g_live == 0, 3);
    // Rethrown with throw;, still the same object.
    try {
        Rethrows(0);
        failed |= 1U << 4;
    } catch (const Numbered& e) {
        failed |= Check(e.number == 6, 4);
    }
    // The rethrown object lives until its last handler ends.
    try {
        Rethrows(2);
        failed |= 1U << 9;
    } catch (const Tracked& e) {
        failed |= Check(e.value == 42 && g_live == 1, 9);
    }
    failed |= Check(g_live == 0, 10);
    // Caught by value: a copy, and both are destroyed afterwards.
    try {
        Thrower(2);
        failed |= 1U << 5;
    } catch (Tracked copy) {
        failed |= Check(copy.value == 42 && g_live == 2, 5);
    }
    failed |= Check(g_live == 0, 6);
    // catch (...) takes anything; a new exception thrown from inside a handler.
    try {
        try {
            Thrower(3);
        } catch (...) {
            Thrower(1);
        }
        failed |= 1U << 7;
    } catch (const Unrelated& e) {
        failed |= Check(e.code == 7 && g_live == 0, 7);
    }
    // No exception: nothing is caught, the value comes back.
    try {
        failed |= Check(Thrower(9) == 64, 8);
    } catch (...) {
        failed |= 1U << 8;
    }
    return failed;
}
