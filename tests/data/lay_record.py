#!/usr/bin/env python3
"""Lays out tests/data/hand_laid.cvr byte by byte from the file layout, with none of the
program's code: a header, then one record whose plain image is built field by field, checked,
and scrambled block by block with integer arithmetic alone. The program reading this file back
shows that its reader and this independent writer agree on every byte.

Run once; the file it writes is committed. python3 tests/data/lay_record.py tests/data/hand_laid.cvr
"""
import sys

# (width, value) of the 21 fields of a record, in file order.
FIELDS = [
    (20, b"Marguerite"),          # first name
    (20, b"Nakamura-O'Dwyer"),    # last name
    (40, b"Unit 12, 400 Wattle Grove Road"),  # street: 30 of 40
    (20, b"Bendigo"),             # town
    (3, b"VIC"),                  # state: full width, so no padding
    (10, b"3550"),                # postcode
    (14, b"03 5550 0199"),        # phone
    (14, b""),                    # phone 2: empty, all padding
    (20, b"Australia"),           # country
    (40, b"m.nakamura@example.org"),  # email
    (8, b"19790611"),             # date of birth
    (14, b"20261208154233"),      # saved time-stamp
    (8, b"20261207"),             # completion date
    (20, b""),                    # observer name
    (20, b""),                    # observer relationship
    (60, b""),                    # observer contact
    (200, b"Laid out by hand: Z\xfcrich, na\xefve, \xa3 and \xe9"),  # comments, code page 1252
    (1, b"F"),                    # gender
    (1, b"S"),                    # report type
    None,                         # responses, 95 bytes, built below
    (1, b"1"),                    # entry method: from paper
]

# Items 1..190: item n answers n % 6, every seventh item (7, 14, ...) is a blank (7), and the
# last two were never set (15).
def response(item):
    if item >= 189:
        return 15
    if item % 7 == 0:
        return 7
    return item % 6

def plain_image():
    image = bytearray()
    for field in FIELDS:
        if field is None:
            for k in range(95):
                image.append(response(2 * k + 1) | (response(2 * k + 2) << 4))
            continue
        width, value = field
        assert len(value) <= width
        image += value + b"\x80" * (width - len(value))
    assert len(image) == 629
    image += b"\x80" * (715 - 629)
    xor = 0
    for byte in image:
        xor ^= byte
    total = sum(image) & 0xFFFFFFFF
    image.append(xor)
    image += total.to_bytes(4, "little")
    assert len(image) == 720
    return bytes(image)

# The scrambler's base matrices, row-major: offset C, keys K1 and K2 of each stage.
STAGE1 = ([1, 2, 3, 4, 5, 1, 2, 3, 4], [2, 1, 1, 1, 3, 2, 1, 1, 4], [1, 2, 3, 2, 5, 3, 1, 1, 4])
STAGE2 = ([5, 4, 3, 2, 1, 5, 3, 2, 1], [3, 1, 2, 1, 4, 1, 2, 1, 5], [1, 1, 2, 2, 1, 1, 1, 3, 1])
PERMUTE = [0, 7, 5, 3, 1, 8, 6, 4, 2]

def product(a, b):
    return [sum(a[3 * i + k] * b[3 * k + j] for k in range(3)) for i in range(3) for j in range(3)]

def transform(nine, stage):
    offset, key1, key2 = stage
    r = product([m + c for m, c in zip(nine, offset)], key1)
    return product([r[p] for p in PERMUTE], key2)

def scramble(block, filler):
    table = list(block) + [filler]  # 81 bytes, a 9x9 table row-major
    columns = [transform([table[9 * row + c] for row in range(9)], STAGE1) for c in range(9)]
    out = bytearray()
    for r in range(9):
        for value in transform([columns[c][r] for c in range(9)], STAGE2):
            assert 0 <= value < 1 << 24
            out += value.to_bytes(3, "little")
    return bytes(out)

def main(path):
    image = plain_image()
    record = b"".join(scramble(image[80 * b:80 * b + 80], ord("A") + b) for b in range(9))
    assert len(record) == 2187
    header = b"ACV 4.0   " + b"20261208154233" + b"20261208154233" + b" " * 42
    header += b"\x00" + b"\x00" * 162
    assert len(header) == 243
    with open(path, "wb") as out:
        out.write(header + record)

if __name__ == "__main__":
    main(sys.argv[1])
