#!/usr/bin/env python3
"""Checks the layering of the source tree by its #include lines.

Each library owns a folder and has its own include root, <folder>/include/;
headers there are its public interface, headers elsewhere in the folder are
its own business. A file may include
  - its own library's headers, public or internal,
  - the public headers of the libraries its library is built on (LAYERS),
and code outside the libraries (tests, benchmarks, fuzzers, tools) may include
every library's public headers and its own helpers; the tests of a library
(tests/<folder>/) may also include its internal headers. Anything else, an upward
include or another library's internal header, is reported and fails.

Usage: check_layers.py [SOURCE_DIR]     (default: the tree this file is in)
       check_layers.py --self-test      (shows that violations are caught)
"""
import os
import re
import sys
import tempfile

# Each library and the libraries it is built on directly. Order is bottom-up.
LAYERS = {
    "base": [],
    "engine": ["base"],
    "bridge": ["base"],
    "preview": ["engine"],
    "preview/qt": ["preview"],
    "preview/win32": ["preview"],
    "preview/web": ["preview"],
    "preview/testing": ["preview"],
    "bridge/testing": ["bridge"],
    "app/core": ["engine", "preview", "bridge"],
    "app/qt": ["app/core", "preview/qt"],
    "app/win32": ["app/core", "preview/win32"],
    "cli": ["engine", "preview/qt", "preview/win32", "bridge"],
    "web": ["engine", "preview/web", "cli"],
}
# Code on top of everything: it may use any library's public headers.
TOP = ("tests", "bench", "fuzz", "tools")
# Includes of a program's own headers from its test programs, each with its reason.
ALLOWED = {
    # The probe reads the Win32 window's controls by the shell's own ids.
    ("tests/app/win32/chromell_probe.cpp", "app/win32/control_ids.h"),
    ("tests/app/win32/chromell_probe.cpp", "app/win32/windows_api.h"),
}
SOURCE = re.compile(r"\.(h|hpp|cpp|cc|c)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def closure(lib):
    seen, stack = set(), [lib]
    while stack:
        for dep in LAYERS[stack.pop()]:
            if dep not in seen:
                seen.add(dep)
                stack.append(dep)
    return seen


def owner(path):
    """The library (or top-level area) a path in the tree belongs to."""
    best = None
    for lib in LAYERS:
        if path == lib or path.startswith(lib + "/"):
            if best is None or len(lib) > len(best):
                best = lib
    if best is None and path.split("/")[0] in TOP:
        return path.split("/")[0]
    return best


def is_public(path, lib):
    return path.startswith(lib + "/include/")


def resolve(root, including, name):
    """The file an include names, as a path in the tree, or None (generated or system)."""
    candidates = [os.path.join(os.path.dirname(including), name)]
    candidates += [os.path.join(lib, "include", name) for lib in LAYERS]
    candidates.append(name)
    for candidate in candidates:
        candidate = os.path.normpath(candidate)
        if os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def violations(root):
    found = []
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if not d.startswith(".") and d not in ("build", "node_modules")]
        for file in files:
            if not SOURCE.search(file):
                continue
            path = os.path.relpath(os.path.join(folder, file), root)
            mine = owner(path)
            if mine is None:
                continue
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
                names = INCLUDE.findall(text.read())
            for name in names:
                target = resolve(root, path, name)
                if target is None or (path, target) in ALLOWED:
                    continue
                theirs = owner(target)
                if theirs is None or theirs == mine:
                    continue
                if theirs in TOP:
                    if mine in TOP:
                        continue  # test helpers shared with fuzzers and benchmarks
                    found.append(f"{path}: includes {target}, which belongs to {theirs}/, above every library")
                elif not is_public(target, theirs):
                    if path.startswith(f"tests/{theirs}/"):
                        continue  # a library's own tests may look inside it
                    found.append(f"{path}: includes {target}, an internal header of {theirs}")
                elif mine not in TOP and theirs not in closure(mine):
                    found.append(f"{path}: includes {target}, but {mine} is not built on {theirs}")
    return sorted(found)


def self_test():
    """A small tree with one fault of each kind; each must be reported."""
    files = {
        "base/include/base/error.h": "",
        "engine/include/engine/gradient.h": '#include "base/error.h"\n',
        "engine/markup_writer.h": "",
        "engine/gradient.cpp": '#include "engine/gradient.h"\n#include "markup_writer.h"\n',
        "engine/upward.cpp": '#include "app/core/texts.h"\n',
        "app/core/include/app/core/texts.h": "",
        "cli/peek.cpp": '#include "engine/markup_writer.h"\n',
        "bridge/sideways.cpp": '#include "engine/gradient.h"\n',
        "preview/test_only.cpp": '#include "tests/support/pixels.h"\n',
        "tests/support/pixels.h": "",
        "tests/engine_test.cpp": '#include "engine/gradient.h"\n#include "tests/support/pixels.h"\n',
        "tests/engine/writer_test.cpp": '#include "engine/markup_writer.h"\n',
        "tests/cli/writer_test.cpp": '#include "engine/markup_writer.h"\n',
    }
    expected = [
        "bridge/sideways.cpp: includes engine/include/engine/gradient.h, but bridge is not built on engine",
        "cli/peek.cpp: includes engine/markup_writer.h, an internal header of engine",
        "engine/upward.cpp: includes app/core/include/app/core/texts.h, but engine is not built on app/core",
        "preview/test_only.cpp: includes tests/support/pixels.h, which belongs to tests/, above every library",
        "tests/cli/writer_test.cpp: includes engine/markup_writer.h, an internal header of engine",
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8") as out:
                out.write(text)
        got = violations(root)
    if got != expected:
        print("the layering check missed or invented a violation:", *got, sep="\n  ")
        return 1
    print(f"self-test: all {len(expected)} planted violations reported, nothing else")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    found = violations(os.path.abspath(root))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) break the layering")
        return 1
    print("every include keeps to the layering")
    return 0


if __name__ == "__main__":
    sys.exit(main())
