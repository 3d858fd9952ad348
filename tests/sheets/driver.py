"""The headless driver run on script lines, for the sheet checks."""
import json
import math
import subprocess


def run_driver(driver, lines):
    """Runs the lines; the values of the "get" lines, in order."""
    result = subprocess.run([driver], input="\n".join(lines) + "\n", capture_output=True,
                            encoding="utf-8", check=False)
    if result.returncode != 0:
        raise AssertionError(f"the driver ended with {result.returncode}: {result.stderr}")
    return [line.split("=", 1)[1] for line in result.stdout.splitlines()]


def set_lines(inputs):
    """"set" lines for a {box: text} map."""
    return [f"set {box} {text}" for box, text in inputs.items()]


def _no_constants(name):
    raise ValueError(f"{name} is no JSON number")


def load_json(path):
    """A sheet as JSON, strictly: NaN and Infinity are no JSON."""
    with open(path, encoding="utf-8") as file:
        return json.load(file, parse_constant=_no_constants)


def same(expected, actual):
    """Equal numbers; null stands for a value that is not finite."""
    if isinstance(expected, float) and not math.isfinite(expected):
        return actual is None
    return actual == expected
