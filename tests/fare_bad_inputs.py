#!/usr/bin/env python3
"""mkd-fare against inputs from outside: bytes that are not UTF-8 in table
cells, Henko.txt, folder names and arguments; sums that overflow; a table
shorter than it should be; leftovers of a killed save. Every run must end
with one of the documented exit statuses, write only valid UTF-8, and give
valid JSON where asked.

  fare_bad_inputs.py --fare PATH --tables DIR
"""
import argparse
import json
import os
import resource
import shutil
import signal
import stat
import subprocess
import sys
import tempfile

FULL = 1.7976931348623157e308  # the largest amount there is


def set_cell(folder, name, record, field, text):
    """Sets one cell of a table file in the house layout (a record a line)."""
    path = os.path.join(folder, "Untin", name)
    lines = open(path, "rb").read().split(b"\r\n")
    cells = lines[record].split(b",")
    cells[field] = text
    lines[record] = b",".join(cells)
    open(path, "wb").write(b"\r\n".join(lines))


def keep_records(folder, name, count):
    path = os.path.join(folder, "Untin", name)
    lines = open(path, "rb").read().split(b"\r\n")
    open(path, "wb").write(b"\r\n".join(lines[:count]) + b"\r\n")


def write(folder, name, data):
    open(os.path.join(folder, "Untin", name), "wb").write(data)


def journey_list(folder, note):
    """A journey list of one row with `note` (bytes), where the runs' XDG_DATA_HOME points."""
    os.makedirs(os.path.join(folder, "..", "data", "mkd"))
    open(os.path.join(folder, "..", "data", "mkd", "journeys.tsv"), "wb").write(
        b"# mkd journeys 1\n2007-08-12\t0\t67\tlocal\tadult\tone-way\t6930\t-\t" + note + b"\n")


def whole_yen(j):
    """What is wrong with the split's amounts: every ticket and saving whole yen, none of 0."""
    amounts = [t["amount"]["yen"] for t in j["tickets"]] + [j["saving"]["yen"], j["total"]["yen"]]
    if any(not isinstance(a, int) for a in amounts):
        return f"amounts {amounts}"
    if any(t["amount"]["yen"] < 1 for t in j["tickets"]) or (j["cheaper"] and j["saving"]["yen"] < 1):
        return f"a ticket or a saving of 0 yen: {j['text']}"
    return None


# Each case: what to do to a copy of the tables, the arguments (APP stands
# for the copy's folder), the exit status, and what the output must hold:
# a function of (stdout, stderr, json or None) that returns what is wrong.
CASES = [
    ("Shift_JIS cell, check --json", lambda d: set_cell(d, "Futu.txt", 3, 4, b"\x89\x5e\x92\xc0"),
     ["check", "APP", "--json"], 1,
     lambda out, err, j: None if any("\\x89^\\x92\\xC0" in p["message"] for p in j["problems"]) else "cell not named"),
    ("Shift_JIS cell, check as text", lambda d: set_cell(d, "Futu.txt", 3, 4, b"\x89\x5e\x92\xc0"),
     ["check", "APP"], 1, lambda out, err, j: None if "\\x89^\\x92\\xC0" in out else "cell not named"),
    ("line end and escape sequence in a cell", lambda d: set_cell(d, "Futu.txt", 3, 4, b'"\x1b[31m\r\nred"'),
     ["check", "APP"], 1, lambda out, err, j: None if "\\x1B[31m\\x0D\\x0Ared" in out else "not escaped"),
    ("binary Henko.txt", lambda d: write(d, "Henko.txt", b"\xff\xfe3\x00\xc0,\x002\x00\r\n"),
     ["check", "APP", "--json"], 1, None),
    ("UTF-16 Henko.txt with three cells", lambda d: write(d, "Henko.txt", "3,20,1".encode("utf-16")),
     ["check", "APP", "--json"], 2, None),
    ("station that is not UTF-8", None, [b"\xff\xfe", "岡山", "--appdir", "APP", "--json"], 2,
     lambda out, err, j: None if j["refused"]["reason"] == "unknown-station" else "no refusal"),
    ("section stop that is not UTF-8", None,
     ["岡山", "宇和島", "--kind", "green", "--section", b"\x82\xa0", "松山", "--appdir", "APP", "--json"], 2, None),
    ("date that is not UTF-8", None, ["岡山", "宇和島", "--kind", "reserved", "--date", b"2007-\xff", "--appdir",
                                      "APP", "--json"], 2, None),
    ("folder that is not UTF-8", None, ["compare", "岡山", "宇和島", "--appdir", b"/nonexistent/caf\xe9", "--json"],
     3, lambda out, err, j: None if "caf\\xE9" in err else "folder not named"),
    ("unknown option that is not UTF-8", None, ["岡山", "宇和島", b"--\xe9"], 2, None),
    ("overflowing round trip, --json", lambda d: set_cell(d, "Futu.txt", 106, 0, b"1e308"),
     ["岡山", "宇和島", "--round-trip", "--appdir", "APP", "--json"], 0,
     lambda out, err, j: None if j["total"]["yen"] == FULL else f"total {j['total']['yen']}"),
    ("overflowing round trip, chart", lambda d: set_cell(d, "Futu.txt", 106, 0, b"1e308"),
     ["chart", "--round-trip", "--appdir", "APP"], 0,
     lambda out, err, j: None if "null" not in out and "1.7976931348623157e+308" in out else "no clamped amount"),
    ("Henko.txt 1e400", lambda d: write(d, "Henko.txt", b"1e400,20\r\n"), ["check", "APP", "--lang", "en"], 1,
     lambda out, err, j: None if "out of range" in out else "not warned"),
    ("leftover of a killed save", lambda d: write(d, "Henko.txt.tmp-Ab12Cd", b"3,"), ["check", "APP"], 1,
     lambda out, err, j: None if "Henko.txt.tmp-Ab12Cd" in out else "not warned"),
    ("amounts no table holds, check --json",
     lambda d: [set_cell(d, "Futu.txt", 3, 4, b"9007199254740993"), set_cell(d, "Futu.txt", 5, 0, b"1e308"),
                set_cell(d, "Kodomo.txt", 7, 2, b"12345678901234567890")],
     ["check", "APP", "--json", "--lang", "en"], 1,
     lambda out, err, j: None if sorted((p["file"], p["line"], p["column"]) for p in j["problems"]
                                        if "beyond any fare" in p["message"]) ==
     [("Futu.txt", 4, 5), ("Futu.txt", 6, 1), ("Kodomo.txt", 8, 3)] else "not each named with its place"),
    ("--json before check", None, ["--json", "check", "APP"], 0,
     lambda out, err, j: None if j["status"] == 0 else "no JSON report"),
    ("right-to-left override and zero-width space in a station",
     None, ["岡山\u202e宇和島\u200b", "宇和島", "--appdir", "APP"], 2,
     lambda out, err, j: None if "\\u202E" in err and "\\u200B" in err and "\u202e" not in err
     else "not escaped"),
    ("format character in JSON", None, ["\u2066岡山", "宇和島", "--appdir", "APP", "--json"], 2,
     lambda out, err, j: None if "\u2066" not in out and "\u2066" in j["refused"]["message"] else "raw in JSON"),
    ("station with a line end and blanks", None, ["岡山\r\n", " \t宇和島\u3000\n", "--appdir", "APP"], 0,
     lambda out, err, j: None if "岡　山 ⇒ 宇和島" in out else "not found"),
    ("short reserved-seat table", lambda d: keep_records(d, "SiteiT.txt", 20),
     ["岡山", "宇和島", "--kind", "reserved", "--season", "normal", "--appdir", "APP", "--json"], 0,
     lambda out, err, j: None if j.get("short_tables") == [{"file": "SiteiT.txt", "records": 20, "expected": 26}]
     else f"short_tables {j.get('short_tables')}"),
    ("short reserved-seat table, text", lambda d: keep_records(d, "SiteiT.txt", 20),
     ["岡山", "宇和島", "--kind", "reserved", "--season", "normal", "--appdir", "APP"], 0,
     lambda out, err, j: None if "SiteiT.txt" in out and "20" in out and "26" in out else "not said"),
    ("short table, once per load in compare", lambda d: keep_records(d, "Jiyu.txt", 3),
     ["compare", "岡山", "宇和島", "--appdir", "APP"], 0,
     lambda out, err, j: None if err.count("Jiyu.txt") == 1 else f"said {err.count('Jiyu.txt')} times"),
    # Party sizes in decimal, up to the compare window's limit, someone in it.
    ("--adults 010 is ten, not eight", None, ["compare", "岡山", "宇和島", "--adults", "010", "--appdir", "APP",
                                              "--json"], 0,
     lambda out, err, j: None if j["party"]["adults"] == 10 else f"party {j['party']}"),
    ("--adults 0x10 is no number", None, ["compare", "岡山", "宇和島", "--adults", "0x10", "--appdir", "APP", "--json"],
     2, lambda out, err, j: None if j["refused"]["reason"] == "bad-party" and "0x10" in err else "not refused"),
    ("--children 100 is more than the window takes", None,
     ["compare", "岡山", "宇和島", "--children", "100", "--appdir", "APP", "--lang", "en"], 2,
     lambda out, err, j: None if "0 to 99" in err else "no limit said"),
    ("a party of no one", None, ["compare", "岡山", "宇和島", "--adults", "0", "--students", "00", "--appdir", "APP"],
     2, lambda out, err, j: None if not out and "0 人" in err else "priced"),
    ("--month 2007 asks for a month", None, ["journeys", "--month", "2007"], 2,
     lambda out, err, j: None if "YYYY-MM " in err and "YYYY-MM-DD" not in err else "asks for a date"),
    ("a NUL in a journey's note, --json", lambda d: journey_list(d, b"A\x00B"), ["journeys", "--json"], 0,
     lambda out, err, j: None if j["journeys"][0]["note"] == "A\x00B" else f"note {j['journeys'][0]['note']!r}"),
    # A fractional cell (the check reports it): whole yen everywhere.
    ("fraction in a fare cell, chart", lambda d: set_cell(d, "Futu.txt", 1, 0, b"100.2"),
     ["chart", "--round-trip", "--appdir", "APP"], 0,
     lambda out, err, j: None if out.splitlines()[1].split(",")[2] == "200" else out.splitlines()[1][:80]),
    ("0.4 yen to the next station, split", lambda d: set_cell(d, "Futu.txt", 1, 0, b"0.4"),
     ["split", "岡山", "下灘", "--appdir", "APP", "--json"], 0, lambda out, err, j: whole_yen(j)),
    ("a saving of 0.4 yen, split", lambda d: set_cell(d, "Futu.txt", 83, 0, b"2830.4"),
     ["split", "岡山", "下灘", "--appdir", "APP", "--json"], 0, lambda out, err, j: whole_yen(j)),
]


def run(fare, tables, case):
    name, prepare, args, status, check = case
    with tempfile.TemporaryDirectory() as work:
        app = os.path.join(work, "app")
        shutil.copytree(tables, app)
        if prepare:
            prepare(app)
        argv = [fare] + [app if a == "APP" else a for a in args]
        argv = [a if isinstance(a, bytes) else a.encode() for a in argv]
        # Japanese, the program's own language, whatever the system's is;
        # the journey list of the run's own.
        env = {**os.environ, "LC_ALL": "", "LC_MESSAGES": "", "LANG": "C.UTF-8",
               "XDG_DATA_HOME": os.path.join(work, "data")}
        done = subprocess.run(argv, capture_output=True, timeout=120, env=env)
    problems = []
    if done.returncode != status:
        problems.append(f"exit status {done.returncode}, expected {status}")
    try:
        out = done.stdout.decode("utf-8")
        err = done.stderr.decode("utf-8")
    except UnicodeDecodeError as e:
        return [f"output is not UTF-8: {e}"]
    j = None
    if "--json" in args and out:
        try:
            j = json.loads(out)
        except ValueError as e:
            return problems + [f"not JSON: {e}"]
    if check and not problems:
        why = check(out, err, j)
        if why:
            problems.append(why)
    return problems


# Output that cannot be written whole: a file that may not grow (the size
# limit, the signal it sends ignored, as a full disk) and, where the tests may
# make device nodes, a stand-in for the always-full device made here.
WRITES = [
    ("chart", ["chart", "--appdir", "APP"]),
    ("answer", ["岡山", "宇和島", "--appdir", "APP"]),
    ("check --json", ["check", "APP", "--json"]),
    ("compare", ["compare", "岡山", "宇和島", "--appdir", "APP"]),
]


def limited(size):
    def limit():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (size, size))
    return limit


def failed_writes(fare, tables):
    problems = []
    with tempfile.TemporaryDirectory() as work:
        app = os.path.join(work, "app")
        shutil.copytree(tables, app)
        full = os.path.join(work, "full")
        try:
            os.mknod(full, 0o666 | stat.S_IFCHR, os.makedev(1, 7))
        except OSError:
            full = None
            print("note: no device nodes here; the full device is not tried")
        env = {**os.environ, "LC_ALL": "", "LC_MESSAGES": "", "LANG": "C.UTF-8"}
        for name, args in WRITES:
            argv = [fare] + [app if a == "APP" else a for a in args]
            targets = [("a file that may not grow", os.path.join(work, "out"), limited(10))]
            if full:
                targets.append(("the full device", full, None))
            for where, path, limit in targets:
                with open(path, "wb") as out:
                    done = subprocess.run(argv, stdout=out, stderr=subprocess.PIPE, timeout=120, env=env,
                                          preexec_fn=limit)
                err = done.stderr.decode("utf-8", "replace")
                if done.returncode != 2 or "標準出力" not in err:
                    problems.append(f"{name} to {where}: exit status {done.returncode}, {err.strip()!r}")
            if full and not stat.S_ISCHR(os.lstat(full).st_mode):
                problems.append("the device stand-in is no longer a device")
        # A chart to a named file that may not grow: the file there before
        # is kept whole.
        out = os.path.join(work, "chart.csv")
        with open(out, "wb") as old:
            old.write(b"o" * 50)
        done = subprocess.run([fare, "chart", "--appdir", app, "-o", out], capture_output=True, timeout=120,
                              env=env, preexec_fn=limited(100))
        if done.returncode != 2:
            problems.append(f"chart -o to a file that may not grow: exit status {done.returncode}")
        with open(out, "rb") as kept:
            if kept.read() != b"o" * 50:
                problems.append("chart -o to a file that may not grow: the old file was changed")
        # -o to a pipe, or to a link to the device stand-in: refused at once,
        # and each stays what it was.
        pipe = os.path.join(work, "pipe.csv")
        os.mkfifo(pipe)
        nodes = [(pipe, stat.S_ISFIFO)]
        if full:
            os.symlink(full, os.path.join(work, "full.csv"))
            nodes.append((os.path.join(work, "full.csv"), stat.S_ISCHR))
        for node, kind in nodes:
            done = subprocess.run([fare, "chart", "--appdir", app, "-o", node], capture_output=True, timeout=60,
                                  env=env)
            err = done.stderr.decode("utf-8", "replace")
            if done.returncode != 2 or "普通のファイルではありません" not in err:
                problems.append(f"chart -o {os.path.basename(node)}: exit status {done.returncode}, {err.strip()!r}")
            if not kind(os.stat(node).st_mode):
                problems.append(f"chart -o {os.path.basename(node)}: no longer what it was")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fare", required=True)
    parser.add_argument("--tables", required=True)
    a = parser.parse_args()
    failed = 0
    for case in CASES:
        problems = run(a.fare, a.tables, case)
        print(("FAIL " if problems else "ok   ") + case[0] + ("" if not problems else ": " + "; ".join(problems)))
        failed += bool(problems)
    problems = failed_writes(a.fare, a.tables)
    print(("FAIL " if problems else "ok   ") + "output that cannot be written whole exits 2" +
          ("" if not problems else ": " + "; ".join(problems)))
    failed += bool(problems)
    print(f"{len(CASES) + 1 - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
