#!/usr/bin/env python3
"""Writes the seed inputs of the three fuzz targets into the folders beside this script."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
FORMAT = {4: 0, 8: 1, 16: 2}  # first byte of every input
EDIT = {1026: 0, 1027: 1, 1028: 2, 1032: 3, 1033: 4, 1035: 5, 1014: 6, 1015: 7, 1016: 8, 1018: 9}
PASTE, TYPE, SHOW_THEN_FOCUS, FOCUS = 0, 1, 2, 3


def write(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


DECIMAL = [
    (4, "1.5"), (4, "0.1"), (8, "0.1"), (16, "0.1"), (8, "-0.25"), (4, "+12"), (8, "5."),
    (8, ".5"), (8, "1e3"), (8, "2.5D-4"), (16, "7q10"), (4, "Inf"), (8, "-Infinity"),
    (8, "NaN"), (16, "+NaN"), (8, "NAN"), (8, "1,5"), (8, "2.5 7"), (4, "3*0.5"), (8, "2*4"),
    (8, "0*4"), (8, "abc"), (8, "1.5abc"), (4, "12x"), (8, "+"), (8, "."), (8, "1e"),
    (8, "1e400"), (16, "1e400"), (8, "1e-400"), (8, "(1)"), (8, ""), (8, " " * 42),
    (4, "\t\r\n 1"), (4, "3.4028235e38"), (4, "3.4028236e38"), (4, "1.4e-45"), (4, "7e-46"),
    (8, "4.9406564584124654e-324"), (8, "2.4703282292062328e-324"),
    (8, "1.7976931348623157e308"), (8, "1.7976931348623159e308"),
    (16, "1.18973149535723176508575932662800702e4932"),
    (16, "6.475175119438025110924438958227647e-4966"),
    (8, "0.1000000000000000055511151231257827021181583404541015625"),
    (16, "123456789012345678901234567890123456789e-20"), (8, "1.5+3"), (8, "NaN(123)"),
    (8, "'1'"), (8, "1/2"), (16, "-0.0"), (4, "00000000000000000000000000001e-10"),
]

for i, (fmt, text) in enumerate(DECIMAL):
    write("fuzz_decimal_input", "seed%02d" % i, bytes([FORMAT[fmt]]) + text.encode("latin-1"))
write("fuzz_decimal_input", "seed_width5", b"\xf5" + b"1.5")

# From 0xE0: an encoding (little-endian) whose exact value, or a midpoint next to it, is read.
ENCODINGS = {
    4: {"one": 0x3F800000, "max": 0x7F7FFFFF, "tiny": 0x00000001, "minnormal": 0x00800000,
        "zero": 0, "minus_odd": 0xBF800001},
    8: {"one": 0x3FF0000000000000, "max": 0x7FEFFFFFFFFFFFFF, "tiny": 1,
        "minnormal": 0x0010000000000000, "zero": 0, "minus_odd": 0xBFF0000000000001},
    16: {"one": 0x3FFF << 112, "max": (0x7FFF << 112) - 1, "tiny": 1, "minnormal": 1 << 112,
         "zero": 0, "minus_odd": (0xBFFF << 112) | 1},
}
VARIANTS = ["exact", "midpoint", "above", "below"]
CHOSEN = [("exact", "tiny"), ("midpoint", "max"), ("midpoint", "zero"),
          ("midpoint", "minus_odd"), ("above", "one"), ("below", "minnormal")]
for fmt, cases in ENCODINGS.items():
    for variant, name in CHOSEN:
        low = VARIANTS.index(variant) * 4 + FORMAT[fmt]
        data = bytes([0xE0 + low]) + cases[name].to_bytes(fmt, "little")
        write("fuzz_decimal_input", "boundary_b%d_%s_%s" % (fmt * 8, variant, name), data)

BITS = [
    (4, "0 0111111100000000000000000000000"), (4, "1" + "0" * 31), (8, "1" * 64),
    (16, "01" * 64), (16, "1" * 129), (8, " " * 10), (4, ""), (4, "10\t01"), (8, "1 0 1 2"),
    (4, " 1 " * 40), (8, "0" * 200 + "1"),
]
for i, (fmt, text) in enumerate(BITS):
    write("fuzz_bit_reads", "seed%02d" % i, bytes([FORMAT[fmt]]) + text.encode("latin-1"))
write("fuzz_bit_reads", "seed_field64", b"\xf0" + b"1" * 64)
write("fuzz_bit_reads", "seed_field65", b"\xf3" + b"1" * 65)


def record(mode, edit, text=None):
    out = bytes([(mode << 6) | EDIT[edit]])
    if mode != FOCUS:
        data = text.encode("latin-1")
        out += bytes([len(data)]) + data
    return out


VALIDATION = {
    # A ninth "2" typed into the binary32 exponent: both messages, "10000000" stays.
    "b32_exponent_ninth_2": (4, [record(PASTE, 1027, "10000000"), record(TYPE, 1027, "2")]),
    # A twelfth "2" in the binary64 exponent is not inspected: the excess message only.
    "b64_exponent_twelfth_2": (8, [record(PASTE, 1033, "10000000000"), record(TYPE, 1033, "2")]),
    "b128_high_49th": (16, [record(PASTE, 1016, "0" * 48), record(TYPE, 1016, "1")]),
    "b32_fraction_paste_28": (4, [record(PASTE, 1028, "1" * 28)]),
    "b32_exponent_blank": (4, [record(PASTE, 1027, "1000 000")]),
    "b32_sign_empty": (4, [record(PASTE, 1026, "")]),
    "b32_exponent_empty": (4, [record(PASTE, 1026, "1"), record(PASTE, 1027, "")]),
    "b32_sign_1x": (4, [record(PASTE, 1026, "1x")]),
    "b32_sign_x1": (4, [record(PASTE, 1026, "x1")]),
    "b32_exponent_invalid_excess": (4, [record(PASTE, 1027, "1000000a2")]),
    "b32_infinity": (4, [record(PASTE, 1027, "11111111")]),
    "b32_nan": (4, [record(PASTE, 1027, "11111111"), record(PASTE, 1028, "0" * 22 + "1")]),
    "b32_subnormal": (4, [record(PASTE, 1028, "0" * 22 + "1")]),
    "b32_max_exponent": (4, [record(PASTE, 1027, "11111110"), record(PASTE, 1028, "1" * 23)]),
    "b32_typing": (4, [record(PASTE, 1028, ""), record(TYPE, 1028, "1012 01x")]),
    "b64_one": (8, [record(PASTE, 1033, "01111111111"), record(FOCUS, 1035)]),
    "b64_fraction_53": (8, [record(PASTE, 1035, "0" * 52 + "z")]),
    "b128_low_65": (16, [record(PASTE, 1018, "1" * 64 + "q")]),
    "b128_exponent_16": (16, [record(PASTE, 1015, "0" * 15 + "x")]),
    "b128_subnormal_low": (16, [record(PASTE, 1018, "0" * 63 + "1")]),
    "b128_nan": (16, [record(PASTE, 1015, "1" * 15), record(PASTE, 1016, "1" + "0" * 47)]),
    "b128_max": (16, [record(PASTE, 1015, "1" * 14 + "0"), record(PASTE, 1016, "1" * 48),
                      record(PASTE, 1018, "1" * 64)]),
    "stray_then_focus": (4, [record(SHOW_THEN_FOCUS, 1027, "1x11111z")]),
    "other_format_edit": (4, [record(PASTE, 1033, "222")]),
    "latin1_chars": (8, [record(PASTE, 1032, "\xe9"), record(PASTE, 1035, "\x00\x01\xff")]),
}
for name, (fmt, records) in VALIDATION.items():
    write("fuzz_bit_validation", name, bytes([FORMAT[fmt]]) + b"".join(records))
