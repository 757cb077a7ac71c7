#!/usr/bin/env python3
"""Writes the generic LM-63-2002 files of the shipped fixture catalogue.

Each fixture type is a sum of analytic candela components (see data/README.md).
Every component is scaled so that its own lumens are the stated share of the
lamp lumens; the script integrates each shape numerically over the sphere.

Usage: python3 generate.py [--table]   (run from any folder; writes beside itself)
--table also prints the Markdown table of data/README.md.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def smoothstep_off(theta, start, end):
    """1 below `start` degrees, 0 above `end`, a cosine ramp between."""
    if theta <= start:
        return 1.0
    if theta >= end:
        return 0.0
    return 0.5 * (1 + math.cos(math.pi * (theta - start) / (end - start)))


# Component shapes: I(theta, psi) up to a scale. theta from the nadir (0) to the
# zenith (180), psi around the vertical axis, 0 along the luminaire's length.
def down(n, elong=0.0, cutoff=None, batwing=0.0):
    def shape(t, p):
        if t >= 90:
            return 0.0
        r = math.radians(t)
        s2 = math.sin(r) ** 2
        value = math.cos(r) ** n * (1 + batwing * s2)
        value *= 1 - elong * s2 * math.cos(math.radians(p)) ** 2
        if cutoff:
            value *= smoothstep_off(t, *cutoff)
        return value
    return shape


def up(n, elong=0.0):
    def shape(t, p):
        if t <= 90:
            return 0.0
        r = math.radians(180 - t)
        s2 = math.sin(r) ** 2
        return math.cos(r) ** n * (1 - elong * s2 * math.cos(math.radians(p)) ** 2)
    return shape


def side(centre, width, elong=0.0):
    """A lobe about the horizontal from a lens's sides: Gaussian in theta."""
    def shape(t, p):
        s2 = math.sin(math.radians(t)) ** 2
        return math.exp(-(((t - centre) / width) ** 2)) * (
            1 - elong * s2 * math.cos(math.radians(p)) ** 2)
    return shape


def asymmetric(n, k):
    """Downlight pushed towards psi = 0 (a wall): cos^n(theta) (1 + k sin(theta) cos(psi))."""
    def shape(t, p):
        if t >= 90:
            return 0.0
        r = math.radians(t)
        return math.cos(r) ** n * (1 + k * math.sin(r) * math.cos(math.radians(p)))
    return shape


def tilted_up(n, tilt):
    """cos^n of the angle from an axis tilted `tilt` degrees from the zenith towards psi = 0."""
    a = math.radians(tilt)
    def shape(t, p):
        r = math.radians(t)
        c = math.sin(r) * math.cos(math.radians(p)) * math.sin(a) - math.cos(r) * math.cos(a)
        return max(c, 0.0) ** n
    return shape


def globe(fitter):
    """Equal intensity every way except the `fitter` degrees round the zenith."""
    return lambda t, p: 1.0 if t < 180 - fitter else 0.0


def lumens(shape, first=0, last=180):
    """Integral of I over the zone from `first` to `last` degrees (midpoint rule, 0.25 x 2.5)."""
    dt, dp = 0.25, 2.5
    total = 0.0
    for i in range(int(first / dt), int(last / dt)):
        t = (i + 0.5) * dt
        ring = 0.0
        for j in range(int(360 / dp)):
            ring += shape(t, (j + 0.5) * dp)
        ring /= 360 / dp
        band = math.cos(math.radians(t - dt / 2)) - math.cos(math.radians(t + dt / 2))
        total += 2 * math.pi * ring * band
    return total


def steps(first, last, step):
    count = int(round((last - first) / step))
    return [first + i * step for i in range(count + 1)]


AXIAL = [0.0]
QUADRANT = steps(0, 90, 22.5)
BILATERAL = steps(0, 180, 22.5)
FULL = steps(0, 360, 22.5)
DOWN = steps(0, 90, 5)
DOWN_FINE = steps(0, 90, 2.5)
SPHERE = steps(0, 180, 5)
SPHERE_FINE = steps(0, 180, 2.5)

# (file, description, luminaire, lamps, lumens per lamp (-1: absolute with this
#  luminaire total), watts, width, length, height (ft), vertical, horizontal,
#  [(share of lamp lumens, shape, formula for the README)])
TYPES = [
    ("troffer_lensed_2x4.ies", "Troffer", "2x4 lensed troffer, prismatic acrylic lens", 2, 3000,
     44, 2, 4, 0, DOWN, QUADRANT,
     [(0.80, down(1.1, 0.15, (80, 90)), "cos^1.1 t (1 - 0.15 sin^2 t cos^2 p), off 80-90")]),
    ("troffer_parabolic_2x4.ies", "ParaTrof", "2x4 parabolic louvre troffer, 18 cells", 3, 2900,
     66, 2, 4, 0, DOWN, QUADRANT,
     [(0.68, down(1.3, 0.2, (55, 70)), "cos^1.3 t (1 - 0.2 sin^2 t cos^2 p), off 55-70")]),
    ("led_flat_panel_2x2.ies", "FlatPanel", "2x2 LED flat panel, opal diffuser", 1, -1,
     36, 2, 2, 0, DOWN, AXIAL,
     [(1.00, down(1.0), "cos t (Lambertian)")]),
    ("pendant_direct_indirect.ies", "DirIndir", "linear direct/indirect pendant, 4 ft", 2, 3300,
     54, 0.75, 4, 0.25, SPHERE, BILATERAL,
     [(0.42, down(1.5, 0.3), "down: cos^1.5 t (1 - 0.3 sin^2 t cos^2 p)"),
      (0.42, up(1.2, 0.3), "up: cos^1.2 (180-t) (1 - 0.3 sin^2 t cos^2 p)")]),
    ("pendant_indirect.ies", "Indirect", "linear indirect pendant, 4 ft", 2, 3300,
     54, 0.75, 4, 0.25, SPHERE, BILATERAL,
     [(0.06, down(1.0), "down: cos t"),
      (0.80, up(1.5, 0.3), "up: cos^1.5 (180-t) (1 - 0.3 sin^2 t cos^2 p)")]),
    ("wraparound_4ft.ies", "Wrap", "4 ft wraparound, prismatic wrap lens", 2, 2800,
     50, 0.8, 4, 0.3, SPHERE, QUADRANT,
     [(0.52, down(0.6, 0.4), "down: cos^0.6 t (1 - 0.4 sin^2 t cos^2 p)"),
      (0.22, side(95, 20, 0.4), "sides: exp(-((t-95)/20)^2) (1 - 0.4 sin^2 t cos^2 p)")]),
    ("industrial_strip_8ft.ies", "Strip", "industrial strip, open white channel, 8 ft", 2, 3000,
     60, 0.4, 8, 0.2, SPHERE, QUADRANT,
     [(0.62, down(0.5, 0.6), "down: cos^0.5 t (1 - 0.6 sin^2 t cos^2 p)"),
      (0.14, side(100, 15, 0.6), "sides: exp(-((t-100)/15)^2) (1 - 0.6 sin^2 t cos^2 p)"),
      (0.12, up(0.5, 0.6), "up: cos^0.5 (180-t) (1 - 0.6 sin^2 t cos^2 p)")]),
    ("high_bay_narrow.ies", "HighBayN", "high bay, narrow aluminium reflector", 1, 24000,
     180, 1.5, 1.5, 0.5, SPHERE_FINE, AXIAL,
     [(0.82, down(6.0), "down: cos^6 t"), (0.02, up(1.0), "up: cos (180-t), vents")]),
    ("high_bay_wide.ies", "HighBayW", "high bay, wide faceted reflector", 1, 24000,
     180, 1.5, 1.5, 0.5, SPHERE, AXIAL,
     [(0.80, down(2.0), "down: cos^2 t"), (0.04, up(1.0), "up: cos (180-t), vents")]),
    ("low_bay_prismatic.ies", "LowBay", "low bay, prismatic glass reflector", 1, 12000,
     100, 1.3, 1.3, 0.5, SPHERE, AXIAL,
     [(0.72, down(1.2), "down: cos^1.2 t"), (0.10, up(1.0), "up: cos (180-t), through the glass")]),
    ("downlight_open.ies", "DownOpen", "6 in open reflector downlight, clear cone", 1, 2200,
     20, 0.5, 0.5, 0, DOWN_FINE, AXIAL,
     [(0.78, down(4.0, 0, (45, 55)), "cos^4 t, off 45-55")]),
    ("downlight_lensed.ies", "DownLens", "6 in downlight, opal lens", 1, 2200,
     20, 0.5, 0.5, 0, DOWN, AXIAL,
     [(0.68, down(1.6), "cos^1.6 t")]),
    ("wall_washer.ies", "WallWash", "recessed wall washer, kick reflector", 1, 1800,
     18, 0.5, 0.5, 0, DOWN, FULL,
     [(0.66, asymmetric(1.3, 0.9), "cos^1.3 t (1 + 0.9 sin t cos p)")]),
    ("linear_cove.ies", "Cove", "linear cove light, 4 ft, aimed 35 deg from vertical", 1, 1500,
     14, 0.2, 4, 0.2, SPHERE, BILATERAL,
     [(0.78, tilted_up(2.0, 35), "cos^2 of the angle from an axis 35 deg off the zenith at p = 0")]),
    ("surface_square.ies", "SurfSq", "2x2 surface square, drum-edge diffuser", 2, 1600,
     28, 2, 2, 0.3, SPHERE, QUADRANT,
     [(0.58, down(0.8), "down: cos^0.8 t"), (0.12, side(92, 15), "sides: exp(-((t-92)/15)^2)")]),
    ("vapor_tight_4ft.ies", "VaporTite", "4 ft vapour-tight, frosted polycarbonate", 2, 3000,
     46, 0.5, 4, 0.3, SPHERE, QUADRANT,
     [(0.62, down(0.7, 0.35), "down: cos^0.7 t (1 - 0.35 sin^2 t cos^2 p)"),
      (0.12, side(95, 18, 0.35), "sides: exp(-((t-95)/18)^2) (1 - 0.35 sin^2 t cos^2 p)")]),
    ("cylinder_pendant.ies", "Cylinder", "pendant cylinder, deep reflector", 1, 3000,
     28, 0.5, 0.5, 0, DOWN_FINE, AXIAL,
     [(0.74, down(5.0, 0, (35, 45)), "cos^5 t, off 35-45")]),
    ("linear_slot.ies", "Slot", "recessed linear slot, 4 ft, opal lens", 2, 2400,
     36, 0.3, 4, 0, DOWN, QUADRANT,
     [(0.74, down(1.4, 0.25, (70, 80)), "cos^1.4 t (1 - 0.25 sin^2 t cos^2 p), off 70-80")]),
    ("troffer_batwing_2x4.ies", "Batwing", "2x4 troffer, batwing lens", 3, 2900,
     66, 2, 4, 0, DOWN, QUADRANT,
     [(0.74, down(1.0, 0.1, (65, 80), 1.5),
       "cos t (1 + 1.5 sin^2 t) (1 - 0.1 sin^2 t cos^2 p), off 65-80")]),
    ("troffer_lensed_4lamp.ies", "Troffer4", "2x4 lensed troffer, four lamps", 4, 2600,
     88, 2, 4, 0, DOWN, QUADRANT,
     [(0.70, down(1.1, 0.15, (80, 90)), "cos^1.1 t (1 - 0.15 sin^2 t cos^2 p), off 80-90")]),
    ("pendant_direct.ies", "Pendant", "linear direct pendant, 4 ft, with uplight slots", 2, 3300,
     54, 0.5, 4, 0.25, SPHERE, BILATERAL,
     [(0.80, down(1.2, 0.3), "down: cos^1.2 t (1 - 0.3 sin^2 t cos^2 p)"),
      (0.04, up(1.0), "up: cos (180-t)")]),
    ("globe_pendant.ies", "Globe", "opal glass globe pendant, 12 in", 1, 2600,
     24, 1, 1, 1, SPHERE, AXIAL,
     [(0.78, globe(20), "equal in all directions except 20 deg round the zenith (fitter)")]),
]


def fmt(value):
    text = "%.1f" % value
    return text[:-2] if text.endswith(".0") else text


def lines_of(values, per_line=10):
    return [" ".join(fmt(v) for v in values[i:i + per_line]) for i in range(0, len(values), per_line)]


def write_type(entry):
    (name, desc, luminaire, lamps, lumens_per_lamp, watts, width, length, height,
     vertical, horizontal, components) = entry
    lamp_lumens = 4200 if lumens_per_lamp < 0 else lamps * lumens_per_lamp
    scaled = [(share * lamp_lumens / lumens(shape), shape) for share, shape, _ in components]
    out = [
        "IESNA:LM-63-2002",
        "[TEST] GENERIC-%s" % desc.upper(),
        "[TESTLAB] analytic distribution, not a measurement",
        "[MANUFAC] Generic",
        "[LUMCAT] %s" % desc,
        "[LUMINAIRE] %s" % luminaire,
        "[LAMP] %d x %d lm" % (lamps, lamp_lumens // lamps) if lumens_per_lamp > 0
        else "[LAMP] LED module, %d lm luminaire total (absolute photometry)" % lamp_lumens,
        "TILT=NONE",
        "%d %s 1 %d %d 1 1 %s %s %s" % (lamps, fmt(lumens_per_lamp), len(vertical),
                                       len(horizontal), fmt(width), fmt(length), fmt(height)),
        "1.0 1.0 %d" % watts,
    ]
    out += lines_of(vertical)
    out += lines_of(horizontal)
    for p in horizontal:
        out += lines_of([sum(k * shape(t, p) for k, shape in scaled) for t in vertical])
    with open(os.path.join(HERE, name), "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")
    down_share = sum(k * lumens(shape, 0, 90) for k, shape in scaled) / lamp_lumens
    up_share = sum(k * lumens(shape, 90, 180) for k, shape in scaled) / lamp_lumens
    return lamp_lumens, down_share, up_share


# The types also written as EULUMDAT (.ldt), one for each way its symmetry indicator
# stores the planes: 1 all round, 4 a quadrant, 2 a half, 0 the whole circle.
LDT_TYPES = {
    "downlight_open.ies": 1,
    "led_flat_panel_2x2.ies": 1,
    "troffer_lensed_2x4.ies": 4,
    "pendant_direct_indirect.ies": 2,
    "wall_washer.ies": 0,
}


def fmt_ldt(value):
    return ("%.6f" % value).rstrip("0").rstrip(".")


def write_ldt(entry, symmetry):
    """The same distribution as EULUMDAT: the .ies file's candela values (as rounded
    there) in cd per 1000 lamp lumens, planes every 22.5 degrees (or one plane).
    EULUMDAT lays the luminaire's length along C 90-270 (its C 0-180 plane runs across
    the lamps), so its plane C shows the light of the .ies file's plane C - 90."""
    (name, desc, luminaire, lamps, lumens_per_lamp, watts, width, length, height,
     vertical, horizontal, components) = entry
    lamp_lumens = 4200 if lumens_per_lamp < 0 else lamps * lumens_per_lamp
    scaled = [(share * lamp_lumens / lumens(shape), shape) for share, shape, _ in components]
    plane_count = 1 if symmetry == 1 else 16
    stored = {1: 1, 4: 5, 2: 9, 0: 16}[symmetry]
    c_angles = [i * 360.0 / plane_count for i in range(plane_count)]
    count = -lamps if lumens_per_lamp < 0 else lamps
    out = [
        "Generic analytic distribution, not a measurement",
        "1" if symmetry == 1 else "2" if length > width else "3",
        str(symmetry), str(plane_count), fmt_ldt(0 if plane_count == 1 else 22.5),
        str(len(vertical)), fmt_ldt(vertical[1] - vertical[0]),
        "GENERIC-%s" % desc.upper(), luminaire, desc, name[:-4] + ".ldt", "kandelor generate.py",
    ]
    out += [fmt_ldt(float(fmt(v)) * 304.8) for v in (length, width, height, length, width,
                                         height, height, height, height)]
    down_share = sum(k * lumens(shape, 0, 90) for k, shape in scaled) / lamp_lumens
    up_share = sum(k * lumens(shape, 90, 180) for k, shape in scaled) / lamp_lumens
    out += [fmt_ldt(100 * down_share / (down_share + up_share)),
            fmt_ldt(100 * (down_share + up_share)), "1", "0"]
    out += ["1", str(count), "LED module" if lumens_per_lamp < 0 else "generic lamps",
            str(lamp_lumens), "4000", "1B", str(watts)]
    out += ["0"] * 10
    out += [fmt_ldt(c) for c in c_angles]
    out += [fmt_ldt(v) for v in vertical]
    for c in c_angles[:stored]:
        for t in vertical:
            cd = float(fmt(sum(k * shape(t, c - 90) for k, shape in scaled)))
            out.append(fmt_ldt(cd * 1000 / lamp_lumens))
    with open(os.path.join(HERE, name[:-4] + ".ldt"), "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    table = ["| # | Description | File | Lamps | Lamp lm | Down / up % | Components (share of lamp lumens: shape of I(t, p)) |",
             "|---|---|---|---|---|---|---|"]
    with open(os.path.join(HERE, "catalog.list"), "w") as lst:
        lst.write("# Fixture types 1 to 22, in order: photometric file, description (at most\n"
                  "# 9 characters, no blanks), lamps per fixture (optional; default: the file's).\n")
        for number, entry in enumerate(TYPES, 1):
            lamp_lumens, down_share, up_share = write_type(entry)
            if entry[0] in LDT_TYPES:
                write_ldt(entry, LDT_TYPES[entry[0]])
            name, desc, _, lamps = entry[:4]
            lst.write("%-30s %-10s %d\n" % (name, desc, lamps))
            parts = "; ".join("%d %%: %s" % (round(share * 100), text)
                              for share, _, text in entry[11])
            lm = "%d (absolute)" % lamp_lumens if entry[4] < 0 else str(entry[4])
            split = "%d / %d" % (round(down_share * 100), round(up_share * 100))
            table.append("| %d | %s | %s | %d | %s | %s | %s |"
                         % (number, desc, name, lamps, lm, split, parts))
    if "--table" in sys.argv:
        print("\n".join(table))


if __name__ == "__main__":
    main()
