#!/usr/bin/env python3
"""Checks the include graph of src/: no cycle between folders, every folder
includes only its own layer or the ones below it, and no cycle between files
(a header and its source count as one unit).

Layers, bottom to top: core logic (src/<subsystem>/), the shell interface
(src/shell/, src/shell/ui/), each subsystem's windows (src/<subsystem>/ui/
and folders under it, which may not include another subsystem's windows),
the application (src/app/, src/app/ui/). The pinyin module (src/pinyin/module/,
a library of its own loaded at run time) is the only code that includes the
pinyin engine's headers, and nothing else includes the module's. Prints every
offending include and exits 1.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp')
ENGINE_INCLUDE = re.compile(r'^\s*#\s*include\s+[<"](libime/[^>"]+|pinyin/module/[^>"]+)[>"]', re.MULTILINE)
PINYIN_MODULE = 'pinyin/module'


def layer_of(folder):
    """(rank, subsystem) of a folder relative to src/."""
    top, _, rest = folder.partition('/')
    if top == 'app':
        return 3, top
    if top == 'shell':
        return 1, top
    # A folder under ui/ (a module of the windows) is of the windows' layer.
    return (2 if rest == 'ui' or rest.startswith('ui/') else 0), top


def allowed(source, target):
    if source == target:
        return True
    (src_rank, src_sub), (dst_rank, dst_sub) = layer_of(source), layer_of(target)
    if dst_rank > src_rank:
        return False
    if src_rank == 2 and dst_rank == 2:
        return src_sub == dst_sub
    if src_rank == 3 and dst_rank == 3:
        # The application's logic does not reach up into its windows.
        return not (source == 'app' and target == 'app/ui')
    if src_rank == 1 and dst_rank == 1:
        return not (source == 'shell' and target == 'shell/ui')
    return True


def include_edges(src_root):
    """{(from folder, to folder): [example "file: include", ...]}"""
    edges = {}
    for dirpath, _, files in os.walk(src_root):
        folder = os.path.relpath(dirpath, src_root).replace(os.sep, '/')
        for name in sorted(files):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(dirpath, name)
            with open(path, encoding='utf-8') as f:
                text = f.read()
            for include in INCLUDE.findall(text):
                if not os.path.isfile(os.path.join(src_root, include)):
                    continue  # a header from outside src/
                target = os.path.dirname(include)
                if target != folder:
                    edges.setdefault((folder, target), []).append(f'src/{folder}/{name}: {include}')
    return edges


def engine_includes(src_root):
    """["file: include"] of the pinyin engine's or module's headers outside the module."""
    found = []
    for dirpath, _, files in os.walk(src_root):
        folder = os.path.relpath(dirpath, src_root).replace(os.sep, '/')
        if folder == PINYIN_MODULE:
            continue
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                with open(os.path.join(dirpath, name), encoding='utf-8') as f:
                    found.extend(f'src/{folder}/{name}: {include}' for include in ENGINE_INCLUDE.findall(f.read()))
    return found


def unit_edges(src_root):
    """{(from unit, to unit): "file: include"}, a unit being a path under src/
    without its suffix, so that Foo.h and Foo.cpp are one."""
    edges = {}
    for dirpath, _, files in os.walk(src_root):
        for name in sorted(files):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(dirpath, name)
            unit = os.path.splitext(os.path.relpath(path, src_root).replace(os.sep, '/'))[0]
            with open(path, encoding='utf-8') as f:
                text = f.read()
            for include in INCLUDE.findall(text):
                if not os.path.isfile(os.path.join(src_root, include)):
                    continue
                target = os.path.splitext(include)[0]
                if target != unit:
                    edges.setdefault((unit, target), f'src/{os.path.relpath(path, src_root)}: {include}')
    return edges


def find_cycle(edges):
    graph = {}
    for a, b in edges:
        graph.setdefault(a, set()).add(b)
    state = {}
    stack = []

    def visit(node):
        state[node] = 'open'
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == 'open':
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                cycle = visit(nxt)
                if cycle:
                    return cycle
        stack.pop()
        state[node] = 'done'
        return None

    for node in sorted(graph):
        if node not in state:
            cycle = visit(node)
            if cycle:
                return cycle
    return None


def main():
    src_root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'src')
    edges = include_edges(src_root)
    problems = []
    for (a, b), where in sorted(edges.items()):
        if not allowed(a, b):
            problems.append(f'{a} may not include {b}:')
            problems.extend('    ' + w for w in where)
    engine = engine_includes(src_root)
    if engine:
        problems.append(f'only {PINYIN_MODULE} may include the pinyin engine or its module:')
        problems.extend('    ' + w for w in engine)
    cycle = find_cycle(edges)
    if cycle:
        problems.append('include cycle: ' + ' -> '.join(cycle))
        for a, b in zip(cycle, cycle[1:]):
            problems.append('    ' + edges[(a, b)][0])
    units = unit_edges(src_root)
    cycle = find_cycle(units)
    if cycle:
        problems.append('include cycle between files: ' + ' -> '.join(cycle))
        for a, b in zip(cycle, cycle[1:]):
            problems.append('    ' + units[(a, b)])
    for line in problems:
        print(line)
    if problems:
        return 1
    print(f'include layers: {len(edges)} folder edges, {len(units)} file edges, no cycle')
    return 0


if __name__ == '__main__':
    sys.exit(main())
