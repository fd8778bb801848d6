#!/usr/bin/env python3
"""mkd-fare's own surface: plain-text answers, compare, chart, the travel-date
bounds and the exit statuses, on tests/tables/formula, where every amount can
be worked out by hand (tests/tables/README.md): fares 1000 + 10·|d−a|, each
charge table base + 10·d + a.

  fare_cli.py --fare PATH --tables DIR
"""
import argparse
import csv
import io
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

FARE = None
TABLES = None
ANSWERED, REFUSED, USAGE, TABLE_ERROR = 0, 1, 2, 3


# No language of the system's (Japanese, the program's own), unless a test
# sets one.
PLAIN = {**os.environ, "LC_ALL": "", "LC_MESSAGES": "", "LANG": "C.UTF-8"}


def run(*args, tables=None, env=None):
    # --appdir goes after a subcommand: before it, it is the enquiry's own.
    done = subprocess.run([FARE, *args, "--appdir", tables or TABLES], capture_output=True, text=True,
                          env={**PLAIN, **(env or {})})
    return done.returncode, done.stdout, done.stderr


class PlainText(unittest.TestCase):
    def test_result_screens_top_to_bottom(self):
        cases = [
            (["岡山", "宇和島"], "検索結果\n岡　山 ⇒ 宇和島\nおとな片道運賃 2,060円\n"),
            (["岡山", "宇和島", "--kind", "reserved", "--date", "2007-08-12"],
             "検索結果 (おとな片道)\n乗車日 2007-08-12\n運賃 岡　山 ⇒ 宇和島 2,060円\n"
             "指定席特急料金(繁忙期) 岡　山 ⇒ 宇和島 3,025円\n合計 5,085円\n"),
            # Marine reserved: fixed charges, no stations on the charge line.
            (["岡山", "高松", "--kind", "marine-reserved", "--season", "off-peak", "--round-trip"],
             "検索結果 (おとな往復)\n運賃 岡　山 ⇒ 高　松 2,240円\n指定席料金(閑散期) 620円\n合計 2,860円\n"),
        ]
        for args, expected in cases:
            status, out, _ = run(*args)
            self.assertEqual((status, out), (ANSWERED, expected), args)


class Statuses(unittest.TestCase):
    def test_each_outcome_has_its_status(self):
        cases = [
            (["岡山", "岡山"], REFUSED, "乗車駅と降車駅が同じですよ。"),
            (["岡山", "宇和島", "--kind", "non-reserved", "--section", "松山", "松山"], REFUSED,
             "区間の乗車駅と降車駅が同じですよ。"),
            (["岡山", "大元", "--passenger", "student"], REFUSED, "100 km"),
            (["岡山", "東京"], USAGE, "'東京' という駅はありません"),
            (["岡山", "宇和島", "--kind", "bogus"], USAGE, "bogus"),
            (["岡山"], USAGE, "乗車駅と降車駅を指定してください"),
            # A date the local train does not read is still checked.
            (["岡山", "宇和島", "-d", "--json"], USAGE, "'--json' は YYYY-MM-DD の日付ではありません"),
        ]
        for args, status, words in cases:
            got, _, err = run(*args)
            self.assertEqual(got, status, args)
            self.assertIn(words, err, args)

    def test_stations_no_command_takes_are_a_usage_error(self):
        # Stations given beside a subcommand (before it, or after its "--")
        # were dropped in silence; with --json among them the answer was text.
        for args in (["compare", "岡山", "宇和島", "--", "x"], ["岡山", "高松", "compare", "岡山", "宇和島"],
                     ["compare", "岡山", "宇和島", "--", "-103", "--", "--json"]):
            done = subprocess.run([FARE, "--appdir", TABLES, *args], capture_output=True, text=True, env=PLAIN)
            self.assertEqual((done.returncode, done.stdout), (USAGE, ""), args)
            self.assertIn("not expected", done.stderr, args)

    def test_a_broken_table_is_a_table_error(self):
        basic = os.path.join(os.path.dirname(TABLES), "basic")  # no express tables at all
        for lang, words in (("ja", "料金表ファイルを読めません"), ("en", "Cannot read the table file")):
            status, _, err = run("串", "岡山", "--kind", "green", "--lang", lang, tables=basic)
            self.assertEqual(status, TABLE_ERROR)
            self.assertIn(words, err)
            self.assertIn("Green.txt", err)


class Check(unittest.TestCase):
    def test_reports_in_english_or_japanese(self):
        basic = os.path.join(os.path.dirname(TABLES), "basic")  # the express tables are missing
        for lang, words in ((["--lang", "en"], ": fatal: missing, unreadable or not a file"),
                            (["--lang", "ja"], ": 致命的: ないか、読めないか、ファイルではありません")):
            done = subprocess.run([FARE, "check", basic, *lang], capture_output=True, text=True, env=PLAIN)
            self.assertEqual(done.returncode, 2, lang)
            self.assertIn("Jiyu.txt" + words, done.stdout, lang)


class TravelDates(unittest.TestCase):
    def test_only_the_listed_dates(self):
        cases = [("2002-01-01", ANSWERED), ("2008-12-31", ANSWERED), ("2003-02-31", ANSWERED),
                 ("2001-12-31", REFUSED), ("2009-01-01", REFUSED), ("2005-13-01", REFUSED),
                 ("2005-01-32", REFUSED), ("2005-01-00", REFUSED), ("2005-01", USAGE), ("yesterday", USAGE)]
        for date, status in cases:
            got, _, err = run("岡山", "宇和島", "--kind", "reserved", "--date", date)
            self.assertEqual(got, status, date)
            if status == REFUSED:
                self.assertIn("2002年から2008年", err, date)

    def test_the_reason_for_the_season_is_given(self):
        _, out, _ = run("岡山", "宇和島", "--kind", "reserved", "--date", "2004-02-31", "--json")
        answer = json.loads(out)
        self.assertEqual(answer["date"], "2004-03-02")
        self.assertEqual(answer["rolled_over"], "平成16年2月31日は、3月2日のことです。")
        self.assertEqual(answer["season_reason"], "3月1日から20日までは通常期です。")


class Compare(unittest.TestCase):
    def test_every_way_side_by_side(self):
        status, out, _ = run("compare", "岡山", "宇和島", "--date", "2007-10-10")
        self.assertEqual(status, ANSWERED)
        # Columns are padded with two blanks or more; words hold one at most.
        rows = {cells[0]: cells[1:] for cells in (re.split(r" {2,}", line) for line in out.splitlines()[2:])}
        self.assertEqual(rows["普通列車"], ["2,060円", "4,120円"])
        self.assertEqual(rows["特急 自由席 直通"], ["3,085円", "6,170円"])
        self.assertEqual(rows["特急 自由席 松山乗換"], ["4,272円", "8,544円"])
        self.assertEqual(rows["特急 指定席 (通常期) 松山乗換"], ["7,872円", "15,744円"])
        self.assertIn("宇和島はその外です", " ".join(rows["マリンライナー グリーン車"]))

    def test_options_before_the_subcommand_count(self):
        done = subprocess.run([FARE, "--appdir", TABLES, "-p", "child", "compare", "岡山", "宇和島"],
                              capture_output=True, text=True, env=PLAIN)
        self.assertEqual(done.returncode, ANSWERED)
        self.assertIn("こども", done.stdout.splitlines()[0])
        self.assertIn("1,030円", done.stdout)  # 500 + 5·106, not the sample tables' fare

    def test_party_totals_are_the_single_enquiries_times_the_people(self):
        # Each party total against the plain enquiries of mkd-fare, asked one
        # passenger and one trip at a time.
        party = {"adult": 2, "child": 1, "student": 3}
        status, out, _ = run("compare", "岡山", "宇和島", "--date", "2007-08-12", "--adults", "2", "--children", "1",
                             "--students", "3", "--json")
        self.assertEqual(status, ANSWERED)
        answer = json.loads(out)
        self.assertEqual(answer["party"], {"adults": 2, "children": 1, "students": 3})
        self.assertEqual(answer["validity_days"], {"one_way": 2, "round_trip": 4})
        cheapest = []
        for option in answer["options"]:
            if "refused" in option:
                self.assertIn("refused", option["party"]["one_way"])
                continue
            for trip, flag in (("one_way", []), ("round_trip", ["--round-trip"])):
                total = 0
                for passenger, people in party.items():
                    args = ["岡山", "宇和島", "--kind", option["kind"], "--passenger", passenger,
                            "--date", "2007-08-12", "--json", *flag]
                    if option["routing"] == "change":
                        args.append("--change")
                    single = json.loads(run(*args)[1])
                    self.assertEqual(option["classes"][passenger][trip]["total"], single["total"])
                    total += people * single["total"]["yen"]
                self.assertEqual(option["party"][trip]["total"]["yen"], total, option["label"])
            if option["party"]["one_way"]["cheapest"]:
                cheapest.append(option["party"]["one_way"]["total"]["yen"])
        self.assertEqual(cheapest, [min(o["party"]["one_way"]["total"]["yen"] for o in answer["options"]
                                        if "total" in o["party"]["one_way"])])

    def test_a_class_a_way_does_not_offer_leaves_no_party_total(self):
        status, out, _ = run("compare", "岡山", "高松", "--adults", "1", "--students", "1", "--lang", "en")
        self.assertEqual(status, REFUSED)
        self.assertIn("students 1", out.splitlines()[0])
        self.assertIn("The student fare is only for journeys over 100 km (this one is 12 km).", out)

    def test_nothing_offered_is_a_refusal(self):
        status, out, _ = run("compare", "松山", "松山", "--json")
        self.assertEqual(status, REFUSED)
        reasons = {o["refused"]["reason"] for o in json.loads(out)["options"]}
        self.assertEqual(reasons, {"same-station", "marine-not-offered"})


class Chart(unittest.TestCase):
    def test_one_price_for_every_pair(self):
        status, out, _ = run("chart", "--kind", "green", "--price", "charge")
        self.assertEqual(status, ANSWERED)
        rows = [line.split(",") for line in out.splitlines()]
        self.assertEqual(len(rows), 108)
        self.assertEqual(rows[0][:3], ["乗車駅\\降車駅", "岡山", "大元"])
        self.assertEqual(rows[1][107], "5150")  # Green 4025 + GToku 1125, 岡山 → 宇和島
        self.assertEqual(rows[1][1], "")        # the same station is refused
        self.assertEqual(rows[1][2], "")        # 岡山 → 大元: a local train is advised

    def test_written_to_a_file(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "local.csv")
            status, out, _ = run("chart", "--trip", "round-trip", "-o", path)
            self.assertEqual((status, out), (ANSWERED, ""))
            with open(path, encoding="utf-8") as f:
                self.assertEqual(f.read().splitlines()[1].split(",")[107], "4120")

    def test_for_excel_a_byte_order_mark_and_cr_lf(self):
        done = subprocess.run([FARE, "chart", "--appdir", TABLES], capture_output=True, env=PLAIN)
        excel = subprocess.run([FARE, "chart", "--excel", "--appdir", TABLES], capture_output=True, env=PLAIN)
        self.assertEqual(excel.returncode, ANSWERED)
        self.assertTrue(excel.stdout.startswith(b"\xef\xbb\xbf"))
        self.assertEqual(excel.stdout.count(b"\r\n"), 108)
        self.assertEqual(excel.stdout[3:].replace(b"\r\n", b"\n"), done.stdout)

    def test_a_file_that_cannot_be_written_is_an_error(self):
        with tempfile.TemporaryDirectory() as folder:
            status, _, err = run("chart", "-o", folder, "--lang", "en")
            self.assertEqual(status, USAGE)
            self.assertIn("cannot write", err)

    def test_no_charge_on_the_local_train(self):
        status, _, err = run("chart", "--price", "charge", "--lang", "en")
        self.assertEqual(status, USAGE)
        self.assertIn("no charge", err)


class Split(unittest.TestCase):
    """On the shipped sample tables (beside mkd-fare), where bands make splits pay."""

    def split(self, *args):
        return run("split", *args, tables=os.path.dirname(FARE))

    def test_names_the_tickets_the_saving_and_what_is_given_up(self):
        status, out, _ = self.split("岡山", "下灘")
        self.assertEqual(status, ANSWERED)
        for words in ("通しの切符 4,550円", "2枚に分けると 340円安くなります（上の町で分割）", "岡山 ⇒ 上の町",
                      "上の町 ⇒ 下灘", "合計 4,210円", "有効期間: 通しの切符は 3日、分けた切符は短いもので 1日"):
            self.assertIn(words, out)
        status, out, _ = self.split("高松", "坂出")
        self.assertEqual(status, ANSWERED)
        self.assertIn("安くなりません", out)

    def test_every_pair_as_csv_agrees_with_single_answers(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "splits.csv")
            status, out, _ = self.split("--all", "-p", "student", "-o", path)
            self.assertEqual((status, out), (ANSWERED, ""))
            with open(path, encoding="utf-8") as f:
                rows = [line.split(",") for line in f.read().splitlines()]
        self.assertEqual(rows[0], ["departure", "arrival", "through", "best", "saving", "split_at"])
        self.assertEqual(len(rows), 1 + 107 * 106)
        for row in rows[1::997]:
            status, out, _ = self.split(row[0], row[1], "-p", "student", "--json")
            answer = json.loads(out)
            self.assertEqual(status, ANSWERED, row)
            amounts = [answer["through"]["amount"], answer["total"], answer["saving"]]
            self.assertEqual(row[2:5], [str(a["yen"]) for a in amounts], row)
            self.assertEqual(row[5], ";".join(s["name"] for s in answer["split_at"]), row)

    def test_usage_and_refusals(self):
        cases = [
            (["岡山", "岡山"], REFUSED, "乗車駅と降車駅が同じですよ。"),
            (["--all", "岡山", "松山"], USAGE, "--all"),
            (["岡山", "松山", "-o", "x.csv"], USAGE, "--all"),
            (["岡山"], USAGE, "--all"),
        ]
        for args, status, words in cases:
            got, _, err = self.split(*args)
            self.assertEqual(got, status, args)
            self.assertIn(words, err, args)

    def test_a_file_that_cannot_be_written_is_an_error(self):
        with tempfile.TemporaryDirectory() as folder:  # a folder is no file to write
            status, _, err = self.split("--all", "-o", folder)
            self.assertEqual(status, USAGE)
            self.assertIn("書き込めません", err)
# The journey list mkd keeps in $XDG_DATA_HOME/mkd/journeys.tsv, printed.
JOURNEYS = ("# mkd journeys 1\n"
            "2007-08-12\t0\t67\treserved\tadult\tone-way\t6930\t0123456789abcdef\t会議, \"本社\"\\n2日目\n"
            "2007-08-13\t67\t0\treserved\tchild\tround-trip\t7000\t-\t\n"
            "2007-09-01\t3\t4\tlocal\tstudent\tone-way\t1234.5\t-\tback\\\\slash\n")
JOURNEY_ROWS = [
    ["2007-08-12", "岡山", "松山", "特急 指定席", "おとな", "片道", "6930", "会議, \"本社\"\n2日目", "別の料金表で計算 (01234567)"],
    ["2007-08-13", "松山", "岡山", "特急 指定席", "こども", "往復", "7000", "", "別の料金表で計算"],
    ["2007-09-01", "妹尾", "備中箕島", "普通列車", "学割", "片道", "1235", "back\\slash", "別の料金表で計算"],
]


class Journeys(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        os.makedirs(os.path.join(self.home.name, "mkd"))
        self.file = os.path.join(self.home.name, "mkd", "journeys.tsv")
        with open(self.file, "w", encoding="utf-8", newline="") as f:
            f.write(JOURNEYS)
        self.env = {"XDG_DATA_HOME": self.home.name}

    def tearDown(self):
        self.home.cleanup()

    def journeys(self, *args):
        return subprocess.run([FARE, "journeys", *args, "--appdir", TABLES], capture_output=True,
                              env={**PLAIN, **self.env})

    def test_csv_reads_back_as_the_list(self):
        # Python's csv module, as a spreadsheet would; for Excel, with its mark.
        for option, encoding in (("--csv", "utf-8"), ("--excel", "utf-8-sig")):
            done = self.journeys(option)
            self.assertEqual(done.returncode, ANSWERED, done.stderr)
            self.assertEqual(done.stdout.startswith(b"\xef\xbb\xbf"), option == "--excel")
            self.assertTrue(done.stdout.endswith(b"\r\n"))
            rows = list(csv.reader(io.StringIO(done.stdout.decode(encoding), newline="")))
            self.assertEqual(rows[0], ["乗車日", "乗車駅", "降車駅", "種別", "区分", "片道・往復", "金額", "用務", "料金表"])
            self.assertEqual(rows[1:-1], JOURNEY_ROWS, option)
            self.assertEqual(rows[-1], ["合計", "", "", "", "", "", "15165", "", ""])  # whole yen, as the screens round
        done = self.journeys("--csv", "--month", "2007-08")
        rows = list(csv.reader(io.StringIO(done.stdout.decode("utf-8"), newline="")))
        self.assertEqual(rows[1:], JOURNEY_ROWS[:2] + [["合計", "", "", "", "", "", "13930", "", ""]])

    def test_excel_keeps_what_looks_like_a_formula_as_text(self):
        # For Excel, a text cell a spreadsheet would run goes behind a "'";
        # the plain CSV keeps every cell exactly.
        notes = ["=1+1", "+cmd|' /C calc'!A0", "@SUM(A1)", "-1+1", "\tx", "plain", "1-1"]
        with open(self.file, "w", encoding="utf-8", newline="") as f:
            f.write("# mkd journeys 1\n")
            for note in notes:
                f.write("2007-08-12\t0\t67\tlocal\tadult\tone-way\t-5\t-\t" + note.replace("\t", "\\t") + "\n")
        for option, encoding, expected in (
                ("--excel", "utf-8-sig", ["'" + n if n[0] in "=+-@\t" else n for n in notes]),
                ("--csv", "utf-8", notes)):
            done = self.journeys(option)
            rows = list(csv.reader(io.StringIO(done.stdout.decode(encoding), newline="")))
            self.assertEqual([r[7] for r in rows[1:-1]], expected, option)
            self.assertEqual({r[6] for r in rows[1:-1]}, {"-5"}, option)  # an amount stays a number

    def test_json_and_text(self):
        done = self.journeys("--json", "--lang", "en")
        out = json.loads(done.stdout)
        self.assertEqual([j["amount"]["yen"] for j in out["journeys"]], [6930, 7000, 1235])
        self.assertEqual(out["total"]["yen"], 15165)
        self.assertEqual([j["same_tables"] for j in out["journeys"]], [False] * 3)
        self.assertEqual(out["journeys"][0]["from"], "Okayama")
        text = self.journeys().stdout.decode("utf-8")
        self.assertEqual(len(text.splitlines()), 5)
        self.assertIn("6,930円", text)
        self.assertIn("15,165円", text.splitlines()[-1])  # as the screens round

    def test_a_damaged_list_is_reported_and_left_as_it_is(self):
        with open(self.file, "a", encoding="utf-8") as f:
            f.write("2007-08-12\t0\n")
        done = self.journeys("--lang", "en")
        self.assertEqual(done.returncode, TABLE_ERROR)
        self.assertIn(b"journeys.tsv:5: it has 2 fields", done.stderr)
        with open(self.file, encoding="utf-8", newline="") as f:
            self.assertTrue(f.read().startswith(JOURNEYS))

    def test_a_list_saved_by_a_windows_editor_reads_the_same(self):
        expected = self.journeys("--csv").stdout
        with open(self.file, "w", encoding="utf-8-sig", newline="\r\n") as f:
            f.write(JOURNEYS + "\n")
        done = self.journeys("--csv")
        self.assertEqual(done.returncode, ANSWERED, done.stderr)
        self.assertEqual(done.stdout, expected)

    def test_no_list_yet_is_an_empty_list(self):
        os.remove(self.file)
        done = self.journeys("--csv")
        self.assertEqual(done.returncode, ANSWERED)
        self.assertEqual(done.stdout.decode("utf-8").splitlines()[-1], "合計,,,,,,0,,")


# Words a person reads, which differ between the languages; everything else
# in JSON (codes, amounts, station names) is the same in both.
DISPLAY_KEYS = {"message", "why", "text", "bill", "caption", "label", "season_reason", "rolled_over"}


def without_words(j):
    if isinstance(j, dict):
        return {k: without_words(v) for k, v in j.items() if k not in DISPLAY_KEYS}
    if isinstance(j, list):
        return [without_words(v) for v in j]
    return j


class Languages(unittest.TestCase):
    def test_the_same_answer_in_both_languages(self):
        cases = [
            (["岡山", "宇和島", "--passenger", "student", "--round-trip"], ANSWERED),
            (["児島", "宇和島", "--kind", "non-reserved", "--change"], ANSWERED),
            (["岡山", "宇和島", "--kind", "reserved", "--date", "2004-02-31"], ANSWERED),
            (["岡山", "松山", "--kind", "green", "--passenger", "child", "--section", "高松", "松山"], ANSWERED),
            (["岡山", "高松", "--kind", "marine-reserved", "--season", "off-peak"], ANSWERED),
            (["岡山", "坂出", "--kind", "marine-green", "--section", "岡山", "高松"], ANSWERED),
            (["岡山", "松山", "--kind", "marine-green"], REFUSED),
            (["岡山", "東京"], USAGE),
            (["compare", "岡山", "松山", "--date", "2007-10-10"], ANSWERED),
        ]
        for args, status in cases:
            answers = []
            for lang in ("ja", "en"):
                got, out, _ = run(*args, "--json", "--lang", lang)
                answers.append((got, without_words(json.loads(out))))
            self.assertEqual(answers[0], answers[1], args)
            self.assertEqual(answers[0][0], status, args)

    def test_an_english_answer_reads_in_english(self):
        status, out, _ = run("Okayama", "Uwajima", "--kind", "reserved", "--date", "2007-08-12", "--lang", "en")
        self.assertEqual((status, out), (ANSWERED, "Result Adult single\nTravel date 2007-08-12\n"
                                                   "Fare Okayama ⇒ Uwajima ¥2,060\n"
                                                   "Reserved, busy season Okayama ⇒ Uwajima ¥3,025\n"
                                                   "Total ¥5,085\n"))
        status, _, err = run("岡山", "松山", "--kind", "marine-green", "--lang", "en")
        self.assertEqual(status, REFUSED)
        self.assertIn("(Matsuyama is not one of them)", err)
        status, out, _ = run("compare", "岡山", "松山", "--lang", "en")
        self.assertIn("express, non-reserved", out)
        self.assertTrue(out.startswith("Okayama ⇒ Matsuyama  adult"), out)

    def test_a_station_by_any_name_a_person_may_type(self):
        for name in ("伊予西条", "いよさいじょう", "ｲﾖｻｲｼﾞｮｳ", "Iyo-Saijo", "iyo-saijo", "IYOSAIJO", "Iyo-Saijō", "43"):
            status, out, _ = run("岡山", name, "--json")
            self.assertEqual((status, json.loads(out)["arrival"]["english"]), (ANSWERED, "Iyo-Saijo"), name)
        # The finder's spellings and order: blanks, a station word, Kunrei.
        for name in ("岡　山", "okayama eki", "Okayama Station", "岡山駅"):
            status, out, _ = run(name, "宇和島", "--json")
            self.assertEqual((status, json.loads(out)["departure"]["english"]), (ANSWERED, "Okayama"), name)
        cases = [("matsu", "en", "'matsu' may be any of several stations: Matsuyama, Takamatsu, Uematsu, Iyo-Komatsu"),
                 ("matsu", "ja", "'matsu' に当てはまる駅が一つに決まりません: 松山、高松、植松、伊予小松"),
                 ("Tokyo", "en", "'Tokyo' is not a station")]
        for name, lang, words in cases:
            status, _, err = run(name, "宇和島", "--lang", lang)
            self.assertEqual((status, err), (USAGE, "mkd-fare: " + words + "\n"), name)

    def test_by_default_the_system_language(self):
        english, japanese = "Result\nOkayama ⇒ Uwajima\n", "検索結果\n岡　山 ⇒ 宇和島\n"
        cases = [
            ({"LANG": "en_US.UTF-8"}, [], english),
            ({"LANG": "ja_JP.UTF-8"}, [], japanese),
            ({"LANG": "de_DE.UTF-8"}, [], japanese),
            ({"LC_MESSAGES": "en_GB.UTF-8"}, [], english),
            ({"LC_ALL": "C", "LANG": "en_US.UTF-8"}, [], japanese),
            ({"LANG": "en_US.UTF-8"}, ["--lang", "ja"], japanese),
            ({}, ["--lang", "EN"], english),
        ]
        for env, lang, start in cases:
            _, out, _ = run("岡山", "宇和島", *lang, env=env)
            self.assertTrue(out.startswith(start), (env, lang, out))
        # --lang before a subcommand counts for it, as do the others.
        done = subprocess.run([FARE, "--lang", "en", "check", TABLES], capture_output=True, text=True, env=PLAIN)
        self.assertIn("(as given)", done.stdout)

    def test_an_unknown_language_is_a_usage_error(self):
        for args in (["岡山", "宇和島", "--lang", "fr"], ["compare", "岡山", "宇和島", "--lang", "fr"],
                     ["chart", "--lang", "fr"], ["check", "--lang", "fr"], ["--lang", "fr", "check"]):
            done = subprocess.run([FARE, *args], capture_output=True, text=True, env=PLAIN)
            self.assertEqual(done.returncode, USAGE, args)
            self.assertIn("--lang: fr not in {en,ja}", done.stderr, args)


class Calendar(unittest.TestCase):
    def test_each_day_as_the_enquiry_of_that_date_gives_it(self):
        # A party of one: each day's season and total are the single enquiry's.
        for kind, pair in (("reserved", ("岡山", "松山")), ("marine-reserved", ("岡山", "高松"))):
            status, out, _ = run("calendar", "2007-09", *pair, "-k", kind, "--json")
            self.assertEqual(status, ANSWERED)
            days = json.loads(out)["days"]
            self.assertEqual(len(days), 30)
            for day in days:
                _, one, _ = run(*pair, "-k", kind, "--date", day["date"], "--json")
                one = json.loads(one)
                self.assertEqual((day["season"], day["total"]["yen"]), (one["season"], one["total"]["yen"]),
                                 day["date"])
            cheapest = min(d["total"]["yen"] for d in days)
            self.assertEqual([d["cheapest"] for d in days], [d["total"]["yen"] == cheapest for d in days])

    def test_a_party_its_overrides_and_csv(self):
        _, single, _ = run("calendar", "2007-09", "岡山", "宇和島", "-k", "reserved", "--json")
        _, party, _ = run("calendar", "2007-09", "岡山", "宇和島", "-k", "reserved", "--adults", "2", "--csv")
        rows = list(csv.DictReader(io.StringIO(party)))
        self.assertEqual(len(rows), 30)
        for row, day in zip(rows, json.loads(single)["days"]):
            self.assertEqual(int(row["total"]), 2 * day["total"]["yen"], row["date"])
        by_date = {r["date"]: r for r in rows}
        self.assertEqual(by_date["2007-09-24"]["override"], "秋分の日の振替休日のため通常期")
        self.assertEqual(by_date["2007-09-25"]["override"], "")
        _, text, _ = run("calendar", "2007-09", "--lang", "en")
        self.assertIn("2007-09-17  Monday     normal season    Respect for the Aged Day: normal season", text)

    def test_months_and_journeys_it_refuses(self):
        cases = [(["calendar", "2009-01"], REFUSED), (["calendar", "2007-13"], USAGE),
                 (["calendar", "2007-8-1"], USAGE), (["calendar", "2007-08", "岡山"], USAGE),
                 (["calendar", "2007-08", "岡山", "岡山", "-k", "reserved"], REFUSED)]
        for args, expected in cases:
            status, out, err = run(*args)
            self.assertEqual(status, expected, (args, err))
        # The days still come with a journey that is refused.
        status, out, _ = run("calendar", "2007-08", "岡山", "岡山", "-k", "reserved", "--json")
        self.assertEqual((status, len(json.loads(out)["days"])), (REFUSED, 31))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--fare", required=True)
    parser.add_argument("--tables", required=True)
    args, rest = parser.parse_known_args()
    FARE, TABLES = args.fare, os.path.abspath(args.tables)
    unittest.main(argv=[sys.argv[0]] + rest)
