#!/usr/bin/env python3
"""random_clicks.py SEED CLICKS OUT SCRIPT...

Writes to OUT a script of CLICKS random clicks of the calculator's buttons, the same for
the same SEED: before each, a page is picked and a few inputs are set to random texts
(numbers of every size and sign, empty and non-numeric texts among them); after each, a
few boxes are read. The controls are those the given scripts name.
"""
import random
import re
import sys


def names(scripts, command):
    found = set()
    for script in scripts:
        with open(script, encoding="utf-8") as lines:
            for line in lines:
                match = re.match(r"%s (\S+)" % command, line)
                if match:
                    found.add(match.group(1))
    return sorted(found)


def random_text(rng):
    kind = rng.randrange(6)
    if kind == 0:
        return rng.choice(["", "0", "-0", ".", "-", "abc", "1e400", "0.0000001", "3.5.7"])
    if kind == 1:
        return str(rng.randint(-5, 5000))
    return "%.*g" % (rng.randint(1, 9), rng.uniform(-2, 2) * 10 ** rng.randint(-3, 5))


def main():
    seed, clicks, out, scripts = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4:]
    rng = random.Random(seed)
    boxes, buttons = names(scripts, "set"), names(scripts, "click")
    readable = sorted(set(boxes) | set(names(scripts, "get")))
    lines = ["# %d random clicks, seed %d" % (clicks, seed)]
    for _ in range(clicks):
        lines.append("page %d" % rng.randint(1, 5))
        if rng.random() < 0.1:
            lines.append("select 组合框_接线方式 %d" % rng.randint(0, 1))
        for box in rng.sample(boxes, rng.randint(0, 3)):
            lines.append(("set %s %s" % (box, random_text(rng))).rstrip())
        lines.append("click " + rng.choice(buttons))
        lines.extend("get " + box for box in rng.sample(readable, 2))
    with open(out, "w", encoding="utf-8") as script:
        script.write("\n".join(lines) + "\n")


main()
