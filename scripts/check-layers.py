#!/usr/bin/env python3
"""Checks the source layout against the layer order written in the README's Architecture
section. Fails (exit 1, one line per problem) when:
  - a file includes a header of a folder above its own in the order;
  - a pure file (outside a gl/ folder) includes an SDL or OpenGL header, or a gl/ header;
  - the folders include each other in a circle.
Usage: scripts/check-layers.py [SOURCE_ROOT]
"""

import os
import re
import sys

# Lowest first: a folder may include its own headers and those of the folders before it.
LAYERS = ["base", "game", "render", "menus", "app", "tools"]
SOURCE_SUFFIXES = (".h", ".cpp", ".c")
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>")
# Headers of the platform layer: SDL, SDL_mixer, OpenGL and GLU.
PLATFORM_HEADER = re.compile(r"^(SDL[/_.]|SDL\.h$|SDL_|GL/|OpenGL/)")
# Folders that are not part of the layered code: the music generator is a separate program.
SKIPPED = ("tools/music/",)


def layer_of(path):
    """The layer folder of a path relative to the root, or None outside the layers."""
    top = path.split("/", 1)[0]
    return top if top in LAYERS else None


def is_gl(path):
    return "/gl/" in "/" + path


def node_of(path):
    """The folder a file belongs to in the folder graph: its layer, or its layer's gl/."""
    layer = layer_of(path)
    return layer + "/gl" if is_gl(path) else layer


def source_files(root):
    for layer in LAYERS:
        for folder, _, names in os.walk(os.path.join(root, layer)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    path = os.path.relpath(os.path.join(folder, name), root)
                    if not path.startswith(SKIPPED):
                        yield path


def find_circle(edges):
    """One circle of the folder graph as a list of nodes, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for target in sorted(edges.get(node, ())):
            if state.get(target) == "open":
                return trail[trail.index(target):] + [target]
            if target not in state:
                found = visit(target, trail + [target])
                if found:
                    return found
        state[node] = "done"
        return None

    for start in sorted(edges):
        if start not in state:
            found = visit(start, [start])
            if found:
                return found
    return None


def check(root):
    problems = []
    edges = {}
    for path in source_files(root):
        layer = layer_of(path)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            lines = source.read().splitlines()
        for number, line in enumerate(lines, 1):
            where = f"{path}:{number}"
            system = SYSTEM_INCLUDE.match(line)
            if system and not is_gl(path) and PLATFORM_HEADER.match(system.group(1)):
                problems.append(f"{where}: pure file includes <{system.group(1)}>; "
                                f"SDL and OpenGL belong in a gl/ folder")
            project = PROJECT_INCLUDE.match(line)
            if not project:
                continue
            target = project.group(1)
            target_layer = layer_of(target)
            if target_layer is None:
                continue
            if LAYERS.index(target_layer) > LAYERS.index(layer):
                problems.append(f"{where}: {layer}/ includes \"{target}\" from {target_layer}/, "
                                f"which comes later in the order {' > '.join(LAYERS)}")
            if is_gl(target) and not is_gl(path):
                problems.append(f"{where}: pure file includes \"{target}\" of a gl/ folder")
            source_node, target_node = node_of(path), node_of(target)
            if source_node != target_node:
                edges.setdefault(source_node, set()).add(target_node)
    circle = find_circle(edges)
    if circle:
        problems.append("folders include each other in a circle: " + " -> ".join(circle))
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(os.path.abspath(root))
    for problem in problems:
        print(problem)
    if problems:
        print(f"check-layers: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
