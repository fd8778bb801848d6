#!/usr/bin/env python3
"""Replays scenario files in English and in Japanese and compares the amounts.

Each scenario's actions are replayed twice, without its checks, with a `dump`
after every action: once with --lang en, once with --lang ja. Every amount
the screens show (fare, charge, total) must read the same number in both
languages at every step ("¥1,230" and "1,230円" are the same amount).

  same_amounts.py --scenario PATH FILE...
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

AMOUNT_LABELS = ("lblYen", "lblYenT", "lblGoukei")
SCREEN = re.compile(r"^(\w+) (?:shown|hidden) ")
LABEL = re.compile(r'^  (\w+) text "([^"]*)"')


def replay_without_checks(path, out):
    folder = os.path.dirname(os.path.abspath(path))
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#") or words[0] == "expect":
                continue
            if words[0] == "appdir":
                line = "appdir " + os.path.join(folder, words[1]) + "\n"
            out.write(line)
            if words[0] in ("start", "restart", "select", "click", "close"):
                out.write("dump\n")


def amounts(program, scenario, lang):
    run = subprocess.run([program, "--lang", lang, "--today", "2007-08-12", scenario],
                         capture_output=True, text=True, encoding="utf-8")
    if run.returncode != 0:
        sys.exit(f"{scenario} in {lang} failed:\n{run.stdout}{run.stderr}")
    found, screen = [], None
    for line in run.stdout.splitlines():
        if m := SCREEN.match(line):
            screen = m.group(1)
        elif (m := LABEL.match(line)) and m.group(1) in AMOUNT_LABELS:
            found.append((screen, m.group(1), re.sub(r"[¥円,]", "", m.group(2))))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scenario", required=True)
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    failed = False
    for path in args.files:
        with tempfile.NamedTemporaryFile("w", suffix=".scn", encoding="utf-8", delete=False) as out:
            replay_without_checks(path, out)
        try:
            english, japanese = amounts(args.scenario, out.name, "en"), amounts(args.scenario, out.name, "ja")
        finally:
            os.unlink(out.name)
        shown = [a for a in english if a[2]]
        if not shown or english != japanese:
            failed = True
            print(f"{path}: amounts differ or none shown\n  en {english}\n  ja {japanese}")
        else:
            print(f"{path}: {len(shown)} amounts the same in both languages")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
