#!/usr/bin/python3
"""Finds the asset paths that the game's sources (string literals in src/) or its documents
(strings in content/) name, and fails on any that the built resources folder lacks.

Usage: check_paths.py sources|content FOLDER RESOURCES_DIR

A full path ("gfx/gui/kursor.png") must exist; a ".jp2" path is read from its ".png" twin; a
prefix that the code completes at run time ("gfx/ring/k-") must start at least one file; a bare
file name or suffix ("s4_0000.png", "-p.png") must end at least one file. Comments are skipped."""
import os
import re
import sys

EXTS = (".png", ".jpg", ".jp2", ".ogg", ".ttf")
SOURCE_EXTS = (".h", ".cpp", ".hpp", ".cc")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
CODE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'', re.S)


def strip_comments(text):
    """C++ text with every comment blanked (line breaks kept, so line numbers stay)."""
    def repl(m):
        t = m.group(0)
        if t.startswith("/"):
            return re.sub(r"[^\n]", " ", t)
        return t
    return CODE.sub(repl, text)


def resource_index(root):
    files = []
    for base, _, names in os.walk(root):
        for n in names:
            files.append(os.path.relpath(os.path.join(base, n), root).replace(os.sep, "/"))
    return files


def candidates(text, unescape):
    """(line, path) for every quoted string that looks like an asset path."""
    for m in LITERAL.finditer(text):
        s = m.group(1)
        if unescape:
            s = s.replace("\\\\", "/")
        s = s.replace("\\", "/")
        if not s or s.startswith("/") or any(c in s for c in " %{}<>*"):
            continue
        low = s.lower()
        if low.startswith(("gfx/", "sfx/")) or low.endswith(EXTS):
            yield text.count("\n", 0, m.start()) + 1, s


def problem(path, files, fileset):
    """Why the resources lack this path, or None when they hold it."""
    low = path.lower()
    if low in EXTS or path in ("gfx/", "sfx/"):
        return None
    if low.endswith(".jp2"):
        twin = path[: -len(".jp2")] + ".png"
        return None if twin in fileset else "its .png twin %s is missing" % twin
    if low.endswith(EXTS):
        if "/" in path:
            return None if path in fileset else "missing"
        return None if any(f.endswith(path) for f in files) else "no file ends with this name"
    return None if any(f.startswith(path) for f in files) else "no file begins with this prefix"


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("sources", "content"):
        print(__doc__)
        return 2
    mode, folder, root = sys.argv[1:]
    files = resource_index(root)
    fileset = set(files)
    bad, seen = 0, 0
    for base, _, names in os.walk(folder):
        for n in sorted(names):
            if mode == "sources" and not n.endswith(SOURCE_EXTS):
                continue
            if mode == "content" and not n.endswith(".tsc"):
                continue
            full = os.path.join(base, n)
            with open(full, encoding="utf-8", errors="replace") as fh:
                text = fh.read()
            if mode == "sources":
                text = strip_comments(text)
            for line, path in candidates(text, unescape=(mode == "sources")):
                seen += 1
                why = problem(path, files, fileset)
                if why:
                    print("%s:%d: \"%s\": %s" % (os.path.relpath(full, folder), line, path, why))
                    bad += 1
    print("%d asset paths checked in %s, %d missing" % (seen, folder, bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
