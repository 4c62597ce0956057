#!/usr/bin/env python3
"""Fails when the sources break the layering of the README's folder map:

- a folder includes a header of a higher one (config < run < syntax <
  content < reports, conversion < driver < cli, ui);
- outside the files that hold the process's few wired-in objects (the
  platform in use, the run in use, the report panes, the allocator, the Qt
  side), a thread_local, a function-local static variable or a mutable
  variable at namespace level.

Prints one line per breach, exit status 1 when there is one, 0 otherwise.
"""
import os
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")

LEVEL = {
    "config": 0, "run": 1, "syntax": 2, "content": 3, "reports": 4, "conversion": 4,
    "driver": 5, "cli": 6, "ui": 6,
}
# Includes allowed against the order, each for a reason the folder map gives.
ALLOWED_INCLUDES = {
    ("run/Summaries.cpp", "content/ReferenceTables.h"),  # the error labels of the dossier list
}
# Files whose state belongs to the process rather than to a run.
WIRED_IN = {
    "config/Platform.cpp", "config/FileSystemWin32.cpp", "config/FileSystemPosix.cpp",
    "run/RunContext.cpp", "run/HugePageAllocation.cpp", "reports/ReportPanes.cpp",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"')
THREAD_LOCAL = re.compile(r"\bthread_local\b")
CONSTANT = re.compile(r"\b(const|constexpr|constinit\s+const)\b")
# A function-local static: an indented "static" that declares no function.
LOCAL_STATIC = re.compile(r"^\s+static\s+(?!constexpr\b|const\b)[^()]*[=;{]")
LOCAL_STATIC_CALL = re.compile(r"^\s+static\s+(?!constexpr\b|const\b)[\w:<>, *&]+\s+\w+\s*[({]")
# A variable at namespace level: a line in column 0 ending with ";" that is no
# declaration of a function, type, alias or using.
DECLARATION = re.compile(r"^(?:static\s+|inline\s+)?[A-Za-z_][\w:<>, *&]*\s+\*?&?(\w+)\s*(=[^;]*|\{[^;]*\}|\[[^;]*\][^;]*)?;")
NOT_A_VARIABLE = re.compile(r"^(using|typedef|namespace|class|struct|enum|union|friend|extern|template|return|#)\b")


def breaches(rel, text):
    folder = rel.split("/")[0]
    in_class = 0
    for number, line in enumerate(text.splitlines(), 1):
        where = f"src/{rel}:{number}"
        m = INCLUDE.match(line)
        if m and m.group(1) in LEVEL and folder in LEVEL:
            target = f"{m.group(1)}/{m.group(2)}"
            if LEVEL[m.group(1)] > LEVEL[folder] and (rel, target) not in ALLOWED_INCLUDES:
                yield f"{where}: {folder} includes the higher {target}"
        if rel in WIRED_IN or folder == "ui":
            continue
        code = line.split("//")[0]
        if THREAD_LOCAL.search(code):
            yield f"{where}: thread_local"
        if rel.endswith(".cpp") and (LOCAL_STATIC.match(code) or LOCAL_STATIC_CALL.match(code)) \
                and not CONSTANT.search(code.split("=")[0]):
            yield f"{where}: function-local static: {line.strip()}"
        if re.match(r"^(class|struct)\b[^;]*$", code):
            in_class += 1
        if code.startswith("};"):
            in_class = max(0, in_class - 1)
        if in_class == 0 and code and not code[0].isspace():
            m = DECLARATION.match(code)
            if m and not NOT_A_VARIABLE.match(code) and not CONSTANT.search(code.split("=")[0]):
                yield f"{where}: variable at namespace level: {line.strip()}"


def main():
    found = []
    for base, _, files in os.walk(ROOT):
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                path = os.path.join(base, name)
                rel = os.path.relpath(path, ROOT).replace(os.sep, "/")
                with open(path, encoding="utf-8") as f:
                    found.extend(breaches(rel, f.read()))
    for line in found:
        print(line)
    print(f"check-includes: {len(found)} breach(es)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
