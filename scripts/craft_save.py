#!/usr/bin/env python3
"""Writes a 350-byte save with every level, mode and ability open, for recorded runs that must
reach the mini game, the marathon, the boss arena and the abilities. Usage: craft_save.py FILE"""
import struct
import sys

block = bytearray(350)


def put16(at, v):
    block[at:at + 2] = struct.pack("<h", v)


def put32(at, v):
    block[at:at + 4] = struct.pack("<i", v)


def put_bool(at, v):
    put16(at, -1 if v else 0)


put32(0, 250000)                      # points
for i in range(20):                   # shot levels: the first eight bought, the rest locked
    put16(4 + 2 * i, (i * 3) % 10 if i < 8 else -1)
for i in range(5):                    # ship parts
    put16(44 + 2 * i, 1 + (i * 2) % 10)
for i in range(18):                   # abilities owned
    put_bool(54 + 2 * i, True)
for i in range(18):                   # gems: every other one
    put_bool(90 + 2 * i, i % 2 == 0)
for i in range(13):                   # levels 1..10, mini game, marathon, boss arena
    put_bool(126 + 2 * i, True)
for i in range(3):                    # potions
    put16(154 + 2 * i, 3)
for level in range(14):               # some goals done
    for goal in range(5):
        put_bool(160 + 2 * (goal + 5 * level), (level + goal) % 3 == 0)
for i in range(9):
    put32(300 + 4 * i, 1000 * (i + 1))
put32(300 + 4 * 9, 40)                # completion percentage
put16(340, 2)
put16(342, 30)
put16(344, 15)
put_bool(346, True)
put_bool(348, True)
with open(sys.argv[1], "wb") as f:
    f.write(block)
