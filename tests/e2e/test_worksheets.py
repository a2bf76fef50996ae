"""The first worksheets after a fresh start, read off both sheets of the real
program. The random source starts from the same state at every start, so each
case runs in a program of its own."""

import re
import sys
import unittest

import screen_reader as sr
from screen_reader import BLANK

BINARY = sr.binary_from_argv(sys.argv)
TITLE_BAND = "数学计算能力测试（一）"
OPERATIONS = ("加法", "减法", "乘法", "除法")
FORMATS = ("a+b=（）", "a+（）=c", "（）+b=c")
PROBLEM = re.compile(r"^(\d+)([+\-×÷])(\d+)=(\d+(?:\.\d+)?)$")


def blanked_forms(answer):
    """The three ways the problem sheet may show an answer-sheet problem."""
    match = PROBLEM.match(answer)
    if not match:
        raise AssertionError(f"not a problem: {answer!r}")
    a, operator, b, c = match.groups()
    return {f"{BLANK}{operator}{b}={c}", f"{a}{operator}{BLANK}={c}", f"{a}{operator}{b}={BLANK}"}


class Worksheets(unittest.TestCase):
    def setUp(self):
        self.numvale = sr.Numvale(BINARY)
        self.addCleanup(self.numvale.kill)
        main = self.numvale.main
        self.smallest = sr.find(main, "text", "最小数")
        self.largest = sr.find(main, "text", "最大数")
        self.label = sr.find(main, "label", "当前已经生成总题数")
        self.generate = sr.find(main, "push button", "生成试卷")
        self.tabs = {sr.name_of(tab).strip(): tab for tab in sr.children(sr.find(main, "page tab list"))
                     if sr.role_of(tab) == "page tab"}
        self.answer_table = sr.find(main, "table", "试题答案")
        self.problem_table = sr.find(main, "table", "原题")

    def set_up_window(self, smallest, largest, operations, formats, count="10道"):
        sr.set_text(self.smallest, smallest)
        sr.set_text(self.largest, largest)
        for name in OPERATIONS:
            sr.set_checked(sr.find(self.numvale.main, "check box", name), name in operations)
        for name in FORMATS:
            sr.set_checked(sr.find(self.numvale.main, "check box", name), name in formats)
        radio = sr.find(self.numvale.main, "radio button", count)
        if not sr.is_checked(radio):
            sr.press(radio)
        sr.wait_for(lambda: sr.is_checked(radio), 5, what=f"{count} selected")

    def run_signature(self):
        cells = self.answer_table.queryTable()
        return sr.name_of(self.label), tuple(sr.name_of(cells.getAccessibleAt(1, column)) for column in range(4))

    def run_once(self):
        """Presses 生成试卷 and returns the running total the run leaves. The
        button clicks a moment after the press; the run then ends within one
        handler call, so any change it made means all of it is done."""
        before = self.run_signature()
        sr.press(self.generate)
        sr.wait_for(lambda: self.run_signature() != before, 10, what="the generation run")
        return sr.name_of(self.label)

    def sheet(self, page, table):
        """Shows the page through its tab, then reads its grid cell by cell."""
        sr.press(self.tabs[page])
        sr.wait_for(lambda: sr.is_showing(table), 5, what=f"page {page} on show")
        return sr.table_cells(table)

    def read_sheets(self):
        return self.sheet("试题答案", self.answer_table), self.sheet("原题", self.problem_table)

    def assert_sheet(self, cells, problems):
        """Title band on row 0 (its merged cells read ''), then the problems four
        to a row from row 1, every other cell of the 20 rows empty."""
        expected = [[TITLE_BAND, "", "", ""]]
        flat = list(problems) + [""] * (80 - len(problems))
        expected += [flat[row * 4:row * 4 + 4] for row in range(20)]
        self.assertEqual(cells, expected)

    def problems_on(self, cells):
        return [text for row in cells[1:] for text in row if text]

    def assert_blanked(self, answers, problems):
        self.assertEqual(len(problems), len(answers))
        for answer, problem in zip(answers, problems):
            self.assertIn(problem, blanked_forms(answer), f"problem sheet cell for {answer}")

    def assert_ranges_defaulted(self):
        self.assertEqual((sr.text_of(self.smallest), sr.text_of(self.largest)), ("1", "100"))

    def finish(self):
        self.assertEqual(self.numvale.quit_with_escape(), 0)

    def test_starting_settings_then_a_second_run(self):
        answers = ["1+70=71", "79+59=138", "65+6=71", "82+28=110", "92+96=188",
                   "28+37=65", "5+3=8", "93+83=176", "17+19=36", "48+27=75"]
        problems = [f"1+{BLANK}=71", f"79+{BLANK}=138", f"{BLANK}+6=71", f"82+{BLANK}=110",
                    f"{BLANK}+96=188", f"28+37={BLANK}", f"5+3={BLANK}", f"93+83={BLANK}",
                    f"{BLANK}+19=36", f"{BLANK}+27=75"]
        # The window's own starting settings, left as they are.
        self.set_up_window("", "", ["加法"], [])
        self.assertEqual(self.run_once(), "当前总计生成：10道题")
        self.assert_ranges_defaulted()
        answer_cells, problem_cells = self.read_sheets()
        self.assert_sheet(answer_cells, answers)
        self.assert_sheet(problem_cells, problems)
        # The run's first problem is made but shown nowhere.
        self.assertNotIn("42+68=110", self.problems_on(answer_cells))

        # A second run continues the random sequence on fresh sheets.
        self.assertEqual(self.run_once(), "当前总计生成：10道题")
        answer_cells = self.sheet("试题答案", self.answer_table)
        problem_cells = self.sheet("原题", self.problem_table)
        second = self.problems_on(answer_cells)
        self.assertEqual(len(second), 10)
        self.assertEqual(second[:2], ["68+100=168", "95+4=99"])
        self.assertNotIn("39+70=109", second)
        self.assertFalse(set(second) & set(answers), "cells of the first run left behind")
        self.assert_sheet(answer_cells, second)
        self.assert_blanked(second, self.problems_on(problem_cells))
        self.assert_sheet(problem_cells, self.problems_on(problem_cells))
        self.assert_ranges_defaulted()
        self.finish()

    def test_addition_with_the_result_blanked(self):
        answers = ["35+1=36", "70+25=95", "79+59=138", "63+65=128", "6+46=52",
                   "82+28=110", "62+92=154", "96+43=139", "28+37=65", "92+5=97"]
        self.set_up_window("", "", ["加法"], ["a+b=（）"])
        self.assertEqual(self.run_once(), "当前总计生成：10道题")
        self.assert_ranges_defaulted()
        answer_cells, problem_cells = self.read_sheets()
        self.assert_sheet(answer_cells, answers)
        self.assert_sheet(problem_cells, [answer.split("=")[0] + "=" + BLANK for answer in answers])
        self.assertEqual(problem_cells[1][0], f"35+1={BLANK}")
        self.assertNotIn("42+68=110", self.problems_on(answer_cells))
        self.finish()

    def check_all_operations_and_formats(self, operations, formats):
        self.set_up_window("1", "100", operations, formats)
        self.assertEqual(self.run_once(), "当前总计生成：10道题")
        self.assert_ranges_defaulted()
        answer_cells, problem_cells = self.read_sheets()
        answers = self.problems_on(answer_cells)
        self.assertEqual(answers[:5], ["79-25=54", "65×6=390", "62-28=34", "43÷28=1.54", "5÷3=1.67"])
        self.assertEqual(len(answers), 10)
        self.assert_sheet(answer_cells, answers)
        problems = self.problems_on(problem_cells)
        self.assert_blanked(answers, problems)
        self.assert_sheet(problem_cells, problems)
        self.assertNotIn("68-35=33", answers)
        self.assertNotIn(f"68-{BLANK}=33", problems)
        self.finish()

    def test_range_1_to_100_all_operations_and_formats_checked(self):
        self.check_all_operations_and_formats(OPERATIONS, FORMATS)

    def test_range_1_to_100_no_operation_or_format_checked(self):
        # None checked draws from all of them, the same as all checked.
        self.check_all_operations_and_formats([], [])


if __name__ == "__main__":
    sr.run_tests()
