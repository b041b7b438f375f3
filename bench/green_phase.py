#!/usr/bin/env python3
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the start light's green phase of the real game on a virtual display, as a player
sees it: the built game starts on its own Xvfb display, xdotool presses Enter to leave the
start screen, and the light's part of the screen is read back (XGetImage) until the lamp
turns from green to red. With the game clock the phase lasts 200 steps of 1/60 s (1600
down by 7.5 a step, truncated: 8) whether frames are fast or slow, down to 12 frames a
second; the few steps run at once after the scene set-up's stall are not seen apart.

    bench/green_phase.py [--size 640x480] [--detail 1] [--night] [--snow]

Slow the frames with the environment: LP_NUM_THREADS=1, or GALLIUM_DRIVER=softpipe.
Needs Xvfb and xdotool (the README's packages)."""
import argparse
import ctypes
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--size", default="640x480")
    parser.add_argument("--detail", type=int, default=1)
    parser.add_argument("--night", action="store_true")
    parser.add_argument("--snow", action="store_true")
    args = parser.parse_args()
    width, height = (int(v) for v in args.size.split("x"))

    work = tempfile.mkdtemp(prefix="valmora-green-")
    shutil.copytree(os.path.join(ROOT, "build", "game"), work, dirs_exist_ok=True)
    data = {"resx.dat": width, "resy.dat": height, "det.dat": args.detail,
            "opad.dat": 2 if args.snow else 1, "winsum.dat": 0}
    if args.night:
        data.update({"dR.dat": 0, "dG.dat": 0, "dB.dat": 8, "fog.dat": 9})
    for name, value in data.items():
        with open(os.path.join(work, "Data", name), "w") as f:
            f.write(str(value))

    display = ":%d" % random.randint(150, 250)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1920x1080x24"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=display)
    game = None
    try:
        time.sleep(1)
        game = subprocess.Popen(["./orbel"], cwd=work, env=env)
        window = ""
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--name", "^Valmora$"], env=env,
                                   capture_output=True, text=True).stdout.split()
            if found:
                window = found[0]
                break
            time.sleep(0.1)
        if not window:
            sys.exit("no game window")
        time.sleep(2)

        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XGetPixel.restype = ctypes.c_ulong
        x11.XGetPixel.argtypes = [ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int]
        dpy = x11.XOpenDisplay(display.encode())
        root = x11.XDefaultRootWindow(dpy)
        # The lamp stands in the middle third of the window's top quarter.
        rx, rw, rh = width // 3, width // 3, height // 4

        def lamp():
            image = x11.XGetImage(dpy, root, rx, 0, rw, rh, 0xFFFFFFFF, 2)  # ZPixmap
            green = red = 0
            for y in range(0, rh, 2):
                for x in range(0, rw, 2):
                    p = x11.XGetPixel(image, x, y)
                    r, g, b = (p >> 16) & 255, (p >> 8) & 255, p & 255
                    if g > 200 and g - r > 60 and g - b > 40:
                        green += 1
                    elif r > 200 and r - g > 80 and r - b > 80:
                        red += 1
            x11.XDestroyImage(image)
            return green, red

        subprocess.run(["xdotool", "key", "--window", window, "Return"], env=env)
        start = end = None
        samples = 0
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            now = time.monotonic()
            green, red = lamp()
            samples += 1
            if green > 20 and start is None:
                start = now
            # The lit red lamp is far larger than the red count below it.
            if start is not None and green <= 20 and red > 20:
                end = now
                break
        if start is None or end is None:
            sys.exit("the light was not seen green, then red")
        print("window=%dx%d detail=%d lighting=%s precipitation=%s green_phase_s=%.2f "
              "expected_s=%.2f samples=%d" % (width, height, args.detail,
                                               "night" if args.night else "day",
                                               "snow" if args.snow else "none", end - start,
                                               200 / 60, samples))
    finally:
        if game:
            game.kill()
        xvfb.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
