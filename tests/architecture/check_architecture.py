#!/usr/bin/env python3
"""Holds the build to docs/architecture.md.

- Every include of a header of the project names a header of the including
  target itself or of a library that the target links directly. The include
  folders already stop a header that a target cannot reach at all; this also
  catches one that compiles only because a declared library passes its own
  dependencies on.
- Each library links exactly what the page's table "library | may use" gives
  it: its project libraries and Qt modules, PUBLIC, PRIVATE or INTERFACE.
- The three rules under the table hold: the protocol client and the model
  reach no Qt module but Core, Network and WebSockets, nothing outside app/
  reaches vorlane_chromium, and nothing outside app/ includes app/ or links a
  library of it. Tests and benchmarks are free to do all of that.

  check_architecture.py BUILD/headers.txt SOURCE_TOP BUILD
"""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
DOC = "docs/architecture.md"
# The compile settings every target takes; no library of the stack.
SETTINGS = "vorlane_defaults"
# The Qt modules the protocol client and the model may reach.
MODEL_QT = {"Core", "Network", "WebSockets"}
RULE_WIDGETS = "The protocol client and the model link no widgets"
RULE_PROTOCOL = "The windows never speak the protocol"
RULE_APP = "Nothing includes `app/`"
APP_BROKEN = "nothing outside app/ includes app/ or links its libraries, only tests do"


class Target:
    def __init__(self, name, kind, folder, files, links):
        self.name = name
        self.kind = kind
        self.folder = folder  # from the top of the tree, "/"-separated
        self.files = files
        self.links = links

    @property
    def top_folder(self):
        return self.folder.split("/")[0]

    @property
    def free(self):
        """Tests and benchmarks may reach anything."""
        return self.top_folder in ("tests", "bench")


def read_manifest(manifest_path, top, build):
    targets = {}
    owner = {}
    for line in Path(manifest_path).read_text(encoding="utf-8").splitlines():
        name, kind, folder, sources, links = (line.split("\t") + [""] * 5)[:5]
        files = []
        for source in filter(None, sources.split("|")):
            path = (Path(folder) / source).resolve()
            if top in path.parents and build not in path.parents:
                files.append(path)
                if path.suffix == ".h":
                    owner.setdefault(path.relative_to(top).as_posix(), set()).add(name)
        folder = Path(folder).resolve()
        relative = folder.relative_to(top).as_posix() if top in folder.parents else "."
        targets[name] = Target(name, kind, relative, files, read_links(name, links))
    return targets, owner


def read_links(name, links):
    """The links as CMake keeps them, less what is no library of its own:
    a PRIVATE link of a static library comes back as $<LINK_ONLY:x>, and Qt
    links the objects of the target's own resources."""
    kept = set()
    for link in filter(None, links.split("|")):
        only = re.fullmatch(r"\$<LINK_ONLY:([^$<>]+)>", link)
        if only:
            link = only.group(1)
        if re.fullmatch(re.escape(name) + r"_resources_\d+", link):
            continue
        if link.startswith("$<") and f"$<TARGET_OBJECTS:$<TARGET_NAME:{name}_resources_" in link:
            continue
        kept.add(link)
    return kept


def check_includes(targets, owner, top):
    faults = []
    for name, target in sorted(targets.items()):
        for path in target.files:
            where = path.relative_to(top)
            for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if included.startswith("app/") and not target.free and target.top_folder != "app":
                    faults.append(f"{where}: includes {included}: {APP_BROKEN} ({DOC})")
                if included not in owner:
                    if (top / included).is_file():
                        faults.append(f"{where}: {included} belongs to no library")
                    continue
                libraries = owner[included]
                if name not in libraries and not libraries & target.links:
                    faults.append(f"{where}: includes {included} of "
                                  f"{' or '.join(sorted(libraries))}, which {name} does not link")
    return faults


def use_name(link):
    """How the table names what a target links: a library of ours by its
    name without vorlane_, a Qt module as "Qt Core", a package by its name."""
    if link.startswith("vorlane_"):
        return link[len("vorlane_"):]
    if link.startswith("Qt6::"):
        return "Qt " + link[len("Qt6::"):]
    if link.startswith("PkgConfig::"):
        return link[len("PkgConfig::"):].lower()
    return link


def read_doc(doc):
    """The table, as {library: set of use names}, and the libraries that the
    first rule names."""
    lines = doc.splitlines()
    table = {}
    try:
        start = next(i for i, line in enumerate(lines)
                     if re.fullmatch(r"\|\s*library\s*\|\s*may use\s*\|", line.strip()))
    except StopIteration:
        raise SystemExit(f"{DOC} has no table \"| library | may use |\"")
    for line in lines[start + 2:]:
        if not line.startswith("|"):
            break
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        library = cells[0].strip("`")  # vorlane_x
        uses = set()
        # Our libraries first, then "Qt A, B, C", then packages, split by ";".
        for part in cells[1].split(";"):
            names = [n.strip() for n in part.split(",") if n.strip()]
            if names and names[0].startswith("Qt "):
                uses |= {"Qt " + n.removeprefix("Qt ").strip() for n in names}
            else:
                uses |= set(names)
        table[library] = uses
    rules = {}
    for rule in (RULE_WIDGETS, RULE_PROTOCOL, RULE_APP):
        bullet = re.search(r"^- " + re.escape(rule) + r".*?(?=^\S|^- |\Z)", doc, re.MULTILINE | re.DOTALL)
        if not bullet:
            raise SystemExit(f"{DOC} no longer states the rule \"{rule}\": "
                             f"change {Path(__file__).name} with it")
        rules[rule] = bullet.group(0)
    model = set(re.findall(r"`(vorlane_\w+)`", rules[RULE_WIDGETS]))
    return table, model


def reached(targets, name):
    """What a target brings into a program: its links and theirs, each with
    the path that brings it."""
    paths = {}
    todo = [(name, [])]
    while todo:
        current, path = todo.pop()
        for link in sorted(targets[current].links if current in targets else ()):
            if link == SETTINGS or link in paths:
                continue
            paths[link] = path + [link]
            todo.append((link, path + [link]))
    return paths


def through(path):
    return f" (through {', then '.join(path[:-1])})" if len(path) > 1 else ""


def check_links(targets, doc):
    table, model = read_doc(doc)
    faults = []
    libraries = {name: t for name, t in targets.items()
                 if t.kind != "EXECUTABLE" and not t.free and name != SETTINGS}
    for name in sorted(set(libraries) - set(table)):
        faults.append(f"{name} ({libraries[name].folder}) is missing from the table in {DOC}")
    for library, allowed in sorted(table.items()):
        target = targets.get(library)
        if target is None:
            faults.append(f"the table in {DOC} names {library}, which is no target")
            continue
        uses = {use_name(link) for link in target.links if link != SETTINGS}
        for use in sorted(uses - allowed):
            faults.append(f"{library} links {use}, which the table in {DOC} does not give it "
                          f"({target.folder}/CMakeLists.txt)")
        for use in sorted(allowed - uses):
            faults.append(f"the table in {DOC} gives {library} {use}, which it does not link")

    for name in sorted(model):
        if name not in targets:
            faults.append(f"\"{RULE_WIDGETS}\" in {DOC} names {name}, which is no target")
            continue
        for link, path in sorted(reached(targets, name).items()):
            if link.startswith("Qt6::") and link[len("Qt6::"):] not in MODEL_QT:
                faults.append(f"{name} reaches {use_name(link)}{through(path)}: "
                              f"{RULE_WIDGETS.lower()} ({DOC})")
    for name, target in sorted(targets.items()):
        if target.free or target.top_folder == "app":
            continue
        paths = reached(targets, name)
        if "vorlane_chromium" in paths:
            faults.append(f"{name} ({target.folder}) reaches vorlane_chromium{through(paths['vorlane_chromium'])}: "
                          f"{RULE_PROTOCOL.lower()}; only app/ links vorlane_chromium ({DOC})")
        for link in sorted(target.links):
            if link in targets and targets[link].top_folder == "app":
                faults.append(f"{name} ({target.folder}) links {link} of app/: {APP_BROKEN} ({DOC})")
    return faults


def main(manifest_path, top, build):
    top = Path(top).resolve()
    build = Path(build).resolve()
    targets, owner = read_manifest(manifest_path, top, build)
    faults = check_includes(targets, owner, top)
    faults += check_links(targets, (top / DOC).read_text(encoding="utf-8"))
    for fault in faults:
        print(fault)
    print(f"{len(targets)} targets checked against {DOC}, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
