#!/usr/bin/env python3
"""The real client from start to close, driven like a family would drive it.

Starts the demo catalogue and site on the build's ports and the client in a
private X server; clicks a category, double-clicks a title, clicks the play
link on its page, toggles full screen and closes the main window, watching
the windows, the site's request log and the catalogue's general log.
Screenshots go to WORK/artifacts. Exits 77 (skipped) when a port is taken.
"""

import argparse
import os
import subprocess
import sys
import time

from stack import SCREEN, PortTaken, Stack, count_pixels, wait_until

MAIN_CAPTION = "Zirrabee儿歌大全"
CATEGORY = "中文儿歌"
# The category's first title, its number and the movie's background colour.
TITLE, TITLE_ID = "两只老虎", 1001
MOVIE_BACKGROUND = (226, 246, 255)

# Where things are in the main window, from its fixed layout: the tree's rows
# start 82 pixels down, 16 apart, in the 228-wide panel on the right; the
# browser starts 2 in and 28 down; the play picture of a detail page sits
# 240 to 570 pixels into the page.
TREE_ROW_Y, TREE_ROW_HEIGHT, TREE_X_FROM_RIGHT = 82, 16, 170
BROWSER_TOP = 28
PLAY_LINK = (360, 400)


def near(color, target, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(color, target))


class Run:
    def __init__(self, stack, exe, artifacts):
        self.stack, self.exe, self.artifacts = stack, exe, artifacts
        self.client = None
        self.main = None

    def shot(self, window, name):
        self.stack.screenshot(window, os.path.join(self.artifacts, name))

    def tree_row(self, row):
        x, y, width, _ = self.stack.geometry(self.main)
        return x + width - TREE_X_FROM_RIGHT, y + TREE_ROW_Y + row * TREE_ROW_HEIGHT

    def start_client(self, log):
        started = time.monotonic()
        self.client = self.stack.launch([self.exe], log)
        windows = wait_until(lambda: self.stack.visible_windows(MAIN_CAPTION), 60, "the main window")
        self.main = windows[0]
        # The home page's counter is fetched by its load handler: the page has loaded.
        stamp, _ = self.stack.wait_for_request(r"/count\.gif\?page=%2F&t=\d+", 60, after=started)

        def sky_shown():
            picture = self.stack.pixels(self.main)
            box = (100, BROWSER_TOP + 10, 400, BROWSER_TOP + 60)
            return count_pixels(picture, box, lambda r, g, b: b > 200 and r < 190) > 1000
        wait_until(sky_shown, 10, "the home page's sky-blue header in the browser")
        self.shot(self.main, "1-home.png")
        print(f"e2e: main window shown, home page loaded {stamp - started:.1f} s after start")

    def open_category(self):
        self.stack.click(*self.tree_row(0))           # the group "听儿歌"
        self.stack.key("Right")                       # opens it: its categories follow as rows 1 to 4
        self.stack.click(*self.tree_row(1))           # the category
        wait_until(lambda: any(f"classname='{CATEGORY}'" in s for s in self.stack.statements()), 20,
                   f"the catalogue to be asked for {CATEGORY}")
        self.stack.key("Right")                       # shows the titles just added
        left = self.stack.geometry(self.main)[2] - 228

        def titles_shown():
            picture = self.stack.pixels(self.main)
            # Rows 12 to 20 lie below the fixed nodes: text there can only be titles.
            top, bottom = TREE_ROW_Y + 12 * TREE_ROW_HEIGHT, TREE_ROW_Y + 21 * TREE_ROW_HEIGHT
            return count_pixels(picture, (left, top, left + 228, bottom), lambda r, g, b: g > 120 and b > 120 and r < 120) > 100
        wait_until(titles_shown, 10, "the category's titles in the tree")
        statements = self.stack.statements()
        assert statements[:2] == [
            f"SELECT `classid`  FROM`morrowick_enewsclass` where classname='{CATEGORY}'",
            "SELECT `title` FROM`morrowick_ecms_game` WHERE classid= 11"], statements
        self.shot(self.main, "2-category.png")

    def open_detail_page(self):
        started = time.monotonic()
        self.stack.click(*self.tree_row(2), repeat=2)  # the category's first title
        self.stack.wait_for_request(rf"/tingerge/zhongwenerge/{TITLE_ID}\.html", 20, after=started)
        assert any(f"WHERE title='{TITLE}'" in s for s in self.stack.statements())

        def play_picture_shown():
            # The warm gradient of the page's play picture, left of the play button.
            box = (PLAY_LINK[0] - 220, PLAY_LINK[1] - 80, PLAY_LINK[0] - 120, PLAY_LINK[1] - 30)
            return count_pixels(self.stack.pixels(self.main), box, lambda r, g, b: r > 240 and b < 180) > 3000
        wait_until(play_picture_shown, 10, "the detail page's play picture under the pointer's target")
        self.shot(self.main, "3-detail.png")

    def play(self):
        started = time.monotonic()
        x, y, _, _ = self.stack.geometry(self.main)
        self.stack.click(x + PLAY_LINK[0], y + PLAY_LINK[1])
        player = wait_until(lambda: [w for w in self.stack.visible_windows(TITLE) if w != self.main], 30,
                            "the player window")[0]
        assert self.stack.window_name(player) == TITLE
        self.stack.wait_for_request(rf"/d/file/tingerge/zhongwenerge/{TITLE_ID}\.swf", 30, after=started)
        assert not any(path.endswith("_play.html") for *_, path in self.stack.requests()), \
            "the play page was loaded instead of being played"

        # The movie is drawn, and its frames move on.
        pictures = []

        def moving():
            width, height, data = picture = self.stack.pixels(player)
            if count_pixels(picture, (0, 0, width, height - 60), lambda *c: near(c, MOVIE_BACKGROUND)) < 1000:
                return False
            pictures.append(data)
            return len(set(pictures)) >= 3
        wait_until(moving, 20, "the movie's frames to advance")
        self.shot(player, "4-player.png")
        return player

    def full_screen(self, player):
        windowed = self.stack.geometry(player)
        self.stack.key("Return")
        wait_until(lambda: self.stack.geometry(player) == (0, 0, *SCREEN), 10, "full screen after Enter")

        def movie_fills_screen():
            # Without its bottom bar, the movie reaches the screen's bottom right corner.
            corner = (SCREEN[0] - 200, SCREEN[1] - 100, *SCREEN)
            return count_pixels(self.stack.pixels("root"), corner, lambda *c: near(c, MOVIE_BACKGROUND)) > 2000
        wait_until(movie_fills_screen, 10, "the movie to fill the screen")
        self.stack.screenshot("root", os.path.join(self.artifacts, "5-fullscreen.png"))
        self.stack.key("Escape")
        wait_until(lambda: self.stack.geometry(player) == windowed, 10, "the window's old place after Esc")

    def close(self):
        self.stack.close_window(self.main)
        self.client.wait(30)
        assert self.client.returncode == 0, f"the client exited with {self.client.returncode}"
        history = os.path.join(os.path.dirname(self.exe), "listview.dat")
        with open(history, "rb") as f:
            lines = f.read().decode("gbk").split("\r\n")
        assert lines == [TITLE, ""], f"the history holds {lines}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--site-root", required=True)
    parser.add_argument("--catalogue-host", required=True)
    parser.add_argument("--catalogue-port", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--ruffle", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    if args.catalogue_host != "127.0.0.1":
        print(f"e2e: skipped: the client was built for the catalogue on {args.catalogue_host}")
        return 77
    artifacts = os.path.join(args.work, "artifacts")
    os.makedirs(artifacts, exist_ok=True)
    history = os.path.join(os.path.dirname(args.exe), "listview.dat")
    if os.path.exists(history):
        os.remove(history)
    client_log = os.path.join(args.work, "client.log")
    try:
        with Stack(args.work, args.site_root, args.catalogue_port, args.password, args.ruffle) as stack, \
                open(client_log, "w") as log:
            run = Run(stack, os.path.abspath(args.exe), artifacts)
            try:
                run.start_client(log)
                run.open_category()
                run.open_detail_page()
                run.full_screen(run.play())
                run.close()
            except (AssertionError, subprocess.TimeoutExpired):
                if run.main:
                    stack.screenshot("root", os.path.join(artifacts, "failure.png"))
                print("e2e: site requests:\n" + "\n".join(" ".join(r) for r in stack.requests()))
                print("e2e: catalogue statements:\n" + "\n".join(stack.statements()))
                raise
    except PortTaken as error:
        print(f"e2e: skipped: {error}")
        return 77
    except (AssertionError, subprocess.TimeoutExpired):
        with open(client_log, encoding="utf-8", errors="replace") as f:
            print("e2e: client output:\n" + f.read())
        raise
    print(f"e2e: played {TITLE} from the tree, toggled full screen, saved the history; screenshots in {artifacts}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
