"""Takes the pictures of the program for docs/, each cropped to its window(s).
Run through take-screenshots, which starts the virtual display first."""

import os
import subprocess
import sys
import tempfile

import screen_reader as sr


def shoot(path, *nodes):
    """The screen, cropped to the smallest box around the nodes' extents."""
    boxes = [sr.extents(node) for node in nodes]
    left = min(x for x, _, _, _ in boxes)
    top = min(y for _, y, _, _ in boxes)
    right = max(x + width for x, _, width, _ in boxes)
    bottom = max(y + height for _, y, _, height in boxes)
    # Nothing under the pointer should look hovered.
    sr.xdotool("mousemove", 0, 0)
    with tempfile.TemporaryDirectory() as scratch:
        screen = os.path.join(scratch, "screen.png")
        subprocess.run(["import", "-window", "root", screen], check=True, timeout=30)
        subprocess.run(["convert", screen, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                        "-strip", path], check=True, timeout=30)
    print(f"wrote {path} ({right - left}x{bottom - top})")


def settle():
    # Lets the program paint what it just changed before the screen is read.
    subprocess.run(["sleep", "0.5"], check=True)


def main(binary, docs):
    numvale = sr.Numvale(binary)
    try:
        main_window = numvale.main
        settle()
        shoot(os.path.join(docs, "main-window.png"), main_window)

        label = sr.find(main_window, "label", "当前已经生成总题数")
        sr.press(sr.find(main_window, "push button", "生成试卷"))
        sr.wait_for(lambda: sr.name_of(label) == "当前总计生成：10道题", 10, what="the worksheet")
        tabs = {sr.name_of(tab).strip(): tab for tab in sr.children(sr.find(main_window, "page tab list"))
                if sr.role_of(tab) == "page tab"}
        problems = sr.find(main_window, "table", "原题")
        answers = sr.find(main_window, "table", "试题答案")
        sr.wait_for(lambda: sr.is_showing(problems), 5, what="the problem sheet")
        settle()
        shoot(os.path.join(docs, "problem-sheet.png"), main_window)

        sr.press(tabs["试题答案"])
        sr.wait_for(lambda: sr.is_showing(answers), 5, what="the answer sheet")
        settle()
        shoot(os.path.join(docs, "answer-sheet.png"), main_window)

        sr.press(tabs["原题"])
        sr.wait_for(lambda: sr.is_showing(problems), 5, what="the problem sheet")
        sr.click(sr.find(main_window, "push button", "打印预览"))
        preview = sr.wait_for(lambda: numvale.frame("打印预览"), 15, what="the print preview")
        sr.wait_for(lambda: sr.is_showing(preview), 5, what="the print preview showing")
        settle()
        shoot(os.path.join(docs, "print-preview.png"), preview)
        numvale.key(preview, "Escape")
        sr.wait_for(lambda: numvale.frame("打印预览") is None, 10, what="the print preview to close")

        menu = sr.find(main_window, "menu item", "关于作者")
        item = sr.find(menu, "menu item", "作者")
        sr.click(menu)
        sr.wait_for(lambda: sr.is_showing(item), 5, what="the menu open")
        sr.click(item)
        about = sr.wait_for(lambda: numvale.frame(""), 10, what="the about window")
        settle()
        shoot(os.path.join(docs, "about-window.png"), main_window, about)
        numvale.key(about, "Escape")
        sr.wait_for(lambda: numvale.frame("") is None, 10, what="the about window to close")

        code = numvale.quit_with_escape()
        if code != 0:
            raise SystemExit(f"numvale ended with exit code {code}")
    finally:
        numvale.kill()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
