#!/usr/bin/env python3
"""Writes a small sample collection of MP3 files with album and comment tags.

Each file is an ID3v2.3 tag (TALB, COMM) followed by silent MPEG-1 Layer III
frames, enough for a tag reader and for the Audacity stand-in.

Usage: make_sample_mp3s.py <folder>
"""
import os
import struct
import sys

# MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding: 417 bytes a frame.
FRAME = b"\xff\xfb\x90\x00" + b"\x00" * 413


def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(frame_id, payload):
    return frame_id.encode("ascii") + struct.pack(">I", len(payload)) + b"\x00\x00" + payload


def tag(album, comment):
    body = b""
    if album is not None:
        body += frame("TALB", b"\x00" + album.encode("latin-1"))
    if comment is not None:
        body += frame("COMM", b"\x00" + b"eng" + b"\x00" + comment.encode("latin-1"))
    return b"ID3\x03\x00\x00" + synchsafe(len(body)) + body


def write_mp3(path, album, comment, frames=20):
    with open(path, "wb") as f:
        f.write(tag(album, comment))
        f.write(FRAME * frames)


COLLECTION = {
    "Evening Jazz": [
        ("01 Blue Hour.mp3", "Evening Jazz", "Live at the Blue Room"),
        ("02 Late Train.mp3", "Evening Jazz", ""),
        ("03 Night Owl.mp3", "Evening Jazz", "Remastered:AVC"),
    ],
    "Folk Songs": [
        ("Morning Field.mp3", "Folk Songs", "Field recording, first take of three"),
        ("River Song.mp3", "Old Folk Album", "Kitchen session"),
    ],
    os.path.join("Misc", "Podcasts"): [
        ("Episode 12.mp3", "Weekly Talk", "Episode about loudness"),
    ],
}


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip())
        return 2
    root = sys.argv[1]
    count = 0
    for folder, files in COLLECTION.items():
        os.makedirs(os.path.join(root, folder), exist_ok=True)
        for name, album, comment in files:
            write_mp3(os.path.join(root, folder, name), album, comment)
            count += 1
    print("wrote %d MP3 files under %s" % (count, root))
    return 0


if __name__ == "__main__":
    sys.exit(main())
