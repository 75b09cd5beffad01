"use strict";

// The movie control's page: hosts Ruffle, routes its network access through
// the application and carries out the control's commands.
(() => {
    const movie = new URLSearchParams(location.search).get("movie");

    // Events for the application, read from the console by the control.
    function report(event, detail) {
        console.log("zirrabee:" + JSON.stringify(Object.assign({ event }, detail)));
    }

    let player = null;

    function fail(text) {
        const message = document.getElementById("message");
        if (!message.hidden)
            return;
        message.textContent = text;
        message.hidden = false;
        if (player)
            player.style.visibility = "hidden";
        report("failed", { message: text });
    }

    // The site sends no CORS headers, so http(s) goes through the
    // application's proxy, which lives on this page's own scheme.
    function routed(url) {
        if (url.protocol !== "http:" && url.protocol !== "https:")
            return url;
        return new URL("/web/" + url.protocol.slice(0, -1) + "/" + url.host + url.pathname + url.search,
                       location.origin);
    }

    function responseHeaders(xhr, url) {
        const headers = new Headers();
        for (const line of xhr.getAllResponseHeaders().split(/\r?\n/)) {
            const colon = line.indexOf(":");
            if (colon > 0)
                headers.append(line.slice(0, colon).trim(), line.slice(colon + 1).trim());
        }
        if (url.pathname.endsWith(".wasm"))
            headers.set("content-type", "application/wasm");
        return headers;
    }

    // Qt 6.4's fetch() cannot reach a custom scheme (the scheme flag for it
    // came with Qt 6.6): requests for this scheme go through XHR instead.
    const nativeFetch = window.fetch.bind(window);
    window.fetch = async (input, init) => {
        const request = input instanceof Request ? input : null;
        const address = new URL(request ? request.url : String(input), document.baseURI);
        const target = routed(address);
        if (target.protocol !== location.protocol)
            return nativeFetch(input, init);
        const method = (init && init.method) || (request ? request.method : "GET");
        let body = init && init.body !== undefined ? init.body : null;
        if (body === null && request && method !== "GET" && method !== "HEAD")
            body = await request.arrayBuffer();
        const isMovie = movie !== null && address.href === new URL(movie).href;
        return new Promise((resolve, reject) => {
            const xhr = new XMLHttpRequest();
            xhr.open(method, target.href);
            xhr.responseType = "arraybuffer";
            xhr.onload = () => {
                const response = new Response(xhr.response, {
                    status: xhr.status || 200,
                    statusText: xhr.statusText,
                    headers: responseHeaders(xhr, target),
                });
                // Ruffle takes the movie's own address from the response.
                Object.defineProperty(response, "url", { value: address.href });
                resolve(response);
            };
            xhr.onerror = () => {
                if (isMovie)
                    fail("这个动画无法载入。\n" + address.href);
                reject(new TypeError("Failed to fetch " + address.href));
            };
            xhr.send(body);
        });
    };

    window.RufflePlayer = window.RufflePlayer || {};
    window.RufflePlayer.config = {
        autoplay: "on",
        unmuteOverlay: "hidden",
        splashScreen: false,
        contextMenu: "on",
        allowScriptAccess: true,
        allowFullscreen: false,
        upgradeToHttps: false,
        warnOnUnsupportedContent: false,
        polyfills: false,
        quality: "high",
        scale: "showAll",
        logLevel: "error",
    };

    let movieLoaded;
    let queue = new Promise(resolve => { movieLoaded = resolve; });

    // Ruffle's API has no frame commands. Its context menu carries Flash's own
    // Play (a toggle of the main timeline, checked while it plays), Rewind and
    // Back (disabled on frame 1) and Forward for movies of more than one frame,
    // so the commands run those items without showing the menu. Pausing goes
    // through the same toggle: suspending the player would take the items away.
    // Labels are English: the profile pins it.
    const hiddenMenu = document.createElement("style");
    hiddenMenu.textContent = "#context-menu-overlay { visibility: hidden; }";
    const nextTask = () => new Promise(resolve => setTimeout(resolve, 0));
    const nextFrame = () => new Promise(resolve => requestAnimationFrame(resolve));

    // Opens a fresh menu and reads the timeline's state from it; with `act`,
    // clicks the item it picks. The menu's items act during the click, so the
    // next fresh menu already shows the result.
    async function withMenu(act) {
        // The previous item closes its menu after acting; a menu opened before that would be stale.
        await nextTask();
        player.shadowRoot.appendChild(hiddenMenu);
        try {
            player.dispatchEvent(new MouseEvent("contextmenu", { bubbles: true, cancelable: true }));
            const items = [...player.shadowRoot.querySelectorAll("#context-menu > li.menu-item")];
            const find = label => items.find(li => li.dataset.text === label);
            const enabled = label => !!find(label) && !find(label).classList.contains("disabled");
            const play = find("Play");
            const state = {
                hasTimeline: !!play,
                playing: !!play && play.classList.contains("checked"),
                pastFirstFrame: enabled("Back"),
                enabled,
            };
            const label = act ? act(state) : null;
            if (label && enabled(label))
                find(label).click();
            else
                document.documentElement.click();
            return state;
        } finally {
            hiddenMenu.remove();
        }
    }

    // A movie script may start the timeline again; give up after a few tries
    // rather than fight it forever.
    const attempts = 4;

    // Runs `step` on fresh menus until it asks for nothing more.
    async function settle(step) {
        for (let i = 0; i < attempts; ++i) {
            let acted = false;
            await withMenu(state => {
                const label = state.hasTimeline ? step(state) : null;
                acted = !!label;
                return label;
            });
            if (!acted)
                return;
        }
    }

    const pause = () => settle(state => state.playing ? "Play" : null);

    // One step, then halted like Flash's own Forward and Back.
    async function stepFrame(label) {
        await withMenu(() => label);
        await pause();
    }

    const commands = {
        async play() {
            if (!player.isPlaying)
                player.play();
            await settle(state => state.playing ? null : "Play");
        },
        stopPlay: pause,
        // Rewind goes to frame 1 and halts; on frame 1 it is disabled and the
        // movie may still be playing, so the Play toggle halts it there.
        rewind: () => settle(state => state.enabled("Rewind") ? "Rewind" : state.playing ? "Play" : null),
        back: () => stepFrame("Back"),
        forward: () => stepFrame("Forward"),
    };

    // Halting the root timeline before its first frame has run would keep that
    // frame from ever showing, so commands wait until the timeline has left
    // frame 1 or was halted there by the movie itself. The menu may lack the
    // timeline for a moment after the metadata. A movie that keeps looping on
    // frame 1, or hides its menu, gets the span of some of its frames.
    async function timelineStarted() {
        const metadata = player.metadata || {};
        if (!(metadata.numFrames > 1))
            return;
        const frameMs = 1000 / (metadata.frameRate || 12);
        const since = await nextFrame();
        for (;;) {
            const state = await withMenu();
            if (state.hasTimeline && (!state.playing || state.pastFirstFrame))
                return;
            if (await nextFrame() - since > 20 * frameMs)
                return;
        }
    }

    // Commands wait for the movie, in the order they were given.
    window.zirrabee = {
        command(name) {
            queue = queue.then(() => commands[name]()).catch(error => console.error(error));
        },
    };

    function start() {
        player = window.RufflePlayer.newest().createPlayer();
        player.addEventListener("loadedmetadata", async () => {
            report("loaded", {});
            await timelineStarted();
            movieLoaded();
        });
        player.onFSCommand = (command, args) => report("fscommand", { command, args: String(args) });
        // Ruffle's own error panel (a file that is no movie, among others) is
        // English and full of links: ours replaces it.
        new MutationObserver(() => {
            if (player.shadowRoot.getElementById("panic"))
                fail("这个动画无法播放。\n" + movie);
        }).observe(player.shadowRoot, { childList: true, subtree: true });
        document.body.appendChild(player);
        player.load({ url: movie, base: new URL(".", movie).href })
            .catch(error => fail("这个动画无法载入。\n" + String(error)));
    }

    document.addEventListener("DOMContentLoaded", () => {
        if (!movie)
            return;
        const script = document.createElement("script");
        script.src = "ruffle/ruffle.js";
        script.onload = start;
        script.onerror = () => fail("动画播放器无法启动。");
        document.head.appendChild(script);
    });
})();
