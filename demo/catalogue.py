#!/usr/bin/env python3
"""Writes the demo: the catalogue as SQL, and the site with its animations.

    catalogue.py --site-root http://127.0.0.1:8180/ OUT

OUT/catalogue.sql creates the database the client reads; OUT/site/ is the web
site to serve at the site root's host and port. The output depends only on the
arguments, so a database loaded from it once can be kept.
"""

import argparse
import html
import os
import shutil
import urllib.parse

import movies
from titles import BLURBS, CLASSES, GROUPS

# Cartoons carry five-digit numbers, like the site's later items.
FIRST_ID = 1001
FIRST_CARTOON_ID = 20001
CARTOON_CLASS = 60
TALENT_GROUP = 5
# Titles with the tune in their movie.
WITH_SOUND = {"两只老虎"}
# A one-pixel transparent GIF: the page counter's answer.
COUNTER_GIF = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b")


class Item:
    def __init__(self, item_id, classid, title, flashurl, newstime, onclick, movie):
        self.id, self.classid, self.title, self.flashurl = item_id, classid, title, flashurl
        self.newstime, self.onclick, self.movie = newstime, onclick, movie


def build_items(site_root):
    items = []
    next_id, next_cartoon = FIRST_ID, FIRST_CARTOON_ID
    for classid, _, _, folder, titles in CLASSES:
        for title in filter(None, titles.split("|")):
            if classid == CARTOON_CLASS:
                item_id, next_cartoon = next_cartoon, next_cartoon + 1
            else:
                item_id, next_id = next_id, next_id + 1
            path = f"d/file/{folder}{item_id}.swf"
            # Older items name their movie with the full address.
            flashurl = site_root + path if item_id % 5 == 0 else path
            onclick = (item_id * 7919) % 5000 + 100
            frames = 48 + (item_id % 4) * 60
            items.append(Item(item_id, classid, title, flashurl, 1262304000 + len(items) * 86400, onclick,
                              (item_id % len(movies.PALETTES), frames, title in WITH_SOUND)))
    return items


def sql_text(value):
    return "'" + value.replace("\\", "\\\\").replace("'", "''") + "'"


def write_sql(path, items):
    rows = [f"  ({c}, {p}, {sql_text(n)}, {0 if c < 10 else 1}, {sql_text(f.rstrip('/'))}, {c % 10})"
            for c, p, n, f in GROUPS + [row[:4] for row in CLASSES]]
    games = [f"  ({i.id}, {i.classid}, {i.onclick}, {i.newstime}, 'admin', {sql_text(i.title)}, "
             f"{sql_text(i.flashurl)}, {sql_text(BLURBS[group_of(i.classid)])})" for i in items]
    with open(path, "w", encoding="utf-8") as f:
        f.write("""-- The demo catalogue, loaded after tests/mariadb/schema.sql.
USE kelvoro;

""")
        f.write("INSERT INTO `morrowick_enewsclass` (`classid`, `bclassid`, `classname`, `islast`, `classpath`, "
                "`myorder`) VALUES\n" + ",\n".join(rows) + ";\n\n")
        f.write("INSERT INTO `morrowick_ecms_game` (`id`, `classid`, `onclick`, `newstime`, `username`, `title`, "
                "`flashurl`, `smalltext`) VALUES\n" + ",\n".join(games) + ";\n")


def group_of(classid):
    return next(p for c, p, *_ in CLASSES if c == classid)


class Site:
    """The site's pages, written under one folder."""

    def __init__(self, out, site_root, items):
        self.out = out
        self.base = urllib.parse.urlsplit(site_root).path
        self.items = items
        self.classes = {c: (p, n, f) for c, p, n, f, _ in CLASSES}
        self.by_class = {}
        for item in items:
            self.by_class.setdefault(item.classid, []).append(item)

    def write(self, relative, text):
        path = os.path.join(self.out, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)

    def link(self, relative):
        return html.escape(self.base + relative)

    def detail(self, item):
        folder = self.classes[item.classid][2]
        return f"{folder}{item.id}{'.htm' if item.classid == CARTOON_CLASS else '.html'}"

    def play(self, item):
        return f"{self.classes[item.classid][2]}{item.id}_play.html"

    def page(self, title, body, counter=False):
        nav = [("", "首页", "home")] + [(f, n, f"g{c}") for c, _, n, f in GROUPS[:4]] + [
            ("donghuapian/", "动画片", "g0"), ("caiyizhanshi/", "才艺展示", "g5"), ("s/n180.html", "最新", "new"),
            ("s/h180.html", "热门", "hot"), ("s/T180.html", "推荐", "top")]
        links = "".join(f'<a class="{css}" href="{self.link(f)}">{n}</a>' for f, n, css in nav)
        counter_js = (f'<script>window.addEventListener("load", function () {{ new Image().src = '
                      f'"{self.base}count.gif?page=" + encodeURIComponent(location.pathname) + "&t=" + Date.now(); }});'
                      f'</script>') if counter else ""
        return f"""<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<title>{html.escape(title)} - Zirrabee儿歌网</title>
<link rel="stylesheet" href="{self.link('style.css')}">
{counter_js}
</head>
<body>
<header>
  <div class="sun"></div><div class="cloud c1"></div><div class="cloud c2"></div>
  <a class="logo" href="{self.link('')}">Zirrabee<span>儿歌网</span></a>
  <div class="slogan">快乐童年 · 从这里开始</div>
</header>
<nav>{links}</nav>
<main>
{body}
</main>
<footer>Zirrabee儿歌网 · 给孩子一个快乐的童年 · <a href="{self.link('info/about.html')}">关于我们</a>
 · 小朋友每天看屏幕不要超过半小时哦</footer>
</body>
</html>
"""

    def cards(self, items, limit=None):
        shown = items[:limit] if limit else items
        return '<ul class="cards">' + "".join(
            f'<li class="k{n % 6}"><a href="{self.link(self.detail(item))}">'
            f'<span class="pic"></span><span class="name">{html.escape(item.title)}</span></a></li>'
            for n, item in enumerate(shown)) + "</ul>"

    def write_all(self):
        self.write_home()
        self.write_lists()
        for classid, parent, name, folder in GROUPS:
            self.write_group(classid, name, folder)
        self.write_group(CARTOON_CLASS, "动画片", "donghuapian/")
        for classid, (parent, name, folder) in self.classes.items():
            if classid != CARTOON_CLASS:
                self.write_class(classid, name, folder)
        for item in self.items:
            self.write_detail(item)
            self.write_play(item)
        self.write_about()
        shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "style.css"),
                    os.path.join(self.out, "style.css"))
        with open(os.path.join(self.out, "count.gif"), "wb") as f:
            f.write(COUNTER_GIF)

    def featured(self):
        return self.by_class[CARTOON_CLASS][0]

    def write_home(self):
        star = self.featured()
        sections = []
        for classid, _, name, folder in GROUPS[:4]:
            items = [i for c, (p, *_) in self.classes.items() if p == classid for i in self.by_class.get(c, [])]
            sections.append(f'<section class="g{classid}"><h2><a href="{self.link(folder)}">{name}</a>'
                            f'<a class="more" href="{self.link(folder)}">更多 »</a></h2>{self.cards(items[::3], 8)}</section>')
        cartoons = self.by_class[CARTOON_CLASS]
        sections.append(f'<section class="g0"><h2><a href="{self.link("donghuapian/")}">动画片</a>'
                        f'<a class="more" href="{self.link("donghuapian/")}">更多 »</a></h2>'
                        f'{self.cards(cartoons[::4], 8)}</section>')
        newest = sorted(self.items, key=lambda i: -i.newstime)[:10]
        hot = sorted(self.items, key=lambda i: -i.onclick)[:10]
        side = "".join(f'<div class="box"><h3>{h}</h3><ol>' + "".join(
            f'<li><a href="{self.link(self.detail(i))}">{html.escape(i.title)}</a></li>' for i in lst) + "</ol></div>"
            for h, lst in (("最新上架", newest), ("大家都在看", hot)))
        body = f"""<div class="banner">
  <div class="screen k2"><span class="bounce b1"></span><span class="bounce b2"></span><span class="bounce b3"></span></div>
  <div class="words">
    <div class="tag">今日推荐</div>
    <h1>{html.escape(star.title)}</h1>
    <p>森林里的小火车又出发啦！快和小动物们一起去旅行吧。</p>
    <a class="playbutton" id="featured" href="{self.link(self.play(star))}" target="_blank">▶ 立即播放</a>
    <a class="softbutton" href="#" onclick="window.open('{self.link('info/about.html')}', 'notice',
       'width=520,height=420'); return false;">家长须知</a>
  </div>
</div>
<div class="columns"><div class="wide">{''.join(sections)}</div><aside>{side}</aside></div>"""
        self.write("index.html", self.page("首页", body, counter=True))

    def write_lists(self):
        pages = {
            "s/n180.html": ("最新儿歌动画", sorted(self.items, key=lambda i: -i.newstime)[:36]),
            "s/h180.html": ("热门排行", sorted(self.items, key=lambda i: -i.onclick)[:36]),
            "s/T180.html": ("小编推荐", self.items[::9]),
        }
        for path, (title, items) in pages.items():
            self.write(path, self.page(title, f'<section class="g1"><h2>{title}</h2>{self.cards(items)}</section>'))

    def write_group(self, classid, name, folder):
        if classid == CARTOON_CLASS:
            body = (f'<section class="g0"><h2>动画片</h2>{self.cards(self.by_class[classid])}</section>')
        else:
            parts = []
            for c, (p, n, f) in self.classes.items():
                if p != classid:
                    continue
                items = self.by_class.get(c, [])
                content = self.cards(items, 6) if items else '<p class="empty">节目正在准备中，敬请期待！</p>'
                parts.append(f'<section class="g{classid}"><h2><a href="{self.link(f)}">{n}</a>'
                             f'<a class="more" href="{self.link(f)}">全部 »</a></h2>{content}</section>')
            body = f'<div class="crumb"><a href="{self.link("")}">首页</a> › {name}</div>' + "".join(parts)
        self.write(folder + "index.html", self.page(name, body))

    def write_class(self, classid, name, folder):
        parent, *_ = self.classes[classid]
        group = next((n, f) for c, _, n, f in GROUPS if c == parent)
        items = self.by_class.get(classid, [])
        content = self.cards(items) if items else '<p class="empty">节目正在准备中，敬请期待！</p>'
        body = (f'<div class="crumb"><a href="{self.link("")}">首页</a> › <a href="{self.link(group[1])}">{group[0]}</a>'
                f' › {name}</div><section class="g{parent}"><h2>{name}</h2>{content}</section>')
        self.write(folder + "index.html", self.page(name, body))

    def write_detail(self, item):
        parent, name, folder = self.classes[item.classid]
        siblings = [i for i in self.by_class[item.classid] if i is not item]
        # Every third play link opens in a new window, as the site's older pages do.
        target = ' target="_blank"' if item.id % 3 == 0 else ""
        body = f"""<div class="crumb"><a href="{self.link('')}">首页</a> › <a href="{self.link(folder)}">{name}</a>
 › {html.escape(item.title)}</div>
<div class="columns"><div class="wide">
<a class="stage k{item.id % 6}" id="play" href="{self.link(self.play(item))}"{target}>
  <span class="bounce b1"></span><span class="bounce b2"></span><span class="bounce b3"></span>
  <span class="bigplay">▶</span><span class="hint">点击播放《{html.escape(item.title)}》</span>
</a>
<div class="about-item g{parent}">
  <h1>{html.escape(item.title)}</h1>
  <p class="meta">分类：{name} · 已播放 {item.onclick} 次</p>
  <p>{BLURBS[parent]}</p>
</div>
</div>
<aside><div class="box"><h3>{name} · 更多精彩</h3><ol>""" + "".join(
            f'<li><a href="{self.link(self.detail(i))}">{html.escape(i.title)}</a></li>' for i in siblings[:12]) + \
            "</ol></div></aside></div>"
        self.write(self.detail(item), self.page(item.title, body))

    def write_play(self, item):
        movie = item.flashurl if item.flashurl.startswith("http") else self.base + item.flashurl
        body = f"""<div class="crumb"><a href="{self.link(self.detail(item))}">« 返回 {html.escape(item.title)}</a></div>
<div class="flash"><embed src="{html.escape(movie)}" type="application/x-shockwave-flash" width="640" height="480"></div>
<script>window.RufflePlayer = {{ config: {{ autoplay: "on", unmuteOverlay: "hidden" }} }};</script>
<script src="{self.base}ruffle/ruffle.js"></script>"""
        self.write(self.play(item), self.page(item.title, body))

    def write_about(self):
        body = """<section class="g3 prose"><h2>关于Zirrabee儿歌网</h2>
<p>Zirrabee儿歌网是一个给小朋友的网站：儿歌、故事、学知识的小动画和益智小游戏，全部免费观看。</p>
<p>我们希望每一首儿歌都好听，每一个故事都温暖，让爸爸妈妈放心，让小朋友开心。</p>
<h3>家长须知</h3>
<ul><li>建议家长陪同孩子一起观看。</li><li>每次观看不超过半小时，记得让眼睛休息一下。</li>
<li>才艺展示栏目欢迎小朋友投稿，请家长代为上传。</li></ul>
<p>联系我们：hello@zirrabee.example</p></section>"""
        self.write("info/about.html", self.page("关于我们", body))


def write_movies(out, site_root, items):
    made = {}
    for item in items:
        if item.movie not in made:
            variant, frames, sound = item.movie
            made[item.movie] = movies.animation(variant, frames, sound=sound)
        path = os.path.join(out, item.flashurl.removeprefix(site_root))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(made[item.movie])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--site-root", default="http://127.0.0.1:8180/")
    args = parser.parse_args()
    if not args.site_root.endswith("/"):
        parser.error("the site root ends in /")
    items = build_items(args.site_root)
    os.makedirs(args.out, exist_ok=True)
    write_sql(os.path.join(args.out, "catalogue.sql"), items)
    site = os.path.join(args.out, "site")
    shutil.rmtree(site, ignore_errors=True)
    # The site's own folder lies under the server's root when the site root has a path.
    pages = os.path.join(site, urllib.parse.urlsplit(args.site_root).path.strip("/"))
    Site(pages, args.site_root, items).write_all()
    write_movies(pages, args.site_root, items)
    print(f"demo: {len(items)} titles in {len(CLASSES)} classes, site in {site}")


if __name__ == "__main__":
    main()
