#!/usr/bin/env python3
"""Builds the inventory benchmark's folder tree, the same bytes every time.

    bench/make_tree.py FOLDER FILES

FOLDER receives FILES files spread round-robin over a tree of folders nested
six deep (three subfolders per folder: 1,092 folders below FOLDER). File sizes
follow a fixed log-uniform distribution from 1 byte to 1 MiB, with one file in
fifty empty and one in a hundred exactly 1 MiB, so small files dominate the
count and large ones the bytes, as in an installed product. Contents are fixed
pseudo-random bytes. A finished tree is marked by FOLDER.complete holding its
parameters; a tree with the same marker is left as it is. The marker lies
beside FOLDER, not in it, so that it is not inventoried.
"""
import os
import random
import sys

DEPTH = 6
FANOUT = 3
MAX_SIZE = 1 << 20
SHAPE = f"files={{}} depth={DEPTH} fanout={FANOUT} max={MAX_SIZE} v1\n"


def folders_of(root):
    """Every folder of the tree, parents before children, root first."""
    folders = [root]
    level = [root]
    for depth in range(1, DEPTH + 1):
        nxt = []
        for parent in level:
            for k in range(FANOUT):
                nxt.append(os.path.join(parent, f"level{depth}_{k}"))
        folders.extend(nxt)
        level = nxt
    return folders


def size_of(rng):
    roll = rng.random()
    if roll < 0.02:
        return 0
    if roll < 0.03:
        return MAX_SIZE
    return min(MAX_SIZE, int(2.0 ** rng.uniform(0.0, 20.0)))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_tree.py FOLDER FILES")
    root, count = sys.argv[1], int(sys.argv[2])
    marker = root.rstrip("/") + ".complete"
    shape = SHAPE.format(count)
    if os.path.exists(marker) and open(marker).read() == shape:
        return
    if os.path.exists(root):
        sys.exit(f"{root} exists but is not a finished tree of this shape; remove it first")
    folders = folders_of(root)
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
    sizes = random.Random(0x5C71)
    contents = random.Random(0xB17E5)
    total = 0
    for i in range(count):
        size = size_of(sizes)
        folder = folders[i % len(folders)]
        with open(os.path.join(folder, f"item{i:05d}.dat"), "wb") as out:
            out.write(contents.randbytes(size))
        total += size
    with open(marker, "w") as out:
        out.write(shape)
    print(f"{root}: {count} files, {len(folders)} folders, {total} bytes")


if __name__ == "__main__":
    main()
