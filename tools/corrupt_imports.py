#!/usr/bin/env python3
"""Damages the import directory of an x86-64 DLL in place, for the tests of code that walks import tables: the
thunk addresses of the USER32 descriptor and the name address of the last other descriptor are pointed far
outside the image. The DLL then loads only with DONT_RESOLVE_DLL_REFERENCES.

    corrupt_imports.py <dll>
"""

import struct
import sys

OUTSIDE = 0x7FFFFF00


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    with open(path, "rb") as f:
        pe = bytearray(f.read())
    header = struct.unpack_from("<I", pe, 0x3C)[0]
    if pe[header:header + 4] != b"PE\0\0":
        sys.exit("%s: not a PE file" % path)
    count, = struct.unpack_from("<H", pe, header + 6)
    optional_size, = struct.unpack_from("<H", pe, header + 20)
    optional = header + 24
    if struct.unpack_from("<H", pe, optional)[0] != 0x20B:
        sys.exit("%s: not a 64-bit image" % path)
    import_rva, = struct.unpack_from("<I", pe, optional + 112 + 8)  # data directory 1
    sections = [struct.unpack_from("<8xIIII", pe, optional + optional_size + 40 * i) for i in range(count)]

    def offset(rva):
        for size, address, raw_size, raw in sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        sys.exit("%s: RVA %#x lies in no section" % (path, rva))

    def name_at(rva):
        start = offset(rva)
        return bytes(pe[start:pe.index(b"\0", start)]).decode("ascii").upper()

    descriptors = []
    at = offset(import_rva)
    while any(pe[at:at + 20]):
        descriptors.append(at)
        at += 20
    user32 = [d for d in descriptors if name_at(struct.unpack_from("<I", pe, d + 12)[0]) == "USER32.DLL"]
    others = [d for d in descriptors if d not in user32]
    if not user32 or not others:
        sys.exit("%s: needs a USER32 import and another one" % path)
    struct.pack_into("<I", pe, user32[0], OUTSIDE)       # OriginalFirstThunk
    struct.pack_into("<I", pe, user32[0] + 16, OUTSIDE)  # FirstThunk
    struct.pack_into("<I", pe, others[-1] + 12, OUTSIDE)  # Name
    with open(path, "wb") as f:
        f.write(pe)


if __name__ == "__main__":
    main()
