"""Every variant's sheet as JSON against this script's own evaluation of the formulas,
on random banks: the pages' steps with their single-precision points, then the working
values, the fault table with its marks, the alarm stage, the fuseless fault, page 1's
operating voltage and the warnings, all written here from the formulas rather than taken
from the program.

Usage: random_banks.py DRIVER WORK_FOLDER
"""
import math
import os
import random
import struct
import sys
import unittest

from driver import load_json, run_driver, same, set_lines

DRIVER, FOLDER = sys.argv[1], sys.argv[2]
BANKS = 30
SINGLE_ROUNDING = 2.0 ** -23
VARIANTS = ("fuseless", "external_fuses", "internal_fuses")
ALARM_LIMIT = "1.05"  # the alarm stage's overvoltage limit, held as a typed Kv


def f32(x):
    """The nearest single-precision value."""
    if not math.isfinite(x):
        return x
    try:
        return struct.unpack("f", struct.pack("f", x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def div(a, b):
    """IEEE division: a zero divisor gives an infinity or not-a-number."""
    if b != 0 or math.isnan(b):
        return a / b
    if a == 0 or math.isnan(a):
        return math.nan
    return math.copysign(math.inf, a) * math.copysign(1.0, b)


def number(text):
    return f32(float(text)) if text else 0.0


def integer(text):
    return int(text) if text else 0


def whole_part(x):
    i = math.trunc(x)
    return i + 1 if x > 0 and x - i > 0.999999999999 else math.floor(x)


def whole_count(k):
    """The whole-number rule for K."""
    if math.isnan(k) or k - 1 < -0.0000001:
        return 1.0
    return f32(whole_part(k)) if math.isfinite(k) else f32(0)


class Page:
    def __init__(self, title, voltage, boxes, buttons, result, F=None, C=None):
        self.title, self.voltage, self.boxes, self.buttons, self.result = title, voltage, boxes, buttons, result
        self.F, self.C = F, C


PAGES = [
    Page("开口三角电压计算", True,
         dict(common=["编辑框_电容电压1", "编辑框_线圈一次", "编辑框_线圈二次", "编辑框_M1", "编辑框_N1"],
              fuseless=["编辑框_B", "编辑框_Klm3"], external_fuses=["编辑框_Kv1", "编辑框_Klm1"],
              internal_fuses=["编辑框_Kv2", "编辑框_Klm2", "编辑框_M2", "编辑框_N2"]),
         ["按钮_开口无熔丝", "按钮_开口外熔丝", "按钮_开口内熔丝"], "编辑框_Udz"),
    Page("电压差动计算", True,
         dict(common=["编辑框_电容电压2", "编辑框_线圈一次1", "编辑框_线圈二次1", "编辑框_M3", "编辑框_N3"],
              fuseless=["编辑框_B1", "编辑框_Klm4"], external_fuses=["编辑框_Kv3", "编辑框_Klm5"],
              internal_fuses=["编辑框_Kv4", "编辑框_Klm6", "编辑框_M4", "编辑框_N4"]),
         ["按钮_差动无熔丝", "按钮_差动外熔丝", "按钮_差动内熔丝"], "编辑框_Udz1"),
    Page("不平衡电流计算", False,
         dict(common=["编辑框_电容相电流", "编辑框_零序CT比", "编辑框_M5", "编辑框_N5"],
              fuseless=["编辑框_B2", "编辑框_Klm7"], external_fuses=["编辑框_Kv5", "编辑框_Klm8"],
              internal_fuses=["编辑框_Kv6", "编辑框_Klm9", "编辑框_M6", "编辑框_N6"]),
         ["按钮_中性线电流无熔丝", "按钮_中性线电流外熔丝", "按钮_中性线电流内熔丝"], "编辑框_Idz", 1.5, 5),
    Page("桥式差电流计算", False,
         dict(common=["编辑框_电容相电流1", "编辑框_零序CT比1", "编辑框_M7", "编辑框_N7"],
              fuseless=["编辑框_B3", "编辑框_Klm10"], external_fuses=["编辑框_Kv7", "编辑框_Klm11"],
              internal_fuses=["编辑框_Kv8", "编辑框_Klm12", "编辑框_M8", "编辑框_N8"]),
         ["按钮_桥式差电流无熔丝", "按钮_桥式差电流外熔丝", "按钮_桥式差内熔丝"], "编辑框_Idz1", 3, 8),
]


def random_texts(rng, page, variant):
    """Typed texts for the variant's boxes, in their order; now and then a blank."""
    blank = lambda text, chance: "" if rng.random() < chance else text
    if page.voltage:
        uψ = f"{rng.uniform(1, 40):.2f}"
        common = [uψ, rng.choice([uψ, f"{rng.uniform(1, 40):.2f}"]), rng.choice(["0.1", "0.057735", "0.033"]),
                  str(rng.randint(1, 40)), str(rng.randint(1, 8))]
    else:
        common = [f"{rng.uniform(5, 600):.1f}", blank(str(rng.randint(1, 400)), 0.1), str(rng.randint(1, 40)),
                  str(rng.randint(1, 8))]
    klm = blank(f"{rng.uniform(0.85, 1.6):.2f}", 0.05)
    own = {"fuseless": [f"{rng.uniform(0.3, 0.8):.2f}", klm],
           "external_fuses": [f"{rng.uniform(1.02, 1.35):.3f}", klm],
           "internal_fuses": [f"{rng.uniform(1.02, 1.35):.3f}", klm, str(rng.randint(1, 20)), str(rng.randint(1, 12))]}
    return common + own[variant]


def evaluate(page, variant, texts):
    """The working values as the page's steps store them, and the sheet's expected parts."""
    if page.voltage:
        uψ, u1, u2 = (number(t) for t in texts[:3])
        M, N = integer(texts[3]), integer(texts[4])
        Us = f32(div(uψ, div(u1, u2)) * 1000)
        own = texts[5:]
        working = {"Us": Us}
    else:
        Iψ, CT = number(texts[0]), math.trunc(number(texts[1]))
        M, N = integer(texts[2]), integer(texts[3])
        own = texts[4:]
        working = {"Iψ": Iψ, "CT": CT}
    if variant == "fuseless":
        β, Klm = number(own[0]), number(own[1])
        if page.voltage:
            Q = (M * N * 3) - β * (((M * N * 3) - (N * 3)) + 2)
            signal = f32(div(β * 3, Q) * Us)
            D = 3 * N - 2
        else:
            Q = (M * N * 3) - β * (((M * N * 3) - (N * 6)) + page.C)
            signal = f32(div(div(β * page.F, Q) * Iψ, CT))
            D = 6 * N - page.C
        working["D"] = D
        return dict(setting=div(signal, Klm), fuseless=dict(
            overvoltage=div(3 * M * N, 3 * M * N * (1 - β) + D * β), signal=signal), M=M, N=N, working=working)
    Kv, Klm = number(own[0]), number(own[1])
    if variant == "external_fuses":
        D = 3 * N - 2 if page.voltage else 6 * N - page.C
        whole, step, counted = 3 * M * N, D, M * N
        most = M - 1 if page.voltage else math.floor(M / 2) - 1
        working["D"] = D
    else:
        m, n = math.trunc(number(own[2])), math.trunc(number(own[3]))
        R = ((((M * N * n * 3) - (M * N * 3)) + (N * 3)) - 2 if page.voltage
             else (((M * N * n * 3) - (M * N * 3)) + (N * 6)) - page.C)
        whole, step, counted = 3 * M * N * m * n, R, M * N * m * n
        most = m - 1
        working.update(T=whole, R=R)
    G = 3 * Us if page.voltage else div(page.F * Iψ, CT)
    working["G"] = G

    def stage(limit):
        """K for an overvoltage limit, by the page's rule, and the signal and setting at K."""
        computed = f32(div(counted * (limit - 1) * 3, limit * step))
        K = whole_count(computed)
        ratio = div(K * page_factor, whole - K * step)
        signal = f32(ratio * Us) if page.voltage else f32(div(ratio * Iψ, CT))
        return computed, K, signal, div(signal, Klm)

    page_factor = 3 if page.voltage else page.F
    computed, K, signal, setting = stage(Kv)
    alarm = stage(number(ALARM_LIMIT))
    return dict(setting=setting, computed=computed, K=K, Kv=Kv, M=M, N=N, working=working,
                alarm=dict(overvoltage_limit=float(ALARM_LIMIT),
                           failed_count=dict(computed=alarm[0], used=alarm[1]), signal=alarm[2], setting=alarm[3]),
                table=fault_table(whole, step, G, setting, Kv, K, most, alarm[1]),
                V1=div(whole, whole - step), SK=div(G * K, whole - K * step))


def allowance(setting):
    return abs(setting) * SINGLE_ROUNDING if math.isfinite(setting) else 0.0


def fault_table(whole, step, G, setting, Kv, K, most, alarm_K):
    rows, exceeded = [], False
    for F in range(0, min(99, most) + 1):
        denominator = whole - F * step
        if not denominator > 0:
            continue
        V, S = div(whole, denominator), div(G * F, denominator)
        rows.append(dict(failures=F, overvoltage=V, signal=S, picks_up=S >= setting - allowance(setting), marks=[]))
        exceeded = exceeded or V > Kv
        if exceeded and F >= K + 2 and F >= alarm_K:
            break
    first = next((row for row in rows if row["picks_up"]), None)
    last_within = next((row for row in reversed(rows) if row["overvoltage"] <= Kv), None)
    for row in rows:
        marks = [("k", row["failures"] == K), ("first_pickup", row is first),
                 ("last_within_kv", row is last_within), ("alarm", row["failures"] == alarm_K)]
        row["marks"] = [mark for mark, applies in marks if applies]
    return rows


def expected_warnings(page, variant, texts, values):
    codes = []
    if variant != "fuseless":
        setting = values["setting"]
        if values["V1"] > values["Kv"]:
            codes.append("single_failure_exceeds_kv")
        first = next((row["failures"] for row in values["table"] if row["picks_up"]), None)
        if first is not None and first < values["K"]:
            codes.append("picks_up_before_k")
        if values["SK"] < setting - allowance(setting):
            codes.append("does_not_pick_up_at_k")
    if not math.isfinite(values["setting"]):
        codes.append("not_finite")
    M, N = values["M"], values["N"]
    if page.C == 8 and (N < 2 or N % 2 or M % 2):
        codes.append("bridge_layout")
    return codes + input_warnings(page, variant, texts, values["setting"])


def input_warnings(page, variant, texts, setting):
    """The warnings for mistyped inputs: counts, β, the coil's secondary, the setting."""
    counted = 3 if page.voltage else 2
    counts = [integer(t) for t in texts[counted:counted + 2]]
    if not page.voltage:
        counts.append(math.trunc(number(texts[1])))
    own = texts[counted + 2:]
    if variant == "internal_fuses":
        counts += [math.trunc(number(t)) for t in own[2:4]]
    codes = ["count_not_positive"] if any(count <= 0 for count in counts) else []
    if variant == "fuseless" and not 0 < number(own[0]) <= 1:
        codes.append("beta_out_of_range")
    if page.voltage:
        u1, u2 = number(texts[1]), number(texts[2])
        if u2 > 1 or (u1 > 0 and u2 > u1):
            codes.append("coil_voltage_suspect")
    if math.isfinite(setting) and setting <= 0:
        codes.append("setting_not_positive")
    return codes


class ProtectionSheets(unittest.TestCase):
    def test_random_banks(self):
        rng = random.Random(15)
        cases, lines = [], []
        for index in range(BANKS * 12):
            page = PAGES[index % 4]
            variant = VARIANTS[index // 4 % 3]
            boxes = page.boxes["common"] + page.boxes[variant]
            texts = random_texts(rng, page, variant)
            path = os.path.join(FOLDER, f"bank{index}.json")
            lines += set_lines(dict(zip(boxes, texts)))
            lines += [f"click {page.buttons[VARIANTS.index(variant)]}", f"get {page.result}",
                      f"sheet {page.result} {path}"]
            cases.append((page, variant, boxes, texts, path))
        shown = run_driver(DRIVER, lines)
        for (page, variant, boxes, texts, path), text in zip(cases, shown):
            with self.subTest(page=page.title, variant=variant, texts=texts):
                self.check(page, variant, boxes, texts, load_json(path), text)

    def check(self, page, variant, boxes, texts, sheet, shown):
        values = evaluate(page, variant, texts)
        self.assertEqual((sheet["page"], sheet["variant"]), (page.title, variant))
        self.assertEqual([i["control"] for i in sheet["inputs"]], boxes)
        self.assertEqual([i["text"] for i in sheet["inputs"]], texts)
        self.assertEqual(sheet["setting"]["text"], shown)
        self.assertTrue(same(values["setting"], sheet["setting"]["value"]))
        self.assertEqual(list(sheet["working"]), list(values["working"]))
        for symbol, value in values["working"].items():
            self.assertTrue(same(value, sheet["working"][symbol]), symbol)
        if variant == "fuseless":
            self.assertEqual(list(sheet)[4:6], ["working", "fuseless"])
            for key in ("overvoltage", "signal"):
                self.assertTrue(same(values["fuseless"][key], sheet["fuseless"][key]), key)
        else:
            self.assertEqual(list(sheet)[4:8], ["working", "failed_count", "faults", "alarm"])
            alarm = values["alarm"]
            self.assertEqual(list(sheet["alarm"]), list(alarm))
            self.assertEqual(sheet["alarm"]["failed_count"]["used"], alarm["failed_count"]["used"])
            self.assertTrue(same(alarm["failed_count"]["computed"], sheet["alarm"]["failed_count"]["computed"]))
            for key in ("overvoltage_limit", "signal", "setting"):
                self.assertTrue(same(alarm[key], sheet["alarm"][key]), key)
            self.assertTrue(same(values["computed"], sheet["failed_count"]["computed"]))
            self.assertEqual(sheet["failed_count"]["used"], values["K"])
            self.assertEqual(len(sheet["faults"]), len(values["table"]))
            for expected, row in zip(values["table"], sheet["faults"]):
                self.assertEqual(list(row), list(expected))
                for key, value in expected.items():
                    self.assertTrue(same(value, row[key]), f"F = {row['failures']}: {key}")
        self.assertEqual(sheet["warnings"], expected_warnings(page, variant, texts, values))


CAPACITOR_INPUTS = ["编辑框_电容电压", "编辑框_电容容量", "编辑框_电抗率", "编辑框_系统电压", "编辑框_频率",
                    "编辑框_CT变比", "编辑框_COS1", "编辑框_COS2", "编辑框_P"]
CAPACITOR_RESULTS = ["编辑框_电容电流", "编辑框_电容电流1", "编辑框_XC", "编辑框_XL", "编辑框_电容输出", "编辑框_电容电流2",
                     "编辑框_调谐频率", "编辑框_补偿容量", "编辑框_电容电流6", "编辑框_电容电流7", "编辑框_电容电流8",
                     "编辑框_电容电流9"]


class CapacitorSheets(unittest.TestCase):
    def test_random_banks(self):
        rng = random.Random(1215)
        cases, lines = [], []
        for index in range(BANKS):
            texts = [f"{rng.uniform(1, 20):.2f}", str(rng.randint(100, 20000)),
                     rng.choice(["", f"{rng.uniform(0, 13):.1f}"]), rng.choice(["6", "10", "35", f"{rng.uniform(1, 66):.1f}"]),
                     rng.choice(["50", "60"]), rng.choice(["", str(rng.randint(1, 1000))]),
                     f"{rng.uniform(0.6, 0.95):.2f}", f"{rng.uniform(0.9, 1):.2f}", str(rng.randint(100, 10000))]
            connection, asked = rng.randint(0, 1), rng.choice(CAPACITOR_RESULTS)
            path = os.path.join(FOLDER, f"capacitor{index}.json")
            lines += set_lines(dict(zip(CAPACITOR_INPUTS, texts)))
            lines += [f"select 组合框_接线方式 {connection}", "click 按钮_电容器计算"]
            lines += [f"get {box}" for box in CAPACITOR_RESULTS] + [f"sheet {asked} {path}"]
            cases.append((texts, connection, asked, path))
        shown = run_driver(DRIVER, lines)
        for index, (texts, connection, asked, path) in enumerate(cases):
            with self.subTest(texts=texts, connection=connection):
                self.check(texts, connection, asked, load_json(path), shown[index * 12:index * 12 + 12])

    def check(self, texts, connection, asked, sheet, shown):
        self.assertEqual(list(sheet), ["page", "variant", "inputs", "setting", "working", "results",
                                       "operating_voltage", "warnings"])
        self.assertEqual(sheet["working"], {})
        self.assertEqual([i["text"] for i in sheet["inputs"]][:9], texts)
        self.assertEqual(sheet["inputs"][9]["value"], connection)
        self.assertEqual(sheet["results"], dict(zip(CAPACITOR_RESULTS, shown)))
        self.assertEqual(sheet["setting"]["text"], sheet["results"][asked])
        un, kr, usys = number(texts[0]), number(texts[2]), number(texts[3])
        reactor = 1 - kr / 100
        uc = usys / (math.sqrt(3.0) * reactor) if connection == 0 else div(usys, reactor)
        self.assertEqual(sheet["operating_voltage"], uc)
        codes = ["not_finite"] if any("#" in text for text in shown) else []
        codes += ["capacitor_overvoltage"] if uc > un else []
        codes += ["count_not_positive"] if integer(texts[5]) <= 0 else []
        settings = [float(text) for text in shown[8:] if "#" not in text]
        codes += ["setting_not_positive"] if any(setting <= 0 for setting in settings) else []
        self.assertEqual(sheet["warnings"], codes)


ABSURD = ["1000000000", "-7", "0", "1e30", "-1e30", "abc", "", "１２", "2147483647"]


class AbsurdSheets(unittest.TestCase):
    """Absurd counts and factors still give strict JSON of the right shape, and HTML."""

    def test_absurd_banks(self):
        rng = random.Random(7)
        paths, lines = [], []
        for index in range(60):
            page, variant = PAGES[index % 4], VARIANTS[index // 4 % 3]
            boxes = page.boxes["common"] + page.boxes[variant]
            texts = [rng.choice(ABSURD) if rng.random() < 0.5 else text for text in random_texts(rng, page, variant)]
            paths.append(os.path.join(FOLDER, f"absurd{index}.json"))
            lines += set_lines(dict(zip(boxes, texts)))
            lines += [f"click {page.buttons[VARIANTS.index(variant)]}", f"sheet {page.result} {paths[-1]}",
                      f"sheet {page.result} {paths[-1]}.html"]
        run_driver(DRIVER, lines)
        for path in paths:
            sheet = load_json(path)
            self.assertEqual(list(sheet)[:4], ["page", "variant", "inputs", "setting"])
            self.assertLessEqual(len(sheet.get("faults", [])), 100)
            with open(path + ".html", encoding="utf-8") as html:
                self.assertTrue(html.read().endswith("</html>\n"))


if __name__ == "__main__":
    os.makedirs(FOLDER, exist_ok=True)
    unittest.main(argv=sys.argv[:1])
