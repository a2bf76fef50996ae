"""The about window, opened through the menu with the mouse as a user would:
the command's handler runs a modal window in a nested event loop, so an
AT-SPI action on the menu item would not return until the window closed."""

import sys
import unittest

import screen_reader as sr

BINARY = sr.binary_from_argv(sys.argv)


class AboutWindow(unittest.TestCase):
    def setUp(self):
        self.numvale = sr.Numvale(BINARY)
        self.addCleanup(self.numvale.kill)

    def untitled_frames(self):
        return [frame for frame in self.numvale.frames() if sr.name_of(frame) == ""]

    def open_about(self):
        numvale = self.numvale
        menu = sr.find(numvale.main, "menu item", "关于作者")
        item = sr.find(menu, "menu item", "作者")
        sr.click(menu)
        sr.wait_for(lambda: sr.is_showing(item), 5, what="the menu 关于作者 open")
        sr.click(item)
        frames = sr.wait_for(self.untitled_frames, 10, what="the about window")
        self.assertEqual(len(frames), 1)
        return frames[0]

    def test_menu_opens_about_window_and_escape_closes_it(self):
        numvale = self.numvale
        about = self.open_about()
        sr.wait_for(lambda: sr.is_showing(about), 5, what="the about window showing")
        # Opened with no parent: a window of its own beside the main window.
        self.assertEqual(sorted(sr.name_of(frame) for frame in numvale.frames()), ["", "Numvale v1.0 教师版"])
        labels = [sr.name_of(node) for node in sr.find_all(about, "label")]
        self.assertIn("自愿打赏", labels)
        notices = [text for text in labels if text != "自愿打赏"]
        self.assertEqual(len(notices), 1, labels)
        self.assertTrue(notices[0].strip())
        # Modal: the main window takes no input while the about window is open.
        generate = sr.find(numvale.main, "push button", "生成试卷")
        self.assertFalse(generate.getState().contains(sr.pyatspi.STATE_SENSITIVE))

        numvale.key(about, "Escape")
        sr.wait_for(lambda: not self.untitled_frames(), 10, what="the about window to close")
        self.assertEqual([sr.name_of(frame) for frame in numvale.frames()], ["Numvale v1.0 教师版"])
        self.assertIsNone(numvale.process.poll(), "the program ended with the about window")
        sr.wait_for(lambda: generate.getState().contains(sr.pyatspi.STATE_SENSITIVE), 5,
                    what="the main window enabled again")

        # Built afresh on the next choice, and closed again.
        about = self.open_about()
        numvale.key(about, "Escape")
        sr.wait_for(lambda: not self.untitled_frames(), 10, what="the about window to close again")

        self.assertEqual(numvale.quit_with_escape(), 0)


if __name__ == "__main__":
    sr.run_tests()
