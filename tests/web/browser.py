"""Debian's headless Chromium for the page's tests and benchmark: a fresh
profile, downloads into a given folder, a given time zone, and no network (a
proxy that nothing answers, background services off), with every request the
page makes logged for the tests to read."""

import collections
import json
import os
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Chromium drops a frame's download, without a word, when ten came within
# the second before it: a guard against pages that flood the disk. A person
# never asks that fast; a test's clicks can.
DOWNLOADS_PER_BURST = 10
BURST_SECONDS = 1.0

CHROMIUM = os.environ.get("ORDELIX_CHROMIUM", "/usr/bin/chromium")
CHROMEDRIVER = os.environ.get("ORDELIX_CHROMEDRIVER", "/usr/bin/chromedriver")


class Browser:
    def __init__(self, downloads, tz="UTC", width=1280, height=1000):
        self.profile = tempfile.mkdtemp(prefix="ordelix-chromium-")
        self.downloads = downloads
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--disable-default-apps", "--disable-extensions", "--lang=en-US",
                     "--proxy-server=127.0.0.1:9", "--proxy-bypass-list=<-loopback>",
                     f"--user-data-dir={self.profile}", f"--window-size={width},{height}"):
            options.add_argument(flag)
        options.add_experimental_option("prefs", {
            "download.default_directory": downloads,
            "download.prompt_for_download": False,
            "download.directory_upgrade": True,
            "safebrowsing.enabled": False,
            "profile.default_content_setting_values.automatic_downloads": 1,
        })
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        env = dict(os.environ, TZ=tz, LANG="en_US.UTF-8")
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER, env=env), options=options)
        # Headless Chromium saves downloads only where it is told to over DevTools.
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": downloads})
        self.download_asks = collections.deque(maxlen=DOWNLOADS_PER_BURST - 1)

    def ask_for_download(self, action):
        """Runs `action`, a click or key that makes the page download, once
        the ninth such action before it is over a second old, so that
        Chromium never sees ten in the second before a download."""
        if len(self.download_asks) == self.download_asks.maxlen:
            # A tenth of a second for the time from the action to the page's request.
            time.sleep(max(0.0, self.download_asks[0] + BURST_SECONDS + 0.1 - time.monotonic()))
        self.download_asks.append(time.monotonic())
        action()

    def open(self, path):
        self.driver.get("file://" + os.path.abspath(path))

    def requests(self):
        """URLs of every request the page and its workers made since the last call."""
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message.get("method") == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        return urls

    def console_errors(self):
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]

    def wait_for(self, script, timeout=60, interval=0.05, *args):
        """Runs `script` (a body that returns) until it returns something true."""
        end = time.monotonic() + timeout
        while True:
            value = self.driver.execute_script(script, *args)
            if value:
                return value
            if time.monotonic() > end:
                raise TimeoutError(f"waited {timeout} s for: {script}")
            time.sleep(interval)

    def quit(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def wait_for_download(folder, name, timeout=60):
    """The bytes of `name` once Chromium has finished writing it into folder."""
    return wait_for_any_download(folder, [name], timeout)[1]


def wait_for_any_download(folder, names, timeout=60):
    """(name, bytes) of the first of `names` that Chromium has finished
    writing into folder."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for name in names:
            path = os.path.join(folder, name)
            if os.path.exists(path) and not os.path.exists(path + ".crdownload"):
                with open(path, "rb") as f:
                    return name, f.read()
        time.sleep(0.05)
    raise TimeoutError(f"none of {names} downloaded in {folder}: {sorted(os.listdir(folder))}")
