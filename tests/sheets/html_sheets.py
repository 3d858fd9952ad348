"""The sheets as HTML, parsed: every one of the 13 calculations gives a well-formed,
self-contained UTF-8 page whose tables hold what its JSON holds, with the page's own
diagram embedded and the reference note; the worked check's table cell by cell.

Usage: html_sheets.py DRIVER RESOURCE_FOLDER WORK_FOLDER
"""
import base64
import html.parser
import os
import sys
import unittest

from driver import load_json, run_driver, set_lines

DRIVER, RESOURCES, FOLDER = sys.argv[1], sys.argv[2], sys.argv[3]
NOTE = "注：本计算值按照标准公式计算，仅作为参考，实际使用时请参照经验值设置。"
VOID = {"meta", "img", "br", "hr", "link", "input"}
TEXTS = {"td", "th", "li", "p", "title", "h1", "h2"}  # elements whose whole text is kept

VOLTAGE = ["6.35", "6.35", "0.1", "10", "1"]
CURRENT = ["288.7", "40", "8", "2"]
# Page, the inputs of its worked examples, its buttons, its result box, its diagram.
PAGES = [
    ("开口三角电压计算", dict(zip(["编辑框_电容电压1", "编辑框_线圈一次", "编辑框_线圈二次", "编辑框_M1", "编辑框_N1",
                                "编辑框_M2", "编辑框_N2"], VOLTAGE + ["14", "4"])),
     ["按钮_开口无熔丝", "按钮_开口外熔丝", "按钮_开口内熔丝"], "编辑框_Udz", "open_delta_voltage.jpg"),
    ("电压差动计算", dict(zip(["编辑框_电容电压2", "编辑框_线圈一次1", "编辑框_线圈二次1", "编辑框_M3", "编辑框_N3",
                             "编辑框_M4", "编辑框_N4"], VOLTAGE + ["14", "4"])),
     ["按钮_差动无熔丝", "按钮_差动外熔丝", "按钮_差动内熔丝"], "编辑框_Udz1", "voltage_differential.jpg"),
    ("不平衡电流计算", dict(zip(["编辑框_电容相电流", "编辑框_零序CT比", "编辑框_M5", "编辑框_N5", "编辑框_M6", "编辑框_N6"],
                              CURRENT + ["14", "4"])),
     ["按钮_中性线电流无熔丝", "按钮_中性线电流外熔丝", "按钮_中性线电流内熔丝"], "编辑框_Idz", "neutral_line_current.jpg"),
    ("桥式差电流计算", dict(zip(["编辑框_电容相电流1", "编辑框_零序CT比1", "编辑框_M7", "编辑框_N7", "编辑框_M8",
                              "编辑框_N8"], CURRENT + ["14", "4"])),
     ["按钮_桥式差电流无熔丝", "按钮_桥式差电流外熔丝", "按钮_桥式差内熔丝"], "编辑框_Idz1", "bridge_differential.jpg"),
]
CAPACITOR = dict(编辑框_电容电压="6.35", 编辑框_电容容量="3000", 编辑框_电抗率="5", 编辑框_系统电压="10",
                 编辑框_CT变比="300", 编辑框_COS1="0.8", 编辑框_COS2="0.95", 编辑框_P="5000")
VARIANT_NAMES = ["无熔丝", "外熔丝", "内熔丝"]


class SheetPage(html.parser.HTMLParser):
    """What a reader finds on the page: its title, tables (rows of cell texts), list items,
    paragraphs and pictures, with every element closed where it should be."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.problems = [], []
        self.doctype = self.charset = self.title = None
        self.tables, self.items, self.paragraphs, self.images, self.headings = [], [], [], [], []
        self._texts = []  # the texts of the open elements of TEXTS, innermost last

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "meta":
            self.charset = attrs.get("charset")
        if tag == "img":
            self.images.append(attrs.get("src", ""))
        if tag not in VOID:
            self.open.append(tag)
        if tag == "table":
            self.tables.append([])
        if tag == "tr":
            self.tables[-1].append([])
        if tag in TEXTS:
            self._texts.append("")

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.problems.append(f"</{tag}> closes {self.open[-1:] or 'nothing'}")
            return
        self.open.pop()
        if tag not in TEXTS:
            return
        text = self._texts.pop()
        if tag in ("td", "th"):
            self.tables[-1][-1].append(text)
        targets = dict(li=self.items, p=self.paragraphs, h1=self.headings, h2=self.headings)
        if tag in targets:
            targets[tag].append(text)
        if tag == "title":
            self.title = text

    def handle_data(self, data):
        self._texts = [text + data for text in self._texts]


def parse(path):
    with open(path, encoding="utf-8") as file:  # strict: every byte UTF-8
        page = SheetPage()
        page.feed(file.read())
        page.close()
    return page


def resource(name):
    with open(os.path.join(RESOURCES, name), "rb") as file:
        return file.read()


class HtmlSheets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        lines, cls.sheets = [], []
        for title, inputs, buttons, result, diagram in PAGES:
            lines += set_lines(inputs)
            for variant, button in enumerate(buttons):
                base = os.path.join(FOLDER, f"{result}-{variant}")
                lines += [f"click {button}", f"sheet {result} {base}.html", f"sheet {result} {base}.json"]
                cls.sheets.append((f"计算书：{title}（{VARIANT_NAMES[variant]}）", base, diagram))
        lines += set_lines(CAPACITOR)
        for connection, diagram in enumerate(["star_connection.jpg", "delta_connection.jpg"]):
            base = os.path.join(FOLDER, f"capacitor-{connection}")
            lines += [f"select 组合框_接线方式 {connection}", "click 按钮_电容器计算", f"sheet 编辑框_XC {base}.html",
                      f"sheet 编辑框_XC {base}.json"]
            cls.sheets.append(("计算书：电容参数计算", base, diagram))
        run_driver(DRIVER, lines)

    def test_every_sheet_is_whole_and_self_contained(self):
        for title, base, diagram in self.sheets:
            with self.subTest(sheet=base):
                page, sheet = parse(base + ".html"), load_json(base + ".json")
                self.assertEqual((page.problems, page.open), ([], []))
                self.assertEqual((page.doctype, page.charset), ("DOCTYPE html", "utf-8"))
                self.assertEqual((page.title, page.headings[0]), (title, title))
                self.assertEqual(len(page.images), 1)
                prefix = "data:image/jpeg;base64,"
                self.assertTrue(page.images[0].startswith(prefix))
                self.assertEqual(base64.b64decode(page.images[0][len(prefix):], validate=True), resource(diagram))
                self.assertEqual(page.paragraphs[-1], NOTE)
                self.assertEqual([row[2] for row in page.tables[0][1:]], [i["text"] for i in sheet["inputs"]])
                with open(base + ".html", encoding="utf-8") as file:
                    html = file.read()
                shown = html[:html.index('<script type="application/json" id="capcalc-sheet">')]
                for code in sheet["warnings"]:
                    self.assertNotIn(code, shown, "a warning is shown in words, its code is the JSON's")
                self.assertEqual("无。" in page.paragraphs, not sheet["warnings"])

    def test_fault_tables_hold_the_rows_of_the_json(self):
        for title, base, diagram in self.sheets:
            sheet = load_json(base + ".json")
            if "faults" not in sheet:
                continue
            with self.subTest(sheet=base):
                rows = parse(base + ".html").tables[2][1:]
                self.assertEqual([row[0] for row in rows], [str(f["failures"]) for f in sheet["faults"]])
                self.assertEqual([row[3] for row in rows], ["是" if f["picks_up"] else "否" for f in sheet["faults"]])
                for row, fault in zip(rows, sheet["faults"]):
                    self.assertAlmostEqual(float(row[1]), fault["overvoltage"], delta=abs(fault["overvoltage"]) * 1e-4)
                    self.assertAlmostEqual(float(row[2]), fault["signal"], delta=abs(fault["signal"]) * 1e-4)

    def test_worked_check(self):
        page = parse(os.path.join(FOLDER, "编辑框_Udz-1.html"))
        self.assertEqual(page.tables[2], [
            ["故障数 F", "过电压倍数 V(F)", "信号 S(F)（V）", "动作", "标记"],
            ["0", "1", "0", "否", ""],
            ["1", "1.0345", "10.345", "否", "告警"],
            ["2", "1.0714", "21.429", "是", "F = K、首次动作、V ≤ Kv 的最后一行"],
            ["3", "1.1111", "33.333", "是", ""],
            ["4", "1.1538", "46.154", "是", ""],
        ])
        self.assertIn("电压整定值Udz = 16.48351729773 V", page.paragraphs)
        self.assertEqual(page.tables[3], [
            ["段", "过电压倍数", "K（取整前）", "K", "信号（V）", "整定值（V）"],
            ["告警", "1.05", "1.428570151329", "1", "10.34482765198", "7.957560024172"],
            ["跳闸", "1.1", "2.727273225784", "2", "21.42857170105", "16.48351729773"],
        ])
        self.assertIn("告警：带时限发信号；跳闸：切除电容器组", page.paragraphs)
        self.assertIn("Uch = 3K·Us / (3MN - K(3N - 2))", page.items)
        self.assertIn(["K", "取整后，至少为 1", "2", ""], page.tables[1])

    def test_capacitor_parameters(self):
        page = parse(os.path.join(FOLDER, "capacitor-0.html"))
        results = page.tables[1]
        self.assertEqual(results[1], ["电容器额定电流", "157.4803173257", "A", "IN = QN / (3·UN)"])
        self.assertEqual(len(results), 13)
        self.assertIn("电容器运行电压 Uc = 6.077371254628 kV（电容器额定电压 UN = 6.35 kV）", page.paragraphs)


if __name__ == "__main__":
    os.makedirs(FOLDER, exist_ok=True)
    unittest.main(argv=sys.argv[:1])
