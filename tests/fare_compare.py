#!/usr/bin/env python3
"""Asks mkd-fare and the screens the same enquiries and compares the answers.

Each line of the case file (tests/fare_cases.txt) becomes one mkd-fare
command (--json) and one scenario file for mkd-scenario: the clicks a user
makes for that enquiry, then an `expect` for every label of the result screen
holding what mkd-fare answered, or, where mkd-fare refuses, a check that the
screens refuse too (their message, or the control they leave off). The test
passes when mkd-scenario finds every expectation met.

  fare_compare.py --fare PATH --scenario PATH --appdir DIR [--cases FILE]
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

PASSENGER_BUTTON = {"adult": "cmdOtona", "child": "cmdKodomo", "student": "cmdGakuwari"}
TRIPS = {"one": "one-way", "round": "round-trip"}
ANSWERED, REFUSED = 0, 1


class Case:
    def __init__(self, line_no, words):
        if len(words) != 8:
            raise ValueError(f"line {line_no}: 8 columns expected, found {len(words)}")
        self.line = line_no
        (self.kind, self.origin, self.destination, self.passenger,
         trip, self.routing, date, section) = words
        self.trip = TRIPS[trip]
        self.date = None if date == "-" else tuple(int(p) for p in date.split("-"))
        self.section = None if section == "-" else section.split(":")

    def fare_args(self):
        args = [self.origin, self.destination, "--kind", self.kind, "--passenger", self.passenger,
                "--trip", self.trip, "--json"]
        if self.routing == "change":
            args.append("--change")
        if self.date:
            args += ["--date", "%04d-%02d-%02d" % self.date]
        if self.section:
            args += ["--section"] + self.section
        return args


def read_cases(path):
    cases = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            # ASCII blanks only: a display name holds an ideographic space.
            words = re.split(r"[ \t]+", line.split("#", 1)[0].strip(" \t\r\n"))
            words = [w for w in words if w]
            if words:
                cases.append(Case(n, words))
    return cases


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def display(station):
    return station["display"] if station else ""


def read_kinds(scenario):
    """The screens of each kind of enquiry, as the program itself lists them."""
    run = subprocess.run([scenario, "--list-kinds"], capture_output=True, text=True, check=True)
    return {k["id"]: k for k in (json.loads(line) for line in run.stdout.splitlines())}


def scenario_for(case, answer, kinds):
    """The user's clicks for `case`, and the checks that the screens show `answer`."""
    s = ["# " + " ".join(case.fare_args()), "start",
         f"select frmStart.cboHatu {answer['departure']['index']}",
         f"select frmStart.cboTyaku {answer['arrival']['index']}"]
    refused = answer.get("refused")
    reason = refused["reason"] if refused else None
    kind = kinds[case.kind]

    def expect_message(screen="frmStart"):
        s.append("expect message " + quote(refused["message"]))
        s.append(f"expect {screen} visible 1")
        return s

    # The Marine Liner's menu and its 指定席 item are left off rather than refusing with a message.
    if reason == "marine-not-offered":
        s.append("expect frmStart.mnuMarine enabled 0")
        return s
    if reason == "marine-seat-not-offered":
        s.append("expect frmStart.mnuSitei enabled 0")
        return s
    entry = kind["entry"]
    if kind["entry_menu"]:
        s.append(f"expect frmStart.{kind['entry_menu']} enabled 1")
        s.append(f"expect frmStart.{entry} enabled 1")
    s.append(f"click frmStart.{entry}")
    if reason in ("same-station", "local-train-advised"):
        return expect_message()
    section_screen = kind["section"]
    if section_screen:
        section = answer.get("section")
        if section:
            s.append(f"select {section_screen}.cboHatu {section['from']['index']}")
            s.append(f"select {section_screen}.cboTyaku {section['to']['index']}")
        s.append(f"click {section_screen}.{kind['leave_section']}")
        if reason == "same-section-stop":
            return expect_message(section_screen)
    if kind["date"]:
        s += date_steps(kind["date"], case.date)
    choice = kind["choice"]

    s.append(f"expect {choice} visible 1")
    if reason == "student-not-offered":
        s.append(f"expect {choice}.cmdGakuwari enabled 0")
        return s
    if case.trip == "round-trip":
        s.append(f"click {choice}.optOfuku")
    if reason == "change-not-offered":
        s.append(f"expect {choice}.fraNorikae visible 0")
        return s
    if case.routing == "change":
        s.append(f"click {choice}.optNorikae")
    if refused:
        raise ValueError(f"line {case.line}: no screen check for the refusal '{reason}'")
    s.append(f"click {choice}.{PASSENGER_BUTTON[case.passenger]}")

    if answer["screen"] == "frmKekka":
        s += [f"expect frmKekka.lblHatu text {quote(display(answer['departure']))}",
              f"expect frmKekka.lbltyaku text {quote(display(answer['arrival']))}",
              f"expect frmKekka.lblBill text {quote(answer['bill'])}",
              f"expect frmKekka.lblYen text {quote(answer['fare']['text'])}"]
    else:
        charge = answer["charge"]
        section = charge["section"] or {"from": None, "to": None}
        s += [f"expect frmKekkaT.lblBill text {quote(answer['bill'])}",
              f"expect frmKekkaT.lblHatu text {quote(display(answer['departure']))}",
              f"expect frmKekkaT.lbltyaku text {quote(display(answer['arrival']))}",
              f"expect frmKekkaT.lblYen text {quote(answer['fare']['text'])}",
              f"expect frmKekkaT.lblBillT text {quote(charge['caption'])}",
              f"expect frmKekkaT.lblHatuT text {quote(display(section['from']))}",
              f"expect frmKekkaT.lblTyakuT text {quote(display(section['to']))}",
              f"expect frmKekkaT.lblYenT text {quote(charge['text'])}",
              f"expect frmKekkaT.lblGoukei text {quote(answer['total']['text'])}"]
    s.append("expect no-message")
    return s


def date_steps(screen, date):
    year, month, day = date
    return [f"select {screen}.cboNen {year - 2002}", f"select {screen}.cboTuki {month - 1}",
            f"select {screen}.cboNiti {day - 1}", f"click {screen}.cmdNext"]


def check_coverage(cases, answers, kinds):
    """The case list must keep covering every kind of enquiry and choice."""
    answered = [(c, a) for c, a in zip(cases, answers) if "refused" not in a]
    wanted = {
        "kind": set(kinds),
        "passenger": {"adult", "child", "student"},
        "trip": {"one-way", "round-trip"},
        "routing": {"through", "change"},
    }
    missing = []
    for key, values in wanted.items():
        seen = {a[key] for _, a in answered}
        missing += [f"{key} {v}" for v in sorted(values - seen)]
    for kind in (k for k, screens in kinds.items() if screens["date"]):
        seen = {a["season"] for c, a in answered if c.kind == kind}
        missing += [f"{kind} in the {s} season" for s in sorted({"busy", "normal", "off-peak"} - seen)]
    refusals = {a["refused"]["reason"] for a in answers if "refused" in a}
    for reason in ("same-station", "local-train-advised", "same-section-stop", "student-not-offered",
                   "change-not-offered", "marine-not-offered", "marine-seat-not-offered"):
        if reason not in refusals:
            missing.append("a refusal " + reason)
    return missing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fare", required=True)
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--appdir", required=True)
    parser.add_argument("--cases", default=os.path.join(HERE, "fare_cases.txt"))
    parser.add_argument("--keep", help="write the scenario files to this folder and keep them")
    args = parser.parse_args()

    cases = read_cases(args.cases)
    kinds = read_kinds(args.scenario)
    problems = []
    answers = []
    for case in cases:
        # The screens speak Japanese in the scenarios: so must the messages compared with theirs.
        run = subprocess.run([args.fare, "--appdir", args.appdir, "--lang", "ja"] + case.fare_args(),
                             capture_output=True, text=True)
        try:
            answer = json.loads(run.stdout)
        except json.JSONDecodeError:
            problems.append(f"line {case.line}: mkd-fare gave no JSON (status {run.returncode}): {run.stderr}")
            answers.append({"refused": {"reason": "?", "message": ""}})
            continue
        answers.append(answer)
        expected_status = REFUSED if "refused" in answer else ANSWERED
        if run.returncode != expected_status:
            problems.append(f"line {case.line}: status {run.returncode}, expected {expected_status}")
        for role, name in (("departure", case.origin), ("arrival", case.destination)):
            if name not in (answer[role]["name"], answer[role]["display"]):
                problems.append(f"line {case.line}: {role} {name} read as {answer[role]['name']}")

    problems += ["the cases no longer cover " + m for m in check_coverage(cases, answers, kinds)]

    with tempfile.TemporaryDirectory() as scratch:
        folder = args.keep or scratch
        os.makedirs(folder, exist_ok=True)
        files = []
        for case, answer in zip(cases, answers):
            if answer.get("refused", {}).get("reason") == "?":
                continue
            path = os.path.join(folder, f"case_line_{case.line:03d}.scn")
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(scenario_for(case, answer, kinds)) + "\n")
            files.append(path)
        replay = subprocess.run([args.scenario, "--appdir", os.path.abspath(args.appdir), "--today", "2007-08-12"]
                                + files, capture_output=True, text=True)
        report = replay.stdout.strip().splitlines()
        last = report[-1] if report else ""
        print(f"{len(cases)} cases; screens: {last}")
        if replay.returncode != 0 or not last.endswith(" 0 failed") or last.startswith("0 passed"):
            problems.append("the screens disagree:\n" + replay.stdout + replay.stderr)

    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
