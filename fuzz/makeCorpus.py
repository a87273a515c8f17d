#!/usr/bin/env python3
"""Writes the seed replies of fuzzReplies into fuzz/corpus (header layout in
fuzzReplies.cpp): one sound reply of each kind the master sends, an exception
and a function it never sends."""
import os
import struct


def crc16(data):
    crc = 0xFFFF
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def seed(fsel, csel, ssel, address, reply, function=0, start=0, count=0, value=0):
    header = bytes([fsel, csel, ssel, 0]) + struct.pack(">6H", address, function, start, count, value, 0)
    return header + reply + struct.pack("<H", crc16(reply))


words125 = bytes(range(250))
seeds = {
    "read1": seed(0, 1, 0x80, 1, bytes([1, 3, 2, 0x13, 0xF7]), start=50),
    "read125AtEnd": seed(1, 3, 2, 0x10, bytes([0x10, 4, 250]) + words125),
    "write128AtEnd": seed(3, 6, 2, 0x10, bytes([0x10, 16, 0x0C, 0x00, 0, 128])),
    "echo": seed(2, 1, 0x80, 1, bytes([1, 8, 0, 0, 0x12, 0x34]), value=0x1234),
    "exception": seed(0, 1, 0x80, 1, bytes([1, 0x83, 2])),
    "scan": seed(1, 1, 0x80, 5, bytes([5, 4, 2, 0x14, 0x1D]), start=100),
    "otherFunction": seed(0xFF, 1, 0x80, 1, bytes([1, 17, 2, 0, 0]), function=17),
}

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(out, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
