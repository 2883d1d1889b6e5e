"""What the constants generators share: 80-digit decimal arithmetic from the standard library,
pi from Machin's formula, and the splitting of a constant into doubles whose sum carries it
beyond double precision."""
from decimal import Decimal, getcontext

getcontext().prec = 80


def series(x, odd_sign):
    """sum of s^n x^(2n+1) / (2n+1) with s = -1 (arctangent) or 1 (area tangent), |x| <= 1/2."""
    total, term, n = Decimal(0), x, 0
    while abs(term) > Decimal(10) ** -78:
        total += term / (2 * n + 1)
        term *= odd_sign * x * x
        n += 1
    return total


def atan_series(x):
    """arctan(x) for |x| <= 1/2."""
    return series(x, -1)


PI = 16 * atan_series(Decimal(1) / 5) - 4 * atan_series(Decimal(1) / 239)
HALF_PI = PI / 2


def truncated(d, bits):
    """d cut to its leading `bits` significant bits (d > 0)."""
    e = 0
    while d >= 2:
        d /= 2
        e += 1
    while d < 1:
        d *= 2
        e -= 1
    return Decimal(int(d * 2 ** (bits - 1))) / Decimal(2) ** (bits - 1) * Decimal(2) ** e


def split(d, count, bits):
    """count - 1 parts of `bits` significant bits, then the rounded rest (float rounds a
    Decimal correctly: it converts through the exact decimal string)."""
    parts = []
    for _ in range(count - 1):
        p = truncated(d, bits)
        parts.append(float(p))
        d -= p
    parts.append(float(d))
    return parts


def hi_lo(d):
    """d as a rounded head and the rounded remainder."""
    hi = float(d)
    return hi, float(d - Decimal(hi))
