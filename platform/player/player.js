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
    // Play (a toggle of the main timeline), Rewind, Forward and Back for movies
    // of more than one frame, so the commands run those items without showing
    // the menu. Pausing goes through the same toggle: suspending the player
    // would take the items away. Labels are English: the profile pins it.
    const hiddenMenu = document.createElement("style");
    hiddenMenu.textContent = "#context-menu-overlay { visibility: hidden; }";
    const nextTask = () => new Promise(resolve => setTimeout(resolve, 0));
    const nextFrame = () => new Promise(resolve => requestAnimationFrame(() => resolve()));

    async function runMenuItem(label, wanted) {
        player.shadowRoot.appendChild(hiddenMenu);
        try {
            player.dispatchEvent(new MouseEvent("contextmenu", { bubbles: true, cancelable: true }));
            const item = [...player.shadowRoot.querySelectorAll("#context-menu > li.menu-item")]
                .find(li => li.dataset.text === label);
            // The item runs after its click; closing the menu before that would cancel it.
            if (item && !item.classList.contains("disabled") && wanted(item))
                item.click();
            else
                document.documentElement.click();
        } finally {
            hiddenMenu.remove();
        }
        // The next command opens the menu anew, which must wait until this item has acted.
        await nextTask();
    }

    const isChecked = item => item.classList.contains("checked");
    const commands = {
        play() {
            if (!player.isPlaying)
                player.play();
            return runMenuItem("Play", item => !isChecked(item));
        },
        stopPlay: () => runMenuItem("Play", isChecked),
        // Rewind is disabled on the first frame, where the movie may still be playing.
        async rewind() {
            await runMenuItem("Rewind", () => true);
            await runMenuItem("Play", isChecked);
        },
        back: () => runMenuItem("Back", () => true),
        forward: () => runMenuItem("Forward", () => true),
    };

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
            // Ruffle shows the first frame on the coming animation frames; a
            // command that came first must not stop the movie before it.
            await nextFrame();
            await nextFrame();
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
