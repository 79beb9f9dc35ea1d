#!/usr/bin/env python3
"""Fails when a file includes across an edge the house forbids (see ARCHITECTURE.md).

    .ci/check_includes.py [REPOSITORY_ROOT [COMPILE_COMMANDS_JSON]]

Rules:
  1. Qt headers only inside a backend folder (platform/toolkit/qt) and in
     app/, tools/, tests/, bench/.
     Win32 headers only inside a win32/ backend folder and in app/, tests/, bench/.
     POSIX headers (unistd.h, fcntl.h, dirent.h, sys/*.h...) only inside a posix/, linux/, qt/
     or win32/ backend folder, in app/main.cpp, tests/ and bench/.
  2. platform/runtime and platform/format include nothing else of the project; platform/icons
     includes only itself and platform/format.
  3. A module's detail/ headers are included by that module alone (and its tests). The toolkit
     never includes the picture service; the window and MPictureTool never include a
     backend folder.
  4. No loop between the modules (each top folder; under platform/ each folder, a backend's qt/
     folder counting as its module).
  5. libquorvane's public headers (include/quorvane/) include only each other and the standard
     library: none of the project's internal headers, no Qt, no window or toolkit types. The
     Python module (python/) includes the library's public headers alone.
  6. Given a build's compile_commands.json: the window's and MPictureTool's sources compile with
     no Qt include directory on their command line.
"""
import json
import pathlib
import re
import sys

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
SCANNED = ["app", "window", "picture", "platform", "tools", "library", "include", "python"]
QT_ALLOWED = ["platform/toolkit/qt/", "app/", "tools/", "tests/", "bench/"]
QT_HEADER = re.compile(r'#\s*include\s*<(Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>]*)>')
WIN32_HEADER = re.compile(
    r'#\s*include\s*<((?:windows|commdlg|shellapi|shlobj|winnetwk|wingdi|winuser|winbase|io)\.h)>',
    re.IGNORECASE)
WIN32_ALLOWED_TOPS = ("app/", "tests/", "bench/")
# POSIX headers only inside a posix/, linux/ or qt/ backend folder (a win32/ one for the C
# runtime's own), in the program's entry, tests and bench.
POSIX_HEADER = re.compile(r'#\s*include\s*<((?:unistd|fcntl|dirent|pwd|grp|spawn|poll|sys/[a-z_/]+)\.h)>')
POSIX_ALLOWED_FOLDERS = ("/posix/", "/linux/", "/qt/", "/win32/")
POSIX_ALLOWED_TOPS = ("app/main.cpp", "tests/", "bench/")
PROJECT_INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
ONLY_ITSELF = {
    "platform/runtime": ["platform/runtime/"],
    "platform/format": ["platform/format/"],
    "platform/files": ["platform/files/", "platform/format/"],
    "platform/icons": ["platform/icons/", "platform/format/", "platform/files/"],
}
NEVER = {
    "platform/toolkit": ["platform/picture/"],
    "window": ["platform/toolkit/qt/"],
    "picture": ["platform/toolkit/qt/"],
    "python": ["platform/", "library/", "window/", "picture/", "tools/"],
}


def module_of(path: str) -> str:
    parts = path.split("/")
    if parts[0] == "platform" and len(parts) > 2:
        return "platform/" + parts[1]
    return parts[0] if len(parts) > 1 else path


def sources(root: pathlib.Path):
    for top in SCANNED + ["tests", "bench"]:
        for path in sorted((root / top).rglob("*")):
            if path.suffix in SOURCE_SUFFIXES and "fuzz/corpus" not in path.as_posix():
                yield path.relative_to(root).as_posix(), path.read_text(errors="replace")


ANY_INCLUDE = re.compile(r'#\s*include\s*[<"]([^>"]+)[>"]')


def check_public_header(name: str, text: str, problems: list):
    for match in ANY_INCLUDE.finditer(text):
        target = match.group(1)
        if "/" in target and not target.startswith("quorvane/"):
            problems.append(f"{name}: a public header may not include \"{target}\"")


def check_file(name: str, text: str, edges: dict, problems: list):
    module = module_of(name)
    if name.startswith("include/"):
        check_public_header(name, text, problems)
    for match in QT_HEADER.finditer(text):
        if not any(name.startswith(prefix) for prefix in QT_ALLOWED):
            problems.append(f"{name}: includes the Qt header <{match.group(1)}> outside a backend")
    for match in WIN32_HEADER.finditer(text):
        if "/win32/" not in name and not name.startswith(WIN32_ALLOWED_TOPS):
            problems.append(f"{name}: includes the Win32 header <{match.group(1)}> outside a backend")
    for match in POSIX_HEADER.finditer(text):
        if not any(folder in name for folder in POSIX_ALLOWED_FOLDERS) and not name.startswith(
                POSIX_ALLOWED_TOPS):
            problems.append(f"{name}: includes the POSIX header <{match.group(1)}> outside a backend")
    for match in PROJECT_INCLUDE.finditer(text):
        target = match.group(1)
        if "/" not in target or module_of(target) == target:
            continue  # a header beside the file, or not one of the project's
        allowed = ONLY_ITSELF.get(module)
        if allowed is not None and not any(target.startswith(prefix) for prefix in allowed):
            problems.append(f"{name}: {module} may not include \"{target}\"")
        if "/detail/" in target and module_of(target) != module and not name.startswith("tests/"):
            problems.append(f"{name}: \"{target}\" is internal to {module_of(target)}")
        for forbidden in NEVER.get(module, []):
            if target.startswith(forbidden):
                problems.append(f"{name}: {module} may not include \"{target}\"")
        if not name.startswith(("tests/", "bench/")) and module_of(target) != module:
            edges.setdefault(module, {}).setdefault(module_of(target), name)


def find_loop(edges: dict):
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in edges.get(node, {}):
            if state.get(nxt) == "open":
                return trail + [node, nxt]
            if nxt not in state:
                found = visit(nxt, trail + [node])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            loop = visit(node, [])
            if loop:
                return loop[loop.index(loop[-1]):]
    return None


def check_compile_lines(root: pathlib.Path, commands_file: pathlib.Path, problems: list):
    checked = 0
    for command in json.loads(commands_file.read_text()):
        name = pathlib.Path(command["file"]).resolve()
        if not name.is_relative_to(root):
            continue
        relative = name.relative_to(root).as_posix()
        if relative.startswith(("window/", "picture/")):
            checked += 1
            line = command.get("command") or " ".join(command.get("arguments", []))
            if re.search(r"-(I|isystem)\s*\S*[Qq]t6?", line):
                problems.append(f"{relative}: compiles with a Qt include directory")
    if checked == 0:
        problems.append(f"{commands_file}: no compile line of window/ or picture/ in it")


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    edges, problems = {}, []
    if len(sys.argv) > 2:
        check_compile_lines(root, pathlib.Path(sys.argv[2]), problems)
    for name, text in sources(root):
        check_file(name, text, edges, problems)
    loop = find_loop(edges)
    if loop:
        steps = [f"{a} -> {b} ({edges[a][b]})" for a, b in zip(loop, loop[1:])]
        problems.append("modules include each other in a loop: " + "; ".join(steps))
    for problem in problems:
        print(problem)
    print(f"include rules: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
