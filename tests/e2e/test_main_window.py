"""The main window as a screen reader meets it straight after start."""

import sys
import unittest

import screen_reader as sr

BINARY = sr.binary_from_argv(sys.argv)
TITLE_BAND = "数学计算能力测试（一）"


class MainWindow(unittest.TestCase):
    def setUp(self):
        self.numvale = sr.Numvale(BINARY)
        self.addCleanup(self.numvale.kill)

    def names(self, role):
        return sorted(sr.name_of(node) for node in sr.find_all(self.numvale.main, role))

    def test_controls_then_escape_ends_with_exit_code_0(self):
        numvale = self.numvale
        self.assertEqual(sr.name_of(numvale.main), "Numvale v1.0 教师版")
        self.assertEqual([sr.name_of(frame) for frame in numvale.frames()], ["Numvale v1.0 教师版"])

        # The tab bar's own scroll arrows are push buttons too; they are not ours.
        buttons = [node for node in sr.find_all(numvale.main, "push button")
                   if sr.role_of(node.parent) != "page tab list"]
        self.assertEqual(sorted(sr.name_of(node) for node in buttons), sorted(["生成试卷", "打印预览", "直接打印"]))
        self.assertEqual(self.names("check box"),
                         sorted(["加法", "减法", "乘法", "除法", "a+b=（）", "a+（）=c", "（）+b=c"]))
        self.assertEqual(self.names("radio button"), sorted(["10道", "50道", "70道", "100道"]))
        # Each setting sits in its own group.
        groups = {"题目数量": ("radio button", ["100道", "10道", "50道", "70道"]),
                  "算法方式": ("check box", ["乘法", "减法", "加法", "除法"]),
                  "显示格式": ("check box", ["a+b=（）", "a+（）=c", "（）+b=c"])}
        for group, (role, names) in groups.items():
            members = sr.find_all(numvale.find("panel", group), role)
            self.assertEqual(sorted(sr.name_of(node) for node in members), sorted(names), group)

        # Starting states the generation run relies on.
        checked = [sr.name_of(n) for n in sr.find_all(numvale.main, "check box") if sr.is_checked(n)]
        self.assertEqual(checked, ["加法"])
        selected = [sr.name_of(n) for n in sr.find_all(numvale.main, "radio button") if sr.is_checked(n)]
        self.assertEqual(selected, ["10道"])

        smallest = numvale.find("text", "最小数")
        largest = numvale.find("text", "最大数")
        self.assertEqual((sr.text_of(smallest), sr.text_of(largest)), ("", ""))
        # Each box sits in the range group beside the label of the same text.
        range_group = numvale.find("panel", "计算范围")
        sr.find(range_group, "text", "最小数")
        sr.find(range_group, "text", "最大数")
        sr.find(range_group, "label", "最小数")
        sr.find(range_group, "label", "最大数")

        tab_list = numvale.find("page tab list")
        tabs = [node for node in sr.children(tab_list) if sr.role_of(node) == "page tab"]
        self.assertEqual([sr.name_of(tab).strip() for tab in tabs], ["试题答案", "原题"])
        # The problem sheet's page is on show at start; the tab list is named
        # after its current page.
        self.assertEqual(sr.name_of(tab_list), " 原题 ")

        answers = numvale.find("table", "试题答案")
        problems = numvale.find("table", "原题")
        self.assertTrue(sr.is_showing(problems))
        self.assertFalse(sr.is_showing(answers))
        for table in (answers, problems):
            cells = sr.table_cells(table)
            self.assertEqual(len(cells), 21)
            self.assertEqual(cells[0], [TITLE_BAND, "", "", ""])
            self.assertEqual({text for row in cells[1:] for text in row}, {""})

        # The running total sits with the three action buttons.
        action_group = numvale.find("label", "当前已经生成总题数").parent
        self.assertEqual(sorted(sr.name_of(node) for node in sr.find_all(action_group, "push button")),
                         sorted(["生成试卷", "打印预览", "直接打印"]))
        menu = sr.find(numvale.main, "menu item", "关于作者")
        self.assertEqual([sr.name_of(n) for n in sr.walk(menu) if sr.role_of(n) == "menu item"], ["作者"])

        self.assertEqual(numvale.quit_with_escape(), 0)


if __name__ == "__main__":
    sr.run_tests()
