#!/usr/bin/env python3
"""The whole client against bare pages, measured from outside in one run.

  start-up   process start to the main window shown with the home page loaded,
             against a bare web view (bench_minibrowser) loading the same page;
  play       click on a play link to the movie's first frame, against a click
             on a link to a bare Ruffle page showing the same movie;
  memory     peak resident memory of the process and its helpers, the client
             with the player open against the bare web view with the bare page.

Times come from the demo site's request log: the home page's counter is fetched
by its load handler, and the benchmark's movie fetches a counter in its first
frame. Every round starts fresh processes; the figures are medians.
"""

import argparse
import os
import shutil
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "demo"))
import movies  # noqa: E402
from stack import PortTaken, Stack, wait_until  # noqa: E402

HOME_COUNTER = r"/count\.gif\?page=%2F&t=\d+"
START_COUNTER = r"/count\.gif\?page=start"
FRAME_COUNTER = r".*count\.gif\?frame=1"
# The home page's featured cartoon and where its play button lies in the main window.
FEATURED_MOVIE = "d/file/donghuapian/20001.swf"
FEATURED_PLAY_BUTTON = (445, 389)
SETTLE_SECONDS = 2

START_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>start</title>
<style>html, body { margin: 0; height: 100%; } a { display: block; height: 100%; background: #ffd86f; }</style>
<script>window.addEventListener("load", function () { new Image().src = "count.gif?page=start"; });</script>
</head><body><a href="bare.html?movie=/MOVIE">play</a></body></html>
"""


def peak_memory_mb(pid):
    """The sum of the peak resident memory of a process and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    total, todo = 0, [pid]
    while todo:
        current = todo.pop()
        todo += children.get(current, [])
        try:
            with open(f"/proc/{current}/status") as f:
                total += next(int(line.split()[1]) for line in f if line.startswith("VmHWM:"))
        except (OSError, StopIteration):
            pass
    return total / 1024


def shown(stack, name):
    return wait_until(lambda: stack.visible_windows(name), 60, f"the window {name}")[0]


def measure(stack, command, window_name, page_counter, log, click=None):
    """Start-up of one fresh process; with a click, also click-to-first-frame and peak memory."""
    started = time.monotonic()
    process = stack.launch(command, log)
    try:
        window = shown(stack, window_name)
        window_time = time.monotonic()
        page_time, _ = stack.wait_for_request(page_counter, 60, after=started)
        startup = max(window_time, page_time) - started
        if click is None:
            return startup * 1000, None, None
        # Let the first page draw before clicking on it.
        time.sleep(0.5)
        x, y, _, _ = stack.geometry(window)
        clicked = time.monotonic()
        stack.click(x + click[0], y + click[1])
        frame_time, _ = stack.wait_for_request(FRAME_COUNTER, 60, after=clicked)
        time.sleep(SETTLE_SECONDS)
        return startup * 1000, (frame_time - clicked) * 1000, peak_memory_mb(process.pid)
    finally:
        process.terminate()
        process.wait(30)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--minibrowser", required=True)
    parser.add_argument("--site-root", required=True)
    parser.add_argument("--catalogue-port", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--ruffle", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    history = os.path.join(os.path.dirname(args.exe), "listview.dat")
    try:
        with Stack(args.work, args.site_root, args.catalogue_port, args.password, args.ruffle) as stack, \
                open(os.path.join(args.work, "programs.log"), "w") as log:
            site = os.path.join(args.work, "site")
            # The featured cartoon, as a movie that fetches the counter in its first frame; the bare page shows it too.
            with open(os.path.join(site, FEATURED_MOVIE), "wb") as f:
                f.write(movies.animation(1, 120, load_movie="count.gif?frame=1"))
            with open(os.path.join(site, "start.html"), "w", encoding="utf-8") as f:
                f.write(START_PAGE.replace("MOVIE", FEATURED_MOVIE))
            shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "moviebench-bare.html"),
                        os.path.join(site, "bare.html"))

            figures = {"client": [], "bare": []}
            for _ in range(args.rounds):
                if os.path.exists(history):
                    os.remove(history)
                figures["client"].append(measure(stack, [args.exe], "Zirrabee儿歌大全", HOME_COUNTER, log,
                                                 FEATURED_PLAY_BUTTON))
                bare_startup, *_ = measure(stack, [args.minibrowser, args.site_root.rstrip("/")], "minibrowser",
                                           HOME_COUNTER, log)
                _, bare_play, bare_memory = measure(stack, [args.minibrowser, args.site_root + "start.html"],
                                                    "minibrowser", START_COUNTER, log, (300, 300))
                figures["bare"].append((bare_startup, bare_play, bare_memory))
    except PortTaken as error:
        sys.exit(f"appbench: {error}")

    client = [statistics.median(f[i] for f in figures["client"]) for i in range(3)]
    bare = [statistics.median(f[i] for f in figures["bare"]) for i in range(3)]
    print(f"Client against bare pages, median of {args.rounds} runs each:")
    print(f"  {'':34} {'client':>9} {'bare':>9} {'ratio':>6}  goal")
    for (name, unit, goal), c, b in zip([("start-up to home page loaded", "ms", 1.2),
                                         ("play-link click to first frame", "ms", 1.2),
                                         ("peak memory with the movie", "MB", 1.3)], client, bare):
        print(f"  {name:34} {c:6.0f} {unit} {b:6.0f} {unit} {c / b:6.2f}  <= {goal}")


if __name__ == "__main__":
    main()
