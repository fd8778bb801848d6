#!/usr/bin/env python3
"""The expense claim as an Excel workbook, read back as an accounts office would.

mkd-fare journeys --xlsx on a list of three journeys in October 2007 and two
in November: openpyxl finds the rows with real dates, amounts as numbers, a
subtotal per month and a SUM total that add up to the amounts, purposes that
look like formulas kept as text; LibreOffice (headless, its own profile in a
temporary folder) converts it to CSV with the Japanese intact. chart --xlsx
gives a table of numbers; --xlsx without -o is a usage error.

  claim_xlsx.py --fare PATH --appdir DIR [--soffice PATH]
"""
import argparse
import csv
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile

import openpyxl
from openpyxl.utils import range_boundaries

ROWS = [  # date, from, to, kind, amount, purpose
    ("2007-10-02", 0, 6, "local", 1470, "会議 本社"),
    ("2007-10-15", 6, 0, "local", 1470, "=1+1"),
    ("2007-10-30", 0, 60, "reserved", 8870, "+cmd|' /C calc'!A0"),
    ("2007-11-05", 3, 4, "local", 210, "@SUM(A1)"),
    ("2007-11-20", 4, 3, "local", 210, "研修"),
]


def write_list(home):
    folder = os.path.join(home, ".local", "share", "mkd")
    os.makedirs(folder)
    with open(os.path.join(folder, "journeys.tsv"), "w", encoding="utf-8") as f:
        f.write("# mkd journeys 1\n")
        for date, a, b, kind, amount, note in ROWS:
            f.write(f"{date}\t{a}\t{b}\t{kind}\tadult\tone-way\t{amount}\t0123456789abcdef\t{note}\n")


def run(fare, home, *args):
    env = dict(os.environ, HOME=home, LANG="C.UTF-8", LC_ALL="")
    env.pop("XDG_DATA_HOME", None)
    return subprocess.run([fare, *args], env=env, capture_output=True, text=True, timeout=120)


def check_claim(path, failures):
    book = openpyxl.load_workbook(path)
    cached = openpyxl.load_workbook(path, data_only=True)
    sheet, values = book.active, cached.active
    text = [[c.value for c in row] for row in sheet.iter_rows()]
    if not any(isinstance(v, str) and "交通費精算書" in v for row in text for v in row):
        failures.append("no title")
    if not any(isinstance(v, str) and "2007-10-02" in v and "2007-11-20" in v for row in text for v in row):
        failures.append("no period 2007-10-02 to 2007-11-20")
    if not any(isinstance(v, str) and "みちくさダイヤ" in v and "2007-04-01" in v for row in text for v in row):
        failures.append("no program and edition line")
    dated = [r for r in sheet.iter_rows() if isinstance(r[0].value, datetime.datetime)]
    if len(dated) != 5:
        failures.append(f"{len(dated)} rows with a date cell, not 5")
    amounts = {}
    for r in dated:
        if not isinstance(r[6].value, (int, float)) or r[6].data_type != "n":
            failures.append(f"amount of row {r[0].row} is no number: {r[6].value!r}")
        amounts[r[6].coordinate] = r[6].value
        if r[7].data_type != "s":
            failures.append(f"purpose of row {r[0].row} is no text cell: {r[7].value!r}")
    notes = [r[7].value for r in dated]
    if notes != [row[5] for row in ROWS]:
        failures.append(f"purposes changed: {notes}")
    if sorted(amounts.values()) != sorted(row[4] for row in ROWS):
        failures.append(f"amounts {sorted(amounts.values())}")

    def formula_sum(formula):
        total = 0
        for ref in re.findall(r"[A-Z]+\d+(?::[A-Z]+\d+)?", formula[1:]):
            c1, r1, c2, r2 = range_boundaries(ref if ":" in ref else ref + ":" + ref)
            for row in range(r1, r2 + 1):
                for col in range(c1, c2 + 1):
                    cell = sheet.cell(row=row, column=col)
                    if cell.coordinate not in amounts:
                        failures.append(f"{formula} takes {cell.coordinate}, no journey's amount")
                    total += amounts.get(cell.coordinate, 0)
        return total

    formulas = [r[6] for r in sheet.iter_rows() if isinstance(r[6].value, str) and r[6].value.startswith("=")]
    subtotals = [f for f in formulas if "小計" in str(sheet.cell(row=f.row, column=1).value)]
    totals = [f for f in formulas if sheet.cell(row=f.row, column=1).value == "合計"]
    if [formula_sum(f.value) for f in subtotals] != [1470 + 1470 + 8870, 210 + 210]:
        failures.append(f"subtotals {[f.value for f in subtotals]}")
    if len(totals) != 1 or not totals[0].value.startswith("=SUM(") or formula_sum(totals[0].value) != 12230:
        failures.append(f"total {[f.value for f in totals]}")
    elif values[totals[0].coordinate].value != 12230:
        failures.append(f"total's cached value {values[totals[0].coordinate].value!r}")
    for f in subtotals:
        if values[f.coordinate].value != formula_sum(f.value):
            failures.append(f"subtotal {f.coordinate} caches {values[f.coordinate].value!r}")
    if "yyyy" not in dated[0][0].number_format or "円" not in dated[0][6].number_format:
        failures.append(f"formats {dated[0][0].number_format!r} {dated[0][6].number_format!r}")


def check_libreoffice(soffice, path, tmp, failures):
    profile = os.path.join(tmp, "lo-profile")
    out = os.path.join(tmp, "csv")
    env = dict(os.environ, HOME=os.path.join(tmp, "lo-home"))
    os.makedirs(env["HOME"], exist_ok=True)
    try:
        subprocess.run([soffice, f"-env:UserInstallation=file://{profile}", "--headless", "--norestore",
                        "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", out, path],
                       env=env, capture_output=True, timeout=180, check=True)
    except subprocess.TimeoutExpired:
        failures.append("LibreOffice did not convert within 180 s")
        return
    with open(os.path.join(out, os.path.splitext(os.path.basename(path))[0] + ".csv"), encoding="utf-8") as f:
        rows = list(csv.reader(f))
    flat = [c for row in rows for c in row]
    for word in ("交通費精算書", "会議 本社", "岡山", "=1+1", "@SUM(A1)", "2007-10-02"):
        if word not in flat:
            failures.append(f"LibreOffice's CSV lacks {word!r}")
    totals = [row for row in rows if row and row[0] == "合計"]
    if not totals or not re.sub(r"[^0-9]", "", totals[0][6]) == "12230":
        failures.append(f"LibreOffice's total {totals}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fare", required=True)
    parser.add_argument("--appdir", required=True)
    parser.add_argument("--soffice", default=shutil.which("soffice"))
    args = parser.parse_args()
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        home = os.path.join(tmp, "home")
        write_list(home)
        tables = os.path.join(tmp, "app")
        shutil.copytree(args.appdir, tables)
        with open(os.path.join(tables, "Untin", "EDITION"), "w", encoding="utf-8") as f:
            f.write("2007-04-01\n")
        path = os.path.join(tmp, "交通費明細_2007-10.xlsx")
        done = run(args.fare, home, "journeys", "--xlsx", "-o", path, "--appdir", tables)
        if done.returncode != 0:
            failures.append(f"journeys --xlsx: status {done.returncode}: {done.stderr}")
        else:
            check_claim(path, failures)
            if args.soffice:
                check_libreoffice(args.soffice, path, tmp, failures)
            else:
                print("LibreOffice not installed: conversion not checked")
        if run(args.fare, home, "journeys", "--xlsx").returncode != 2:
            failures.append("--xlsx without -o is no usage error")
        chart = os.path.join(tmp, "chart.xlsx")
        done = run(args.fare, home, "chart", "--xlsx", "-o", chart, "--appdir", tables)
        if done.returncode != 0:
            failures.append(f"chart --xlsx: status {done.returncode}: {done.stderr}")
        else:
            sheet = openpyxl.load_workbook(chart).active
            numbers = sum(1 for row in sheet.iter_rows() for c in row if c.data_type == "n" and c.value)
            if numbers < 107 * 100:
                failures.append(f"chart has {numbers} amounts")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
