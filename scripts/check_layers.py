#!/usr/bin/env python3
"""The dependency rule, checked on what the compiler read rather than on how an
include is spelled.

From the bottom up:
  src/base      the shared vocabulary; includes nothing of the project's
  src/platform  the ports to the operating system; base only
  src/core      the portable program; base, platform and core
  src/native    the ports on libraries of other systems; base, platform, core
  src/win32     the Win32 layer; everything in src
Only the Win32 layer and the Windows tests (tests/win32, tests/e2e,
tests/installer, tests/contract/win32_*) read Windows headers, the other tests
read nothing of them nor of the Win32 layer, and nothing in src reads a test.

What each source file read comes from the build's own record (`ninja -t deps`,
every header of every object, however it was spelled); a header is checked on its
own by asking the build's compiler which files it reads (`-M`), since a header
that only higher layers include would otherwise be judged by their rule. A
"Windows header" is any system header beyond what the standard library, zlib and
GoogleTest read.

  check_layers.py ROOT BUILD_DIR...
"""
import json
import os
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

PORTABLE_TESTS = "portable tests"
WINDOWS_TESTS = "Windows tests"
ALLOWED = {
    "base": {"base"},
    "platform": {"base", "platform"},
    "core": {"base", "platform", "core"},
    "native": {"base", "platform", "core", "native"},
    "win32": {"base", "platform", "core", "native", "win32"},
    PORTABLE_TESTS: {"base", "platform", "core", "native", PORTABLE_TESTS},
    WINDOWS_TESTS: {"base", "platform", "core", "native", "win32", PORTABLE_TESTS, WINDOWS_TESTS},
}
MAY_READ_WINDOWS_HEADERS = {"win32", WINDOWS_TESTS}
CHECKED_HEADER_FOLDERS = ("src/base", "src/platform", "src/core", "src/native",
                          "tests/core", "tests/fakes", "tests/support", "tests/cases", "tests/contract", "tests/fuzz")
HEADER_SUFFIXES = (".h", ".hpp")


def layer_of(relative):
    """The layer a file of the project belongs to, or None for files outside it."""
    parts = relative.split("/")
    if parts[0] == "src" and len(parts) > 1:
        return parts[1] if parts[1] in ALLOWED else None
    if parts[0] != "tests" or len(parts) < 2:
        return None
    if parts[1] in ("win32", "e2e", "installer"):
        return WINDOWS_TESTS
    if parts[1] == "contract" and parts[-1].startswith("win32_"):
        return WINDOWS_TESTS
    return PORTABLE_TESTS


def compiler_command(entry):
    """The compile command of a compile_commands.json entry, without a launcher."""
    words = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    while words and os.path.basename(words[0]) in ("ccache", "sccache"):
        words.pop(0)
    return words


def preprocess_command(words, source):
    """The compile command turned into one that only preprocesses `source` and
    traces the files it reads (-H: one dot per level of inclusion)."""
    kept, skip = [], False
    for word in words[1:]:
        if skip:
            skip = False
            continue
        if word in ("-o", "-c", "-MF", "-MT", "-MQ"):
            skip = True
            continue
        # A header compiled alone earns warnings of its own ("#pragma once in main
        # file"); what it includes is all that is asked here.
        if word in ("-MD", "-MMD", "-Werror") or word.startswith("-fsanitize") or word.endswith((".cpp", ".cc")):
            continue
        kept.append(word)
    return [words[0]] + kept + ["-E", "-o", os.devnull, "-H", "-x", "c++", source]


def include_edges(trace, source):
    """(includer, included) pairs from the compiler's -H trace."""
    edges, stack = [], [source]
    for line in trace.splitlines():
        dots = len(line) - len(line.lstrip("."))
        if dots == 0 or not line[dots:].startswith(" "):
            continue
        path = os.path.normpath(line[dots + 1:].strip())
        del stack[dots:]
        edges.append((stack[-1], path))
        stack.append(path)
    return edges


def ninja_deps(build):
    """{source file: files read} from the build's record of each object."""
    run = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True)
    if run.returncode != 0:
        return None
    out = run.stdout
    objects, current = {}, None
    for line in out.splitlines():
        if not line.strip():
            current = None
        elif not line.startswith(" "):
            current = []
            objects[line.split(":", 1)[0]] = current
        elif current is not None:
            current.append(line.strip())
    # The first file an object read is its source.
    return {files[0]: files[1:] for files in objects.values() if files}


class Build:
    def __init__(self, root, build):
        self.root, self.build = root, os.path.abspath(build)
        with open(os.path.join(self.build, "compile_commands.json")) as f:
            self.entries = json.load(f)
        self.windows = any("mingw32" in compiler_command(e)[0] for e in self.entries)

    def relative(self, path):
        path = os.path.normpath(os.path.join(self.build, path))
        if path.startswith(self.build + os.sep):
            return None  # generated files of the build
        rel = os.path.relpath(path, self.root)
        return None if rel.startswith("..") else rel

    def command_near(self, relative_header):
        """The compile command of a source of the same layer, nearest the header's folder
        first; base and platform have no sources and take core's."""
        layer = layer_of(relative_header)
        layer = "core" if layer in ("base", "platform") else layer
        best, best_shared = None, -1
        for entry in self.entries:
            rel = self.relative(entry["file"])
            if not rel or layer_of(rel) != layer:
                continue
            # The benchmarks compile some of the tests' fakes with their own include folders.
            if " bench/CMakeFiles/" in " " + " ".join(compiler_command(entry)):
                continue
            shared = len(os.path.commonpath([rel, relative_header]))
            if shared > best_shared:
                best, best_shared = compiler_command(entry), shared
        return best

    def standard_headers(self):
        """The system headers that the standard library, zlib and GoogleTest read."""
        test_entry = next((e for e in self.entries if "/tests/" in e["file"]), self.entries[0])
        words = preprocess_command(compiler_command(test_entry), "-")
        probe = "#include <bits/stdc++.h>\n#include <zlib.h>\n#include <gtest/gtest.h>\n"
        out = subprocess.run(words, input=probe, capture_output=True, text=True, cwd=self.build)
        return {included for _, included in include_edges(out.stderr, "-")}

    def headers_alone(self):
        """(header, [(includer, included)] or None, error) for every checked header
        that this build compiles for."""
        jobs = []
        for folder in CHECKED_HEADER_FOLDERS:
            if folder == "src/native" and self.windows:
                continue
            for dirpath, _, names in os.walk(os.path.join(self.root, folder)):
                for name in sorted(names):
                    if name.endswith(HEADER_SUFFIXES):
                        header = os.path.join(dirpath, name)
                        words = self.command_near(os.path.relpath(header, self.root))
                        jobs.append((header, preprocess_command(words, header) if words else None))

        def ask(job):
            header, words = job
            if words is None:
                return header, None, ["no source of its layer in the build says how to compile it"]
            out = subprocess.run(words, capture_output=True, text=True, cwd=self.build)
            if out.returncode != 0:
                return header, None, [l for l in out.stderr.splitlines() if "error:" in l][:2]
            return header, include_edges(out.stderr, header), None

        with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            return list(pool.map(ask, jobs))


def check(root, build_dirs):
    problems = []
    for build_dir in build_dirs:
        build = Build(root, build_dir)
        standard = build.standard_headers() if build.windows else set()

        def judge(includer, path):
            """What is wrong with `includer` reading `path`, or None."""
            rel = build.relative(includer)
            layer = layer_of(rel) if rel else None
            if layer is None:
                return None
            path = os.path.normpath(os.path.join(build.build, path))
            dep = build.relative(path)
            if dep is not None:
                dep_layer = layer_of(dep)
                if dep_layer is not None and dep_layer not in ALLOWED[layer]:
                    return f"{rel} ({layer}) reads {dep} ({dep_layer})"
            elif build.windows and layer not in MAY_READ_WINDOWS_HEADERS and path not in standard and \
                    not path.startswith(build.build + os.sep):
                return f"{rel} ({layer}) reads the Windows header {path}"
            return None

        # Each header alone, with who included what, names the very file at fault.
        explained = set()
        for header, edges, error in build.headers_alone():
            if edges is None:
                problems.append(f"{os.path.relpath(header, root)}: the compiler could not read it alone: "
                                + " / ".join(error))
                continue
            for includer, included in edges:
                problem = judge(includer, included)
                if problem:
                    problems.append(problem)
                    explained.add(included)
        # Each object: everything it read, whatever the spelling. What a header
        # explains already is not said again for every source that includes it.
        objects = ninja_deps(build.build)
        if not objects:
            problems.append(f"{build.build}: no record of what its objects read (ninja -t deps); build it first")
        for source, files in sorted((objects or {}).items()):
            windows_header_seen = False
            for path in files:
                if os.path.normpath(os.path.join(build.build, path)) not in explained:
                    problem = judge(source, path)
                    # The files are in the order they were opened: the first Windows
                    # header is the one included, the rest are what it brings along.
                    if problem and "Windows header" in problem:
                        if windows_header_seen:
                            continue
                        windows_header_seen = True
                    if problem:
                        problems.append(problem)
    return problems


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    root = os.path.abspath(sys.argv[1])
    problems = check(root, sys.argv[2:])
    for problem in dict.fromkeys(problems):
        print(problem)
    if problems:
        return 1
    print("layers hold: base < platform < core < native, win32; Windows headers only in the Win32 layer and its tests")
    return 0


if __name__ == "__main__":
    sys.exit(main())
