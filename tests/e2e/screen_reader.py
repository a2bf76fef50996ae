"""Drives the real numvale binary the way a screen reader does: through AT-SPI,
with the mouse and keyboard of the X server where a D-Bus call would block.

Every wait here is bounded; a wait that runs out raises TimeoutError, so a test
fails instead of hanging.
"""

import os
import subprocess
import time
import unittest
import warnings

import pyatspi

# pyatspi's own query functions use libatspi calls that newer libatspi marks
# deprecated; the warnings say nothing about the program under test.
warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")

APP_NAME = "numvale"
MAIN_TITLE = "Numvale v1.0 教师版"
BLANK = "（   ）"

# A method call on the accessibility bus gives up after 5 s instead of libatspi's
# default; a slow first start of the bus gets 20 s.
pyatspi.setTimeout(5000, 20000)


def wait_for(condition, timeout=10.0, interval=0.05, what="condition"):
    """Polls condition() until it returns a true value, which it returns."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except AssertionError:
            raise
        except Exception as error:  # the tree changes under us while windows open and close
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}{detail}")
        time.sleep(interval)


def role_of(node):
    return node.getRoleName()


def name_of(node):
    node.clearCache()
    return node.name


def children(node):
    return [child for child in node if child is not None]


def walk(node, into_tables=False):
    """Every node below node, depth first; a table's cells only when asked."""
    for child in children(node):
        yield child
        if into_tables or role_of(child) != "table":
            yield from walk(child, into_tables)


def find_all(root, role=None, name=None, trimmed=False):
    def matches(node):
        if role is not None and role_of(node) != role:
            return False
        if name is None:
            return True
        text = name_of(node)
        return (text.strip() if trimmed else text) == name

    return [node for node in walk(root) if matches(node)]


def find(root, role=None, name=None, trimmed=False):
    """The one node of that role and name below root; fails on none or several."""
    found = find_all(root, role, name, trimmed)
    if len(found) != 1:
        raise LookupError(f"expected one {role or 'node'} named {name!r}, found {len(found)}")
    return found[0]


def is_checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def is_showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def press(node):
    """The node's first action. Only for handlers that return at once: one that
    opens a modal window keeps the D-Bus call waiting until that window closes."""
    action = node.queryAction()
    if action.nActions < 1 or not action.doAction(0):
        raise RuntimeError(f"could not press {role_of(node)} {name_of(node)!r}")


def set_checked(node, checked):
    if is_checked(node) != checked:
        press(node)
        wait_for(lambda: is_checked(node) == checked, 5, what=f"{name_of(node)!r} checked={checked}")


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def set_text(node, value):
    if not node.queryEditableText().setTextContents(value):
        raise RuntimeError(f"could not set the text of {name_of(node)!r}")
    wait_for(lambda: text_of(node) == value, 5, what=f"{name_of(node)!r} to read {value!r}")


def table_cells(table):
    """A table's cells as rows of texts, each cell's accessible name."""
    grid = table.queryTable()
    rows = []
    for row in range(grid.nRows):
        cells = []
        for column in range(grid.nColumns):
            cell = grid.getAccessibleAt(row, column)
            cells.append(name_of(cell) if cell is not None else None)
        rows.append(cells)
    return rows


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def click(node):
    """A real mouse click in the middle of the node, for controls whose handler
    opens a modal window."""
    x, y, width, height = wait_for(lambda: (lambda e: e if e[2] > 0 and e[3] > 0 else None)(extents(node)),
                                   5, what=f"{name_of(node)!r} on screen")
    # No --sync: it waits forever when the pointer is already there. The
    # server handles the move before the click anyway.
    xdotool("mousemove", x + width // 2, y + height // 2)
    xdotool("click", 1)


def x_window_at(pid, box):
    """The program's X window with exactly these screen extents."""
    def search():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True, timeout=10).stdout.split()
        for window in found:
            shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                                   capture_output=True, text=True, timeout=10).stdout
            geometry = dict(line.split("=", 1) for line in shell.split() if "=" in line)
            if (int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]),
                    int(geometry["HEIGHT"])) == tuple(box):
                return window
        return None

    return wait_for(search, 10, 0.1, what=f"an X window at {box}")


def key_to_window(pid, frame, key):
    """Gives the frame's X window the keyboard focus, then types key. There is
    no window manager to hand out the focus."""
    window = x_window_at(pid, extents(frame))
    xdotool("windowfocus", "--sync", window)
    xdotool("key", key)


class Numvale:
    """One run of the program, from its start to its exit code."""

    def __init__(self, binary):
        self.binary = binary
        self.process = subprocess.Popen([binary], stdin=subprocess.DEVNULL)
        self.app = wait_for(self._find_app, 20, 0.1, what="numvale on the accessibility bus")
        self.main = wait_for(lambda: self.frame(MAIN_TITLE), 10, what="the main window")
        wait_for(lambda: is_showing(self.main), 10, what="the main window showing")

    def _find_app(self):
        if self.process.poll() is not None:
            raise AssertionError(f"numvale ended at start with exit code {self.process.returncode}")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app.name == APP_NAME and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                continue
        return None

    @property
    def pid(self):
        return self.process.pid

    def frames(self):
        return [node for node in children(self.app) if role_of(node) in ("frame", "dialog", "window", "alert")]

    def frame(self, title):
        for node in self.frames():
            if name_of(node) == title:
                return node
        return None

    def find(self, role=None, name=None, trimmed=False, root=None):
        return find(root or self.main, role, name, trimmed)

    def key(self, frame, key):
        key_to_window(self.pid, frame, key)

    def quit_with_escape(self, timeout=10):
        """Esc on the main window; returns the program's exit code."""
        self.key(self.main, "Escape")
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"numvale still running {timeout} s after it was asked to end") from None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)


def binary_from_argv(argv):
    """The test scripts take the program's path as their one argument."""
    if len(argv) < 2 or not os.access(argv[1], os.X_OK):
        raise SystemExit(f"usage: {os.path.basename(argv[0])} PATH-TO-NUMVALE")
    return argv.pop(1)


def run_tests():
    # warnings=False keeps the filter above; unittest would otherwise reset it.
    unittest.main(warnings=False)
