#!/usr/bin/env python3
"""Every include of a header of the project names a header of the including
target itself or of a library that the target links directly.

The include folders already stop a header that a target cannot reach at all;
this also catches one that compiles only because a declared library passes
its own dependencies on."""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def main(manifest_path: str, top: str, build: str) -> int:
    top = Path(top).resolve()
    build = Path(build).resolve()
    targets = {}
    owner = {}
    for line in Path(manifest_path).read_text(encoding="utf-8").splitlines():
        name, folder, sources, links = (line.split("\t") + [""] * 4)[:4]
        files = []
        for source in filter(None, sources.split("|")):
            path = (Path(folder) / source).resolve()
            if top in path.parents and build not in path.parents:
                files.append(path)
                if path.suffix == ".h":
                    owner.setdefault(path.relative_to(top).as_posix(), set()).add(name)
        targets[name] = (files, set(filter(None, links.split("|"))))

    faults = []
    for name, (files, links) in sorted(targets.items()):
        for path in files:
            for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if included not in owner:
                    if (top / included).is_file():
                        faults.append(f"{path.relative_to(top)}: {included} belongs to no library")
                    continue
                libraries = owner[included]
                if name not in libraries and not libraries & links:
                    faults.append(f"{path.relative_to(top)}: includes {included} of "
                                  f"{' or '.join(sorted(libraries))}, which {name} does not link")
    for fault in faults:
        print(fault)
    print(f"{len(targets)} targets checked, {len(faults)} undeclared includes")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
