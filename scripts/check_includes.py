#!/usr/bin/env python3
"""The folder-level include graph of src/ must have no cycle.

Each folder under src/ is a node (platform/sdl and platform/web are folders of their own); an
#include "a/b.h" in a file of folder F is an edge from F to folder a. Two folders are special:
core/ is the bottom (it includes nothing of the game's), and world/ holds the game's state that
every subsystem step receives, so includes into world/ are not edges. Any other cycle is
reported, folder by folder, and the exit status is 1: a folder that reaches up (a subsystem
including the shell, the frame or the host) closes one.

Usage: check_includes.py [SRC_DIR]   (default: the src/ beside this script's folder)
"""
import os
import re
import sys

WORLD = "world"
BOTTOM = "core"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(src, path):
    return os.path.relpath(os.path.dirname(path), src).replace(os.sep, "/")


def target_folder(src, name):
    """The folder of an included file, or None when it is not one of src/'s."""
    if not os.path.isfile(os.path.join(src, name)):
        return None
    return os.path.dirname(name)


def build_graph(src):
    edges = {}
    where = {}
    for root, _, files in os.walk(src):
        for f in sorted(files):
            if not f.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, f)
            here = folder_of(src, path)
            edges.setdefault(here, set())
            with open(path, encoding="utf-8") as fh:
                for name in INCLUDE.findall(fh.read()):
                    there = target_folder(src, name)
                    if there is None or there == here or there == WORLD:
                        continue
                    edges[here].add(there)
                    where.setdefault((here, there), os.path.relpath(path, src) + " -> " + name)
    return edges, where


def find_cycle(edges):
    """A cycle as a list of folders (first == last), or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == 1:
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = 2
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    src = os.path.normpath(src)
    edges, where = build_graph(src)
    status = 0
    below = sorted(edges.get(BOTTOM, ()))
    if below:
        status = 1
        for there in below:
            print(f"{BOTTOM}/ must include nothing of the game's, but: {where[(BOTTOM, there)]}")
    cycle = find_cycle(edges)
    if cycle:
        status = 1
        print("include cycle between folders: " + " -> ".join(cycle))
        for a, b in zip(cycle, cycle[1:]):
            print(f"  {where[(a, b)]}")
    if status == 0:
        print(f"{len(edges)} folders, {sum(len(v) for v in edges.values())} folder edges, no cycle")
    return status


if __name__ == "__main__":
    sys.exit(main())
