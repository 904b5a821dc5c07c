"""Drives velmora.exe under Wine as a person would: xdotool clicks and keys on
the build tree's Xvfb display, window-tree to read windows and message boxes
back, and reg export to see what reached the registry.

Every external call has a timeout: a box nobody answers would otherwise hang
the run.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time

TITLE = "Quellmarsh"
BOX_CLASS = "#32770"
# Message box controls as Wine and Windows number them.
BOX_TEXT_ID = 0xFFFF
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
# Longer than a key name may be, so opening the key to write fails.
LONG_KEY_NAME = "x" * 300


class Failure(Exception):
    pass


_ESCAPES = {b"n": b"\n", b"r": b"\r", b"t": b"\t"}


def _unescape(quoted):
    """window-tree's escapes over UTF-8 text back to a string."""
    def one(match):
        code = match.group(1)
        return bytes([int(code[1:], 16)]) if code[:1] == b"x" else _ESCAPES.get(code, code)
    return re.sub(rb"\\(x[0-9A-Fa-f]{2}|.)", one, quoted.encode("utf-8"),
                  flags=re.S).decode("utf-8", "replace")


_LINE = re.compile(
    r'^( *)class="((?:[^"\\]|\\.)*)" text="((?:[^"\\]|\\.)*)" id=(-?\d+) '
    r'bounds=(-?\d+),(-?\d+),(-?\d+),(-?\d+) screen=(-?\d+),(-?\d+) '
    r'visible=(\d) enabled=(\d)(?: checked=(\d+))?$')


class Window:
    """One native window of a window-tree listing."""

    def __init__(self, match, parent):
        g = match.groups()
        self.depth = len(g[0]) // 2
        self.cls, self.text = _unescape(g[1]), _unescape(g[2])
        self.id = int(g[3])
        self.x, self.y, self.width, self.height = map(int, g[4:8])
        self.sx, self.sy = int(g[8]), int(g[9])
        self.visible, self.enabled = g[10] == "1", g[11] == "1"
        self.checked = None if g[12] is None else int(g[12])
        self.parent = parent
        self.children = []
        # What a person sees: the part of the window inside every ancestor,
        # when all of them are visible. Cards not on show are squeezed to
        # nothing or moved out of their panel.
        left, top = self.sx, self.sy
        right, bottom = left + self.width, top + self.height
        if parent is not None:
            left, top = max(left, parent.clip[0]), max(top, parent.clip[1])
            right, bottom = min(right, parent.clip[2]), min(bottom, parent.clip[3])
        self.clip = (left, top, right, bottom)
        self.shown = (self.visible and left < right and top < bottom
                      and (parent is None or parent.shown))

    def centre(self):
        return self.sx + self.width // 2, self.sy + self.height // 2

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def find_all(self, cls=None, text=None, shown=None, id=None):
        return [w for w in self.walk()
                if (cls is None or w.cls.lower() == cls.lower())
                and (text is None or w.text == text)
                and (id is None or w.id == id)
                and (shown is None or w.shown == shown)]

    def find(self, cls=None, text=None, shown=True, id=None):
        found = self.find_all(cls, text, shown, id)
        if not found:
            raise Failure(f"no window class={cls} text={text!r} id={id} shown={shown}\n"
                          + self.dump())
        return found[0]

    def dump(self):
        return "\n".join("  " * w.depth + f"{w.cls} {w.text!r} id={w.id} "
                         f"at {w.sx},{w.sy} {w.width}x{w.height} shown={int(w.shown)}"
                         + ("" if w.checked is None else f" checked={w.checked}")
                         for w in self.walk())


def parse_listing(text):
    """Top-level windows of a window-tree listing, each with its descendants."""
    tops, stack = [], []
    for line in text.replace("\r", "").splitlines():
        match = _LINE.match(line)
        if not match:
            raise Failure(f"window-tree printed {line!r}")
        depth = len(match.group(1)) // 2
        del stack[depth:]
        window = Window(match, stack[-1] if stack else None)
        (stack[-1].children if stack else tops).append(window)
        stack.append(window)
    return tops


class Build:
    """The build tree's tools: Wine in its prefix, its display, the programs."""

    def __init__(self, winetool, xdisplay, velmora, window_tree, shots):
        self.winetool, self.velmora, self.window_tree = winetool, velmora, window_tree
        self.shots = shots
        os.makedirs(shots, exist_ok=True)
        record = subprocess.run([xdisplay, "env"], capture_output=True, text=True,
                                timeout=10).stdout
        env = dict(line.split("=", 1) for line in record.split() if "=" in line)
        if "DISPLAY" not in env:
            raise Failure("no test display: run 'build/xdisplay start' first")
        self.env = dict(os.environ, DISPLAY=env["DISPLAY"])

    def wine(self, *args, timeout=60, check=True):
        # Now and then Wine fails to start a program, which then ends with 1
        # and says nothing. Everything run here only reads, or writes what it
        # would write again, so such a start is tried again.
        for attempt in range(3):
            result = self._wine_once(args, timeout)
            if result.returncode == 0 or result.stdout or result.stderr:
                break
            print(f"wine {args[0]} ended with {result.returncode} without a word", flush=True)
        if check and result.returncode != 0:
            raise Failure(f"wine {' '.join(args)} ended with {result.returncode}: "
                          f"{result.stderr.decode(errors='replace')}")
        return result

    def _wine_once(self, args, timeout):
        # Output to files, not pipes: a Wine service that a program starts
        # inherits its handles and would hold a pipe open after it ended.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            try:
                code = subprocess.run([self.winetool, "run", *args], stdout=out, stderr=err,
                                      env=self.env, timeout=timeout,
                                      stdin=subprocess.DEVNULL).returncode
            except subprocess.TimeoutExpired:
                raise Failure(f"wine {' '.join(args)} did not end within {timeout} s")
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(args, code, out.read(), err.read())

    def windows(self, title=None, cls=None, wait_ms=0):
        args = [self.window_tree]
        if title is not None:
            args += ["--title", title]
        if cls is not None:
            args += ["--class", cls]
        if wait_ms:
            args += ["--wait", str(wait_ms)]
        result = self.wine(*args, timeout=wait_ms / 1000 + 30, check=False)
        if result.returncode == 1 and b"no window matched" in result.stderr:
            return []
        if result.returncode != 0:
            raise Failure(f"window-tree ended with {result.returncode}: "
                          f"{result.stderr.decode(errors='replace')}")
        return parse_listing(result.stdout.decode("utf-8"))

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, timeout=20, check=True,
                       stdout=subprocess.DEVNULL)

    def screenshot(self, name, failure=False):
        """A picture of the display, at a failure or when VELMORA_SCREENSHOTS
        is 1; its path, or None when none was taken."""
        if not failure and os.environ.get("VELMORA_SCREENSHOTS") != "1":
            return None
        path = os.path.join(self.shots, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, timeout=30,
                       check=True)
        print("screenshot:", path)
        return path


def _utf16(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


class Scratch:
    """A folder holding the fixture catalogue as the program reads it
    (UTF-16 LE with a byte order mark), and a registry key of its own below
    HKEY_CURRENT_USER\\Software\\velmora-test that the catalogue points at.
    Both go when the scratch is closed."""

    def __init__(self, build, name, values, sources):
        self.build = build
        self.folder = tempfile.mkdtemp(prefix=f"velmora-e2e-{name}-")
        self.subkey = f"Software\\velmora-test\\e2e-{name}-{os.getpid()}"
        self.key = "HKEY_CURRENT_USER\\" + self.subkey
        items = os.path.join(self.folder, "items")
        os.mkdir(items)
        for file in os.listdir(sources):
            with open(os.path.join(sources, file), encoding="utf-8") as source:
                text = source.read().replace("@KEY@", self.key).replace("@LONG@", LONG_KEY_NAME)
            with open(os.path.join(items, file), "wb") as target:
                target.write(_utf16(text))
        self.remove_key()
        self.import_values(values)

    def path(self, name):
        return os.path.join(self.folder, name)

    def windows_path(self, name):
        return "Z:" + self.path(name).replace("/", "\\")

    def import_values(self, values):
        """values: name -> (REG_DWORD, int) or (REG_SZ, str)."""
        lines = ["Windows Registry Editor Version 5.00", "", f"[{self.key}]"]
        for name, (kind, data) in values.items():
            if kind == "REG_DWORD":
                lines.append(f'"{name}"=dword:{data:08x}')
            else:
                lines.append(f'"{name}"="{data}"')
        path = self.path("values.reg")
        with open(path, "wb") as file:
            file.write(_utf16("\r\n".join(lines) + "\r\n\r\n"))
        self.build.wine("reg", "import", self.windows_path("values.reg"))
        os.remove(path)

    def snapshot(self):
        """The scratch tree as reg export writes it, byte for byte."""
        self.build.wine("reg", "export", self.key, self.windows_path("snapshot.reg"), "/y")
        with open(self.path("snapshot.reg"), "rb") as file:
            data = file.read()
        os.remove(self.path("snapshot.reg"))
        return data

    def values(self):
        """The scratch key's values as name -> text of the export."""
        text = self.snapshot().decode("utf-16")
        return dict(re.findall(r'^"([^"]+)"=(.*?)\r?$', text, re.M))

    def remove_key(self):
        self.build.wine("reg", "delete", self.key, "/f", check=False)

    def close(self):
        self.remove_key()
        shutil.rmtree(self.folder, ignore_errors=True)


class Program:
    """One run of velmora.exe, started in a folder as a person starts it."""

    def __init__(self, build, folder, args=(), exe=None):
        self.build = build
        self.process = subprocess.Popen(
            [build.winetool, "run", exe or build.velmora, *args], cwd=folder, env=build.env,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.xid = None

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout} s")

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait(timeout=10)

    # --- the main window

    def window(self, wait_ms=3000):
        if not self.running():
            raise Failure(f"the program ended with exit code {self.process.returncode}")
        tops = self.build.windows(title=TITLE, wait_ms=wait_ms)
        if not tops:
            raise Failure("no main window")
        return tops[0]

    def wait_window(self, timeout=60):
        """Waits for the main window, its views built and visible."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if not self.running():
                raise Failure(f"the program ended with exit code {self.process.returncode} "
                              "before its window appeared")
            tops = self.build.windows(title=TITLE, wait_ms=5000)
            if tops and tops[0].shown and tops[0].find_all("Button", shown=True):
                # The toolkit lays out while no input waits: until then
                # views may still have no width.
                time.sleep(0.3)
                again = self.build.windows(title=TITLE)
                if again and again[0].dump() == tops[0].dump():
                    self.focus()
                    return again[0]
        raise Failure(f"no window titled {TITLE} within {timeout} s")

    def focus(self):
        if self.xid is None:
            found = subprocess.run(
                ["xdotool", "search", "--sync", "--onlyvisible", "--limit", "1", "--name",
                 f"^{TITLE}$"], env=self.build.env, timeout=20, capture_output=True, text=True)
            if not found.stdout.strip():
                raise Failure("the main window has no X window")
            self.xid = found.stdout.split()[0]
        self.build.xdotool("windowfocus", "--sync", self.xid)

    def help_text(self):
        return self.window().find("RichEdit20W").text

    def shown_page(self, names):
        """Which of the category names is the caption of the page on show."""
        win = self.window()
        shown = {w.text for w in win.find_all("Static", shown=True)} & set(names)
        if len(shown) != 1:
            raise Failure(f"not one page caption of {names} on show:\n" + win.dump())
        return shown.pop()

    # --- input

    def click(self, window):
        x, y = window.centre()
        self.click_at(x, y)

    def click_at(self, x, y):
        self.build.xdotool("mousemove", str(x), str(y), "click", "1")

    def point_at(self, x, y):
        self.build.xdotool("mousemove", str(x), str(y))

    def key(self, *keys):
        self.build.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.build.xdotool("type", "--delay", "30", text)

    # --- message boxes and dialogs

    def box(self, title="velmora", timeout_ms=15000):
        """The message box on show, after waiting for it."""
        boxes = [w for w in self.build.windows(title=title, cls=BOX_CLASS, wait_ms=timeout_ms)
                 if w.shown]
        if not boxes:
            raise Failure(f"no box titled {title!r} within {timeout_ms} ms")
        return boxes[0]

    def box_text(self, box):
        return box.find(id=BOX_TEXT_ID).text

    def answer(self, box, button_id):
        self.click(box.find("Button", id=button_id))
        deadline = time.time() + 10
        while time.time() < deadline:
            # The next box may come up where this one was: the text tells.
            if not [w for w in self.build.windows(title=box.text, cls=BOX_CLASS)
                    if w.shown and w.find_all(id=BOX_TEXT_ID, text=self.box_text(box))]:
                return
            time.sleep(0.2)
        raise Failure(f"the box {box.text!r} stayed after its button was clicked")

    def no_box(self):
        """Fails when any dialog of the program is on show."""
        boxes = [w for w in self.build.windows(cls=BOX_CLASS) if w.shown]
        if boxes:
            raise Failure("unexpected box:\n" + boxes[0].dump())
