#!/usr/bin/env python3
"""Runs the built zentavo over a table of video names inside a test web site, then proves what it
wrote in real clients.

  check_pages.py xmllint ZENTAVO   every script is well-formed for libxml2, with the right structure
  check_pages.py browser ZENTAVO   every page, served on loopback, works in headless Chromium

Exit status 0 when every check passes, 1 when one fails, 77 when a tool is missing (skipped),
except with CI=true in the environment, where a missing tool is a failure.
"""

import functools
import html
import http.server
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
CHROMIUM = "/usr/bin/chromium"

# Names people use; double quotes and angle brackets are legal in Linux file names.
NAMES = [
    "clip",
    "Rock & Roll",
    "Director's Cut",
    "100% Pure",
    "my holiday in the mountains",
    'He said "<wow>"',
    "Caf\u00e9 \u00e0 Z\u00fcrich",
]

# The video plug-in's attributes, as the template writes them.
PLUGIN_ATTRIBUTES = {
    "name": "video",
    "keep": "true",
    "url": "%SWFPATH%/plugins/videoplayer.swf",
    "alturl": "%SWFPATH%/plugins/videoplayer.js",
    "videourl": "{name}.mp4",
    "panovideo": "true",
    "pausedonstart": "false",
    "loop": "false",
    "volume": "1.0",
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def missing(tool):
    print(f"{tool} is missing: these checks are skipped")
    sys.exit(1 if os.environ.get("CI") == "true" else 77)


def build_site(root, zentavo):
    """The site layout the generated files expect, with one video folder of generated pages."""
    os.makedirs(os.path.join(root, "VR", "xsl3v"))
    os.makedirs(os.path.join(root, "VR", "style"))
    shutil.copy(os.path.join(HERE, "krpano.js"), os.path.join(root, "VR", "xsl3v", "krpano.js"))
    for image in ("playpause.png", "back4d.png"):
        with open(os.path.join(root, "VR", "style", image), "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
    videos = os.path.join(root, "videos")
    os.makedirs(videos)
    for name in NAMES:
        with open(os.path.join(videos, name + ".mp4"), "wb") as f:
            f.write(b"not really a video")
        run = subprocess.run([zentavo, name + ".mp4"], cwd=videos, capture_output=True)
        check(run.returncode == 0, f"{name!r}: zentavo exited with {run.returncode}: {run.stdout!r}")
    return videos


def xmllint_string(path, xpath):
    run = subprocess.run(["xmllint", "--xpath", xpath, path], capture_output=True)
    return run.stdout.decode("utf-8").removesuffix("\n")


def check_scripts(videos):
    for name in NAMES:
        path = os.path.join(videos, name + ".xml")
        lint = subprocess.run(["xmllint", "--noout", path], capture_output=True)
        check(lint.returncode == 0, f"{name!r}: xmllint --noout: {lint.stderr!r}")
        expected = {
            "name(/*)": "krpano",
            "count(/krpano/scene)": "1",
            "string(/krpano/scene/@name)": "video3d",
            "string(/krpano/xmlscript/@name)": name + ".xml",
            "string(/krpano/window/@title)": f"3D Video Play: {name}.mp4",
            "count(/krpano/scene/plugin)": "1",
            "count(/krpano/scene/plugin/@*)": str(len(PLUGIN_ATTRIBUTES)),
        }
        for attribute, value in PLUGIN_ATTRIBUTES.items():
            expected[f"string(/krpano/scene/plugin/@{attribute})"] = value.format(name=name)
        for xpath, value in expected.items():
            got = xmllint_string(path, xpath)
            check(got == value, f"{name!r}: {xpath} is {got!r}, not {value!r}")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def load_page(url, profile):
    """The page's DOM after its scripts ran, from headless Chromium, which is always stopped."""
    command = [
        CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
        "--no-first-run", "--disable-background-networking", "--disable-component-update",
        "--disable-sync", f"--user-data-dir={profile}", "--virtual-time-budget=10000",
        "--dump-dom", url,
    ]
    browser = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        out, _ = browser.communicate(timeout=60)
        return out.decode("utf-8")
    except subprocess.TimeoutExpired:
        return ""
    finally:
        # Chromium starts helper processes; end the whole group.
        try:
            os.killpg(browser.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        browser.wait()


def check_pages(site, videos):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        port = server.server_address[1]
        for name in NAMES:
            url = f"http://127.0.0.1:{port}/videos/{urllib.parse.quote(name)}.htm"
            with tempfile.TemporaryDirectory(prefix="zentavo-chromium-") as profile:
                dom = load_page(url, profile)
            found = re.search(r'<pre id="viewer-record">(.*?)</pre>', dom, re.S)
            check(found is not None, f"{name!r}: the page published no record")
            if not found:
                continue
            record = json.loads(html.unescape(found.group(1)))
            check_record(name, record)
    finally:
        server.shutdown()
        server.server_close()
        thread.join()


def check_record(name, record):
    def expect(key, value):
        check(record.get(key) == value, f"{name!r}: {key} is {record.get(key)!r}, not {value!r}")

    expect("title", f"Video Clip: {name}")
    expect("options", {
        "swf": "/VR/xsl3v/krpano.swf",
        "xml": name + ".xml",
        "target": "pano",
        "html5": "prefer+webgl",
        "mobilescale": 1,
        "passQueryParameters": True,
    })
    expect("targetExists", True)
    expect("status", 200)
    expect("parseError", None)
    expect("root", "krpano")
    expect("xmlscript", name + ".xml")
    expect("windowTitle", f"3D Video Play: {name}.mp4")
    expect("scenes", ["video3d"])
    expect("videourl", name + ".mp4")
    expect("hotspots", [
        {"name": "control", "url": "/VR/style/playpause.png", "zorder": "5"},
        {"name": "goback", "url": "/VR/style/back4d.png", "zorder": "4"},
    ])


def main():
    mode, zentavo = sys.argv[1], os.path.abspath(sys.argv[2])
    if mode == "xmllint" and shutil.which("xmllint") is None:
        missing("xmllint (Debian package libxml2-utils)")
    if mode == "browser" and not os.access(CHROMIUM, os.X_OK):
        missing(f"{CHROMIUM} (Debian package chromium)")
    with tempfile.TemporaryDirectory(prefix="zentavo-site-") as site:
        videos = build_site(site, zentavo)
        if mode == "xmllint":
            check_scripts(videos)
        else:
            check_pages(site, videos)
    print(f"{len(NAMES)} names checked with {mode}, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
