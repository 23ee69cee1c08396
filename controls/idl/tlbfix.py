#!/usr/bin/env python3
"""Finishes a type library that widl compiled: the order of its types and flags widl cannot write.

widl places a type where it is first referenced, so an enumeration used by an early interface
lands before the coclasses that come after that interface; clients that walk the library by index
expect the published order. widl also refuses [nonextensible] on a dispinterface. Both are fixed
here in the compiled file: the type records are permuted and every reference to a local type
(type descriptions, coclass references, the GUID and name entries of the types) is remapped.

    tlbfix.py LIB.tlb [--order NAME,NAME,...] [--flags NAME=FLAGS ...]
    tlbfix.py --list LIB.tlb
"""
import struct
import sys

HEADER_INTS = 21
SEGMENTS = 15
SEG_TYPEINFO, SEG_REFERENCES, SEG_GUID, SEG_NAME, SEG_TYPEDESC = 0, 3, 5, 7, 9
RECORD = 0x64
VT_USERDEFINED = 29
KINDS = ["enum", "record", "module", "interface", "dispatch", "coclass", "alias", "union"]


class Library:
    def __init__(self, data):
        if data[:4] != b"MSFT":
            raise SystemExit("tlbfix: not a type library")
        self.data = data
        header = struct.unpack_from("<%di" % HEADER_INTS, data, 0)
        self.count = header[8]
        pos = HEADER_INTS * 4 + (4 if header[5] & 0x100 else 0) + self.count * 4
        self.segments = [struct.unpack_from("<2i", data, pos + 16 * i) for i in range(SEGMENTS)]

    def int_at(self, offset):
        return struct.unpack_from("<i", self.data, offset)[0]

    def set_int(self, offset, value):
        struct.pack_into("<i", self.data, offset, value)

    def record(self, index):
        return self.segments[SEG_TYPEINFO][0] + index * RECORD

    def kind(self, index):
        return KINDS[self.int_at(self.record(index)) & 0xF]

    def name_entry(self, index):
        return self.segments[SEG_NAME][0] + self.int_at(self.record(index) + 0x34)

    def guid_entry(self, index):
        posguid = self.int_at(self.record(index) + 0x2C)
        return None if posguid < 0 else self.segments[SEG_GUID][0] + posguid

    def name(self, index):
        entry = self.name_entry(index)
        length = self.int_at(entry + 8) & 0xFF
        return self.data[entry + 12:entry + 12 + length].decode("ascii")

    def names(self):
        return [self.name(i) for i in range(self.count)]

    def reorder(self, wanted):
        current = self.names()
        if sorted(wanted) != sorted(current):
            raise SystemExit("tlbfix: --order names %s, the library holds %s" % (wanted, current))
        new_index = {current.index(name): position for position, name in enumerate(wanted)}
        remap = {old * RECORD: new * RECORD for old, new in new_index.items()}

        def fix(offset):
            value = self.int_at(offset)
            if value in remap:
                self.set_int(offset, remap[value])

        start, length = self.segments[SEG_TYPEDESC]
        for entry in range(start, start + max(length, 0), 8):
            if self.int_at(entry) & 0xFFFF == VT_USERDEFINED:
                fix(entry + 4)
        start, length = self.segments[SEG_REFERENCES]
        for entry in range(start, start + max(length, 0), 16):
            fix(entry)
        for index in range(self.count):
            base = self.record(index)
            if self.kind(index) in ("interface", "dispatch"):
                fix(base + 0x54)  # the base interface, when it is one of ours
            self.set_int(self.name_entry(index), new_index[index] * RECORD)
            guid = self.guid_entry(index)
            if guid is not None:
                self.set_int(guid + 16, new_index[index] * RECORD)
        records = [bytes(self.data[self.record(i):self.record(i) + RECORD]) for i in range(self.count)]
        for old, new in new_index.items():
            self.data[self.record(new):self.record(new) + RECORD] = records[old]

    def add_flags(self, name, flags):
        names = self.names()
        if name not in names:
            raise SystemExit("tlbfix: no type %s" % name)
        offset = self.record(names.index(name)) + 0x30
        self.set_int(offset, self.int_at(offset) | flags)


def main(argv):
    if len(argv) == 3 and argv[1] == "--list":
        lib = Library(bytearray(open(argv[2], "rb").read()))
        for i in range(lib.count):
            print("%2d %-9s 0x%04x %s" % (i, lib.kind(i), lib.int_at(lib.record(i) + 0x30), lib.name(i)))
        return 0
    path, args = argv[1], argv[2:]
    lib = Library(bytearray(open(path, "rb").read()))
    while args:
        option, value = args[0], args[1]
        args = args[2:]
        if option == "--order":
            lib.reorder(value.split(","))
        elif option == "--flags":
            name, flags = value.split("=")
            lib.add_flags(name, int(flags, 0))
        else:
            raise SystemExit("tlbfix: unknown option " + option)
    open(path, "wb").write(bytes(lib.data))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
