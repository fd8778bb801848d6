#!/usr/bin/env python3
"""The folders of src/ are layers, and an #include between two of them only
ever points down: words at the bottom, then data, pricing, records (the
journey list, recent and favourite journeys), xlsx (a workbook
described, and its writer), explain, screens and app; print is a module of its
own that includes none of them. A file that includes a layer above its own is
named with the line, and the check fails.

    python3 check_layers.py SOURCE_DIR
"""
import pathlib
import re
import sys

# Lowest first; a folder may include its own layer and those before it.
LAYERS = ["words", "data", "pricing", "records", "xlsx", "explain", "screens", "app"]
ALONE = {"print"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/')


def problems(root):
    src = root / "src"
    out = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".hpp", ".h"):
            continue
        own = path.relative_to(src).parts[0]
        rel = path.relative_to(root).as_posix()
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m or m.group(1) == own or not (src / m.group(1)).is_dir():
                continue
            other = m.group(1)
            down = own in LAYERS and other in LAYERS and LAYERS.index(other) < LAYERS.index(own)
            if not down or own in ALONE or other in ALONE:
                out.append(f"{rel}:{number}: {own}/ includes {other}/, which is not below it")
    return out


def main():
    found = problems(pathlib.Path(sys.argv[1]))
    for p in found:
        print(p)
    if found:
        print("order of the layers, lowest first: " + ", ".join(LAYERS))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
