"""The sheets as PDF, read back with a reader's tools: the text is text (the title, the
setting's digits, the table, the page numbers of every page), in the Chinese CID fonts
with the digits in a Latin one, A4, the title and the moment in the document's
properties; the first page rendered to a screenshot.

Usage: pdf_sheets.py DRIVER WORK_FOLDER SCREENSHOT_FOLDER
"""
import os
import re
import subprocess
import sys
import unittest

from driver import load_json, run_driver, set_lines

DRIVER, FOLDER, SCREENSHOTS = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
TITLE = "计算书：开口三角电压计算（外熔丝）"
WORKED = dict(编辑框_电容电压1="6.35", 编辑框_线圈一次="6.35", 编辑框_线圈二次="0.1", 编辑框_M1="10",
              编辑框_N1="1")


def tool(*args):
    return subprocess.run(args, capture_output=True, encoding="utf-8", check=True).stdout


def page_texts(path):
    """The text of each page as the reader extracts it."""
    return tool("pdftotext", "-layout", path, "-").split("\f")[:-1]


def squeezed(text):
    """Without white space: the extraction keeps no spaces between runs of two fonts."""
    return "".join(text.split())


def properties(path):
    return dict(line.split(":", 1) for line in tool("pdfinfo", path).splitlines())


class PdfSheets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.worked, cls.largest = os.path.join(FOLDER, "worked.pdf"), os.path.join(FOLDER, "largest.pdf")
        cls.largest_json = os.path.join(FOLDER, "largest.json")
        run_driver(DRIVER, set_lines(WORKED) + [
            "click 按钮_开口外熔丝", f"sheet 编辑框_Udz {cls.worked}",
            "set 编辑框_M1 1000", "click 按钮_开口外熔丝",
            f"sheet 编辑框_Udz {cls.largest}", f"sheet 编辑框_Udz {cls.largest_json}"])

    def test_the_worked_check_reads_back_as_text(self):
        pages = page_texts(self.worked)
        first = squeezed(pages[0])
        for expected in [TITLE, "电压整定值Udz = 16.48351729773 V", "2 1.0714 21.429 是 F = K、首次动作",
                         f"第 1 页 / 共 {len(pages)} 页"]:
            self.assertIn(squeezed(expected), first)
        self.assertIn(squeezed("K = 取整[3MN(Kv - 1) / (Kv(3N - 2))]"), squeezed("".join(pages)))
        self.assertEqual(first.count(squeezed(TITLE)), 2, "the running head and the heading")
        self.assertIn(squeezed("注：本计算值按照标准公式计算，仅作为参考，实际使用时请参照经验值设置。"),
                      squeezed(pages[-1]))

    def test_every_page_has_the_title_and_its_number(self):
        pages = page_texts(self.largest)
        self.assertGreater(len(pages), 2)
        for number, page in enumerate(pages, 1):
            with self.subTest(page=number):
                self.assertTrue(squeezed(page).startswith(squeezed(TITLE)))
                self.assertTrue(squeezed(page).endswith(squeezed(f"第 {number} 页 / 共 {len(pages)} 页")))
        faults = load_json(self.largest_json)["faults"]
        self.assertEqual(len(faults), 100)
        last = squeezed("".join(pages))
        self.assertIn(f"{faults[-1]['failures']}{faults[-1]['overvoltage']:.5g}", last)
        self.assertEqual(properties(self.largest)["Pages"].strip(), str(len(pages)))

    def test_an_input_longer_than_the_library_measures_at_once(self):
        path = os.path.join(FOLDER, "long.pdf")
        digits = "1" * 100000  # 65,535 bytes is the most the library measures at once
        run_driver(DRIVER, set_lines(dict(WORKED, 编辑框_电容电压1=digits)) + [
            "click 按钮_开口外熔丝", f"sheet 编辑框_Udz {path}"])
        pages = page_texts(path)
        self.assertGreater(len(pages), 10)
        bodies = [re.sub(r"第\d+页/共\d+页", "", squeezed(page)).replace(squeezed(TITLE), "") for page in pages]
        self.assertIn(digits, "".join(bodies), "every digit, on as many pages as they need")
        self.assertTrue(squeezed(pages[-1]).endswith(squeezed(f"第 {len(pages)} 页 / 共 {len(pages)} 页")))

    def test_chinese_cid_fonts_and_latin_digits(self):
        fonts = {line.split()[0]: line.split()[1:] for line in tool("pdffonts", self.worked).splitlines()[2:]}
        for name in ["SimSun", "SimHei"]:
            self.assertEqual(fonts[name][:4], ["CID", "Type", "0", "GBK-EUC-H"], name)
        self.assertEqual(fonts["Helvetica"][:3], ["Type", "1", "WinAnsi"])

    def test_a4_with_title_and_date_in_the_properties(self):
        info = properties(self.worked)
        self.assertEqual(info["Title"].strip(), TITLE)
        self.assertRegex(info["CreationDate"], r"20\d\d")
        self.assertIn("(A4)", info["Page size"])

    def test_rendered_page(self):
        os.makedirs(SCREENSHOTS, exist_ok=True)
        stem = os.path.join(SCREENSHOTS, "sheet_pdf")
        tool("pdftoppm", "-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", self.worked, stem)
        with open(stem + ".png", "rb") as file:
            self.assertEqual(file.read(8), b"\x89PNG\r\n\x1a\n")
        # Drawn, not blank: at 20 dpi the text greys a tenth of the page.
        pgm = subprocess.run(["pdftoppm", "-gray", "-r", "20", "-f", "1", "-l", "1", "-singlefile", self.worked],
                             capture_output=True, check=True).stdout
        pixels = pgm.split(b"\n", 3)[3]
        self.assertGreater(sum(1 for p in pixels if p < 200), len(pixels) // 20)


if __name__ == "__main__":
    os.makedirs(FOLDER, exist_ok=True)
    unittest.main(argv=sys.argv[:1])
