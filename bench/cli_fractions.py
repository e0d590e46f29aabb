#!/usr/bin/env python3
"""The CLI's core work in one Python process with exact fractions: each line of standard input
a decimal, rounded to nearest (ties to even) into binary32, binary64 and binary128, then its
encoding, exact value, error, error/ULP(X), ULP(X), X+, X- and epsilon, as JSON Lines. The
window's fixed-width texts (X, significand, ...) are not written: this side does less."""
import json
import sys
from fractions import Fraction

sys.set_int_max_str_digits(0)
FORMATS = [("binary32", 8, 24), ("binary64", 11, 53), ("binary128", 15, 113)]


def exact_text(q):
    """Every digit of a finite decimal fraction, "[-]D.DDDe[+-]N"."""
    if q == 0:
        return "0"
    sign = "-" if q < 0 else ""
    q = abs(q)
    # The denominator is 2^a * 5^b: q * 10^max(a, b) is an integer.
    d = q.denominator
    a = (d & -d).bit_length() - 1
    b, rest = 0, d >> a
    while rest % 5 == 0:
        rest //= 5
        b += 1
    k = max(a, b)
    n = str(q.numerator * 10 ** k // d)
    digits = n.rstrip("0")
    e = len(n) - 1 - k
    body = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    return f"{sign}{body}e{'+' if e >= 0 else '-'}{abs(e)}"


def round_even(x, e, p):
    """x rounded to nearest even; None beyond the largest finite."""
    emax = (1 << (e - 1)) - 1
    emin = 1 - emax
    a = abs(x)
    if a == 0:
        return Fraction(0), emin
    E = a.numerator.bit_length() - a.denominator.bit_length()
    while Fraction(2) ** E > a:
        E -= 1
    while Fraction(2) ** (E + 1) <= a:
        E += 1
    quantum = Fraction(2) ** (max(E, emin) - p + 1)
    n, r = divmod(a / quantum, 1)
    if r > Fraction(1, 2) or (r == Fraction(1, 2) and n % 2 == 1):
        n += 1
    v = n * quantum
    if v > (2 ** p - 1) * Fraction(2) ** (emax - p + 1):
        return None, None
    E = v.numerator.bit_length() - v.denominator.bit_length() if v else emin
    return (v if x > 0 else -v), max(E, emin)


def views(x, name, e, p):
    v, E = round_even(x, e, p)
    if v is None:
        return {"format": name, "rejected": "beyond the largest finite"}
    emax = (1 << (e - 1)) - 1
    ulp = Fraction(2) ** (E - p + 1)
    a = abs(v)
    biased = 0 if a < Fraction(2) ** (1 - emax) else E + emax
    fraction = int(a / ulp) - (0 if biased == 0 else 1 << (p - 1))
    bits = ((1 if v < 0 or (v == 0 and x < 0) else 0) << (e + p - 1)) | (biased << (p - 1)) | fraction
    return {"format": name, "hex": f"0x{bits:0{(e + p) // 4}X}", "exact": exact_text(v),
            "error": exact_text(x - v), "error_ulp": float((x - v) / ulp),
            "ulp": exact_text(ulp), "x_plus": exact_text(v + ulp), "x_minus": exact_text(v - ulp),
            "epsilon": exact_text(Fraction(2) ** (1 - p))}


out = sys.stdout
for line in sys.stdin:
    text = line.strip()
    try:
        x = Fraction(text)
    except ValueError:
        out.write(json.dumps({"value": text, "rejected": "not a number"}) + "\n")
        continue
    record = {"value": text}
    for name, e, p in FORMATS:
        record[name] = views(x, name, e, p)
    out.write(json.dumps(record) + "\n")
