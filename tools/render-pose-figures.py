#!/usr/bin/env python3
"""Renders human figures with known joint angles, the ground truth of the pose tests.

Each figure is a clothed mannequin of adult proportions (1.75 m) standing on a floor before a
wall, posed by its sagittal joint angles: trunk against the vertical, neck against the trunk,
knee bend, and per arm the upper arm against the trunk, the elbow bend and the wrist
(flexion positive, extension negative, degrees). POV-Ray (Debian's `povray`) renders it from the
side or 30 or 45 degrees off the side toward its front; the picture is kept as a JPEG and its
true angles as a row of figures.tsv beside it.

usage: render-pose-figures.py OUT_DIR [--count N] [--seed S] [--only NAME]
Needs povray and ImageMagick's convert; about 10 s a figure.
"""
import argparse
import math
import os
import random
import subprocess
import sys
import tempfile

# Segment lengths in metres.
FOOT_HEIGHT, SHANK, THIGH = 0.09, 0.44, 0.44
HIP_HALF, TRUNK, SHOULDER_HALF = 0.09, 0.50, 0.18
NECK, UPPER_ARM, FOREARM = 0.09, 0.29, 0.26

# The drawings' bands, the option each angle falls in (0: no drawing). Kept in step with the
# option table by the pose tests, which check every row against it.
def trunk_option(a):
    return 1 if abs(a) < 5 else 2 if abs(a) < 20 else 3 if a < 60 else 4


def neck_option(a):
    return 1 if 0 <= a < 20 else 2


def knee_option(a):
    return 0 if a < 30 else 3 if a < 60 else 4


def upper_arm_option(a):
    return 1 if -20 <= a < 20 else 2 if a < 45 else 3 if a < 90 else 4


def elbow_option(a):
    return 1 if 60 <= a < 100 else 2


def wrist_option(a):
    return 1 if abs(a) < 15 else 2


EDGES = {"trunk": [-20, -5, 5, 20, 60], "neck": [0, 20], "knee": [30, 60],
         "arm": [-20, 20, 45, 90], "elbow": [60, 100], "wrist": [-15, 15]}


def away_from_edges(rng, kind, low, high, gap=4):
    """A value in [low, high] at least `gap` degrees from every band edge."""
    while True:
        value = round(rng.uniform(low, high))
        if all(abs(value - e) >= gap for e in EDGES[kind]):
            return value


def random_pose(rng):
    def arm():
        return {"arm": away_from_edges(rng, "arm", -40, 150),
                "elbow": away_from_edges(rng, "elbow", 5, 140),
                "wrist": away_from_edges(rng, "wrist", -45, 45)}

    return {"trunk": away_from_edges(rng, "trunk", -20, 95),
            "neck": away_from_edges(rng, "neck", -25, 45),
            "knee": away_from_edges(rng, "knee", 0, 100),
            "right": arm(), "left": arm()}


def rotate(v, degrees):
    """Turns (forward, up) by `degrees` toward the front (flexion direction of a limb hanging)."""
    a = math.radians(degrees)
    return (v[0] * math.cos(a) - v[1] * math.sin(a), v[0] * math.sin(a) + v[1] * math.cos(a))


def direction(degrees_from_down):
    """A unit vector `degrees` forward of straight down, in (forward, up)."""
    a = math.radians(degrees_from_down)
    return (math.sin(a), -math.cos(a))


def add(p, v, length, z=None):
    return (p[0] + v[0] * length, p[1] + v[1] * length, p[2] if z is None else z)


def vec(p):
    return "<%.4f,%.4f,%.4f>" % p


def limb(a, b, ra, rb, texture):
    return ("sphere{%s,%.4f texture{%s}}\ncone{%s,%.4f,%s,%.4f texture{%s}}\n"
            % (vec(a), ra, texture, vec(a), ra, vec(b), rb, texture))


def ellipsoid(centre, axes, radii, texture):
    """A sphere scaled by `radii` along the (unit, orthogonal) `axes`, placed at `centre`."""
    cols = [tuple(c * r for c in ax) for ax, r in zip(axes, radii)]
    m = ",".join("%.4f,%.4f,%.4f" % c for c in cols)
    return "sphere{0,1 texture{%s} matrix<%s,%s>}\n" % (texture, m, "%.4f,%.4f,%.4f" % centre)


def hand(wrist, hand_dir, side_z, thumb_z):
    """A palm with four two-jointed fingers and a thumb; the palm faces away from the back of
    the hand, which turns with the forearm (palm down when the arm points forward)."""
    u = (hand_dir[0], hand_dir[1], 0.0)
    n = (hand_dir[1], -hand_dir[0], 0.0)  # palm side
    z = (0.0, 0.0, 1.0)
    out = ellipsoid(add(wrist, u, 0.05), (u, n, z), (0.058, 0.02, 0.045), "Skin")
    for k, dz in enumerate((-0.03, -0.01, 0.01, 0.03)):
        length = (0.04, 0.047, 0.045, 0.036)[k if thumb_z > 0 else 3 - k]
        base = add(wrist, u, 0.095)
        base = (base[0], base[1], base[2] + dz)
        mid = add(base, rotate(hand_dir, -10), length * 1.1)
        tip = add(mid, rotate(hand_dir, -20), length * 0.9)
        out += limb(base, mid, 0.0095, 0.0085, "Skin") + limb(mid, tip, 0.0085, 0.007, "Skin")
    base = add(wrist, u, 0.025)
    base = (base[0] + n[0] * 0.01, base[1] + n[1] * 0.01, base[2] + thumb_z * 0.035)
    mid = (base[0] + u[0] * 0.04, base[1] + u[1] * 0.04, base[2] + thumb_z * 0.02)
    tip = (mid[0] + u[0] * 0.035, mid[1] + u[1] * 0.035, mid[2] + thumb_z * 0.005)
    return out + limb(base, mid, 0.011, 0.0095, "Skin") + limb(mid, tip, 0.0095, 0.008, "Skin")


def figure(pose):
    """The mannequin facing +x, its right side toward -z (the camera's side), as POV-Ray text."""
    t, k = pose["trunk"], pose["knee"]
    out = []
    # Legs: thigh and shank lean half the knee bend each way, so the hips stay over the feet.
    half = math.radians(k / 2)
    hip_y = FOOT_HEIGHT + (THIGH + SHANK) * math.cos(half)
    for z, step in ((-HIP_HALF, 0.06), (HIP_HALF, -0.06)):
        ankle = (step, FOOT_HEIGHT, z * 1.1)
        knee = (step + SHANK * math.sin(half), FOOT_HEIGHT + SHANK * math.cos(half), z * 1.1)
        hip = (step, hip_y, z)
        out.append(limb(hip, knee, 0.085, 0.06, "Trousers") + limb(knee, ankle, 0.06, 0.045, "Trousers"))
        out.append(ellipsoid((step + 0.06, 0.05, z * 1.1), ((1, 0, 0), (0, 1, 0), (0, 0, 1)),
                             (0.135, 0.05, 0.05), "Shoe"))
    hip = (0.0, hip_y, 0.0)
    up = (math.sin(math.radians(t)), math.cos(math.radians(t)))  # (forward, up) of the trunk
    shoulder = add(hip, up, TRUNK)
    # Torso and pelvis: one smooth blob of spheres along the trunk.
    blob = []
    for s, half_width, radius, tex in ((0.03, 0.08, 0.125, "Trousers"), (0.17, 0.065, 0.11, "Trousers"),
                                       (0.28, 0.07, 0.125, "Shirt"), (0.39, 0.08, 0.125, "Shirt"),
                                       (0.47, 0.14, 0.075, "Shirt")):
        centre = add(hip, up, s)
        for z in (-half_width, half_width):
            # A blob sphere's own surface lies at 0.71 of its radius at threshold 0.25.
            blob.append("sphere{%s,%.3f,1 texture{%s}}" % (vec((centre[0], centre[1], z)), radius * 1.3, tex))
    out.append("blob{threshold 0.25 %s}\n" % " ".join(blob))
    # Neck and head turn about the base of the neck, level with the shoulders.
    a = t + pose["neck"]
    neck_up = (math.sin(math.radians(a)), math.cos(math.radians(a)))
    fwd = (math.cos(math.radians(a)), -math.sin(math.radians(a)), 0.0)
    hu = (neck_up[0], neck_up[1], 0.0)
    z = (0.0, 0.0, 1.0)
    neck_top = add(shoulder, neck_up, NECK)
    out.append(limb(add(shoulder, up, -0.03), neck_top, 0.06, 0.055, "Skin"))
    # The ears sit on the neck's axis, plumb above the shoulders when the neck is upright.
    head = add(neck_top, neck_up, 0.08)
    head = (head[0] + fwd[0] * 0.005, head[1] + fwd[1] * 0.005, 0.0)

    def at(f, u, s):
        return (head[0] + fwd[0] * f + hu[0] * u, head[1] + fwd[1] * f + hu[1] * u, s)

    out.append(ellipsoid(head, (fwd, hu, z), (0.1, 0.118, 0.078), "Skin"))
    # Hair over the top and the back of the head: a slightly larger shell cut off at the face.
    cut = (fwd[0] - 0.5 * hu[0], fwd[1] - 0.5 * hu[1])
    out.append(ellipsoid(at(-0.01, 0.012, 0), (fwd, hu, z), (0.102, 0.12, 0.083), "Hair")
               .replace("}\n", " clipped_by{plane{<%.4f,%.4f,0>,%.4f}}}\n"
                        % (cut[0], cut[1], cut[0] * head[0] + cut[1] * head[1] + 0.03)))
    out.append(ellipsoid(at(0.1, -0.005, 0), (fwd, hu, z), (0.025, 0.032, 0.016), "Skin"))  # nose
    out.append(ellipsoid(at(0.075, -0.05, 0), (fwd, hu, z), (0.025, 0.006, 0.022), "Lips"))
    for s in (-1, 1):
        out.append(ellipsoid(at(0.076, 0.025, s * 0.034), (fwd, hu, z), (0.012, 0.009, 0.016), "EyeWhite"))
        out.append("sphere{%s,0.0065 texture{Iris}}\n" % vec(at(0.086, 0.025, s * 0.034)))
        out.append(ellipsoid(at(0.08, 0.045, s * 0.036), (fwd, hu, z), (0.014, 0.004, 0.02), "Hair"))
        out.append(ellipsoid(at(-0.005, 0.0, s * 0.078), (fwd, hu, z), (0.025, 0.035, 0.01), "Skin"))
    # Arms: the right one toward the camera (-z). Forearms turned palm down when held forward.
    for side, z_sign in (("right", -1), ("left", 1)):
        arm = pose[side]
        s = add(shoulder, up, -0.04, z_sign * SHOULDER_HALF)
        upper = direction(arm["arm"] - t)
        elbow = add(s, upper, UPPER_ARM)
        fore = direction(arm["arm"] + arm["elbow"] - t)
        wrist = add(elbow, fore, FOREARM)
        hand_dir = direction(arm["arm"] + arm["elbow"] - arm["wrist"] - t)
        out.append(limb(s, add(s, upper, 0.14), 0.062, 0.055, "Shirt"))
        out.append(limb(add(s, upper, 0.14), elbow, 0.045, 0.038, "Skin"))
        out.append(limb(elbow, wrist, 0.038, 0.027, "Skin"))
        out.append(hand(wrist, hand_dir, z_sign, -z_sign))
    return "union{\n%s}\n" % "".join(out)


SCENE = """#version 3.7;
global_settings { assumed_gamma 1.0 }
#declare Skin = texture { pigment { rgb <0.80,0.58,0.45> } finish { diffuse 0.8 specular 0.05 } }
#declare Hair = texture { pigment { rgb <0.12,0.08,0.05> } finish { diffuse 0.7 } }
#declare Lips = texture { pigment { rgb <0.6,0.3,0.3> } }
#declare EyeWhite = texture { pigment { rgb <0.92,0.92,0.9> } }
#declare Iris = texture { pigment { rgb <0.15,0.1,0.05> } }
#declare Shirt = texture { pigment { granite color_map { [0 rgb %(shirt)s] [1 rgb %(shirt)s*0.85] } scale 0.2 }
                           normal { bumps 0.15 scale 0.02 } finish { diffuse 0.8 } }
#declare Trousers = texture { pigment { rgb %(trousers)s } normal { bumps 0.2 scale 0.01 } finish { diffuse 0.8 } }
#declare Shoe = texture { pigment { rgb <0.15,0.1,0.07> } finish { specular 0.2 } }
camera { location %(camera)s look_at <0,%(look)s,0> angle %(fov).2f right x*4/3 }
light_source { %(key)s color rgb 0.9 area_light <0.8,0,0>, <0,0.8,0>, 3, 3 adaptive 1 jitter }
light_source { <-2,3,-4> color rgb 0.35 shadowless }
light_source { <3,2.5,-1> color rgb 0.25 shadowless }
plane { y, 0 texture { pigment { checker rgb <0.55,0.5,0.45>, rgb <0.5,0.45,0.4> scale 0.5 } finish { diffuse 0.7 } } }
plane { z, 1.6 texture { pigment { rgb %(wall)s } finish { diffuse 0.8 } } }
object { %(figure)s rotate y*%(turn)d }
"""


def render(name, pose, view, facing, rng, out_dir):
    distance = rng.uniform(2.8, 4.5)
    height = rng.uniform(0.9, 1.5)
    off = math.radians(view)
    # The camera looks from -z at the figure's side, turned `view` degrees toward its front.
    camera = (facing * distance * math.sin(off), height, -distance * math.cos(off))
    fov = math.degrees(2 * math.atan(1.15 / distance)) * 4 / 3
    values = {
        "shirt": rng.choice(["<0.2,0.3,0.6>", "<0.6,0.2,0.2>", "<0.25,0.45,0.3>", "<0.7,0.7,0.72>"]),
        "trousers": rng.choice(["<0.15,0.15,0.2>", "<0.3,0.25,0.2>", "<0.2,0.25,0.4>"]),
        "wall": rng.choice(["<0.85,0.83,0.78>", "<0.7,0.75,0.8>", "<0.8,0.78,0.7>"]),
        "camera": vec(camera), "look": "%.2f" % rng.uniform(0.8, 1.0), "fov": fov,
        "key": vec((rng.uniform(-3, 3), 4.0, -3.0)),
        "figure": figure(pose), "turn": 0 if facing > 0 else 180,
    }
    with tempfile.TemporaryDirectory() as work:
        pov = os.path.join(work, "scene.pov")
        png = os.path.join(work, "scene.png")
        with open(pov, "w") as f:
            f.write(SCENE % values)
        subprocess.run(["povray", "-D", "+WT1", "+W960", "+H720", "+A0.3", "+Q9", "+FN", "+I" + pov,
                        "+O" + png], check=True, capture_output=True)
        subprocess.run(["convert", png, "-quality", "82", os.path.join(out_dir, name + ".jpg")],
                       check=True)


COLUMNS = ["picture", "view", "facing", "trunk", "neck", "knee", "right_arm", "right_elbow",
           "right_wrist", "left_arm", "left_elbow", "left_wrist", "trunk_option", "neck_option",
           "knee_option", "right_arm_option", "right_elbow_option", "right_wrist_option",
           "left_arm_option", "left_elbow_option", "left_wrist_option"]


def row(name, view, facing, p):
    r, l = p["right"], p["left"]
    values = [name + ".jpg", view, "right" if facing > 0 else "left", p["trunk"], p["neck"], p["knee"],
              r["arm"], r["elbow"], r["wrist"], l["arm"], l["elbow"], l["wrist"],
              trunk_option(p["trunk"]), neck_option(p["neck"]), knee_option(p["knee"]),
              upper_arm_option(r["arm"]), elbow_option(r["elbow"]), wrist_option(r["wrist"]),
              upper_arm_option(l["arm"]), elbow_option(l["elbow"]), wrist_option(l["wrist"])]
    return "\t".join(str(v) for v in values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out_dir")
    parser.add_argument("--count", type=int, default=24, help="side views; half as many at 30 and 45")
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--only", help="render only this picture (name without .jpg)")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    plan = []
    for i in range(args.count):
        pose = random_pose(rng)
        facing = 1 if i % 2 == 0 else -1
        plan.append((f"side-{i + 1:02d}", pose, 0, facing))
        if i % 2 == 0:
            plan.append((f"off30-{i // 2 + 1:02d}", pose, 30, -facing if i % 4 else facing))
        else:
            plan.append((f"off45-{i // 2 + 1:02d}", pose, 45, facing))
    os.makedirs(args.out_dir, exist_ok=True)
    lines = ["\t".join(COLUMNS)]
    for name, pose, view, facing in plan:
        scene_rng = random.Random(f"{args.seed}-{name}")
        if not args.only or args.only == name:
            render(name, pose, view, facing, scene_rng, args.out_dir)
            print(name, file=sys.stderr)
        lines.append(row(name, view, facing, pose))
    if not args.only:
        with open(os.path.join(args.out_dir, "figures.tsv"), "w") as f:
            f.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
