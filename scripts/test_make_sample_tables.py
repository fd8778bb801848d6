"""Checks of the sample tables written by make_sample_tables.py.

Expected figures are published ones (the source key is in the comment) or
worked by hand from them, never computed with the generator.

Run: python3 -m unittest discover -s scripts -p 'test_*.py'
"""

import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import make_sample_tables as gen  # noqa: E402

SIZES = {name: 107 for name in ("Futu.txt", "Kodomo.txt", "Gakuwari.txt", "Kyori.txt")}
SIZES.update({name: 26 for name in ("Jiyu.txt", "KJiyu.txt", "SiteiH.txt", "SiteiT.txt", "SiteiK.txt",
                                    "KSiteiH.txt", "KSiteiT.txt", "KSiteiK.txt",
                                    "Green.txt", "GToku.txt", "KGtoku.txt")})
SIZES["MarineG.txt"] = 15

# All-station indices.
OKAYAMA, KAMINOCHO, KOJIMA, TAKAMATSU, KAMOGAWA, YASOBA, SAKAIDE, UTAZU = 0, 10, 11, 12, 18, 19, 20, 21
MARUGAME, SHIOYA, KAIGANJI, TAKUMA = 22, 23, 25, 26
SANUKIFUCHU, TADOTSU, KANONJI, IYOMISHIMA, NIIHAMA, SAIJO, IYOKOMATSU = 17, 24, 31, 35, 41, 43, 46
AWAI, MATSUYAMA, KITAIYO, IYOSHI, MUKAIBARA, UCHIKO, NIIYA = 62, 67, 69, 72, 73, 77, 80
SHIMONADA, NAGAHAMA, OZU, YAWATAHAMA, IWAKI, UNOMACHI, TACHIMA, UWAJIMA = 83, 86, 92, 96, 98, 100, 102, 106
MAIN_LINE = [*range(UTAZU, NIIYA + 1), *range(OZU, UWAJIMA + 1)]  # 宇多津 … inland … 宇和島
COAST = [MUKAIBARA, *range(81, OZU)]                             # 向井原 … 五郎

# 瀬戸大橋 special fares from 児島, adult and child, as paid in 2002–2008 [TRANSCRIPTION].
BRIDGE_SPECIAL = {UTAZU: (410, 200), SAKAIDE: (510, 250), MARUGAME: (510, 250), SHIOYA: (510, 250),
                  TADOTSU: (510, 250), YASOBA: (620, 310), KAMOGAWA: (620, 310), SANUKIFUCHU: (620, 310),
                  KAIGANJI: (620, 310)}


def generate():
    folder = tempfile.TemporaryDirectory()
    gen.main([folder.name])
    return folder, {p.name: p.read_bytes() for p in Path(folder.name).iterdir()}


def parse(data):
    """rows[a][d] as ints, read the way a maintainer's file is laid out."""
    return [[int(f) for f in line.split(",")] for line in data.decode("ascii").split("\r\n")[:-1]]


def off_diagonal(n):
    return ((d, a) for a in range(n) for d in range(n) if d != a)


class GeneratedFolder(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp, cls.files = generate()
        cls.t = {name: parse(data) for name, data in cls.files.items() if name in SIZES}
        cls.km = cls.t["Kyori.txt"]
        cls.route = gen.routes()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def fare(self, d, a, table="Futu.txt"):
        return self.t[table][a][d]


class FileLayout(GeneratedFolder):
    def test_exactly_the_sixteen_tables_henko_and_the_sources(self):
        self.assertEqual(set(self.files), set(SIZES) | {"Henko.txt", "SOURCES.md"})
        self.assertEqual(self.files["Henko.txt"], b"0,106\r\n")

    def test_n_records_of_n_plain_decimal_fields_each_ending_in_crlf(self):
        for name, size in SIZES.items():
            with self.subTest(name):
                data = self.files[name]
                self.assertTrue(data.endswith(b"\r\n") and not data.endswith(b"\r\n\r\n"))
                lines = data.split(b"\r\n")[:-1]
                self.assertEqual(len(lines), size)
                self.assertNotIn(b"\n", b"".join(lines))
                self.assertNotIn(b"\r", b"".join(lines))
                for line in lines:
                    self.assertRegex(line, rb"^(0|[1-9][0-9]*)(,(0|[1-9][0-9]*)){%d}$" % (size - 1))

    def test_every_table_is_symmetric_with_zero_diagonal_and_positive_cells(self):
        for name, rows in self.t.items():
            with self.subTest(name):
                self.assertTrue(all(rows[a][a] == 0 for a in range(len(rows))))
                for d, a in off_diagonal(len(rows)):
                    self.assertEqual(rows[a][d], rows[d][a])
                    self.assertGreater(rows[a][d], 0)


class Kilometrage(GeneratedFolder):
    def test_posts_increase_along_every_line(self):
        for name, _, _, posts in gen.LINES:
            kms = [gen.tenths(km) for _, km, _ in posts]
            self.assertEqual(kms[0], 0, name)
            self.assertTrue(all(a < b for a, b in zip(kms, kms[1:])), name)

    def test_published_section_lengths(self):
        # (from, to, 営業キロ in 0.1 km, source): each checks the posts of a stretch
        # against a figure the posts were not derived from.
        cases = (
            (OKAYAMA, TAKAMATSU, 718, "KASSY-870, through 宇多津"),
            (KOJIMA, SAKAIDE, 227, "KASSY-870, through 宇多津"),
            (UTAZU, TADOTSU, 68, "MARS"),
            (KANONJI, MATSUYAMA, 1379, "CNA-YOSAN, 138 km"),
            (IYOMISHIMA, MATSUYAMA, 1168, "KITONARU"),
            (SAIJO, MATSUYAMA, 801, "TRAINWHOA-2"),
            (NIIHAMA, MATSUYAMA, 913, "KENBUN5"),
            (MATSUYAMA, KITAIYO, 59, "KAZMAL-051"),
            (MUKAIBARA, OZU, 347, "KASSY-2024, inland"),
            (MATSUYAMA, OZU, 488, "KITONARU"),
            (MATSUYAMA, UWAJIMA, 969, "KAZMAL-051, inland"),
            (NAGAHAMA, YAWATAHAMA, 297, "KASSY-239"),
            (IWAKI, UNOMACHI, 50, "KAZMAL-063"),
        )
        for d, a, expected, source in cases:
            with self.subTest(gen.STATIONS[d] + "-" + gen.STATIONS[a], source=source):
                self.assertEqual(self.route[a][d].eigyo, expected)
        # 松山–宇和島 along the coast, 103.2 km [TRAINWHOA-2]
        self.assertEqual(self.route[NAGAHAMA][MATSUYAMA].eigyo + self.route[UWAJIMA][NAGAHAMA].eigyo, 1032)

    def test_the_fictive_km_of_the_uchiko_line_choose_and_price_the_inland_route(self):
        # 内子線 5.3 km counts 5.8 [BLOG-OGAMARU, JIKOKU-4575]; 向井原–伊予大洲 inland 34.7 km
        # counts 29.4 + 5.8 = 35.2, still shorter than 41.0 along the coast.
        self.assertEqual(self.route[NIIYA][UCHIKO][:2], (58, 53))
        self.assertEqual(self.route[OZU][MUKAIBARA][:2], (352, 347))
        # Stations on the coast stay on it: 下灘–八幡浜 262.8 − 222.4.
        self.assertEqual(self.route[YAWATAHAMA][SHIMONADA][:2], (404, 404))
        # The bridge and the JR Shikoku share: 岡山–高松 has 44.0 km beyond 児島.
        self.assertEqual(self.route[TAKAMATSU][OKAYAMA], (718, 718, 440, True))
        self.assertEqual(self.route[SAKAIDE][TAKAMATSU].bridge, False)

    def test_kyori_is_whole_km_rounded_up(self):
        for d, a, expected in ((OKAYAMA, TAKAMATSU, 72), (MUKAIBARA, OZU, 35), (OKAYAMA, MATSUYAMA, 215),
                               (SANUKIFUCHU, SAIJO, 101),  # 114.3 − 14.2 = 100.1
                               (AWAI, TACHIMA, 100),       # 280.3 − 180.3 = 100.0 (inland)
                               # 伊予小松 121.6 km from 高松 in two distance data sets [TRANSCRIPTION, DOS-DIST]
                               (TAKAMATSU, IYOKOMATSU, 122), (IYOKOMATSU, MATSUYAMA, 73)):  # 194.4 − 121.6
            self.assertEqual(self.km[a][d], expected, (d, a))

    def test_triangle_inequality(self):
        km = self.km
        for x in range(107):
            for y in range(107):
                bound = [km[x][y] + km[y][z] for z in range(107)]
                self.assertTrue(all(km[x][z] <= b for z, b in enumerate(bound)), (x, y))


class OrdinaryFares(GeneratedFolder):
    def test_worked_examples(self):
        cases = (
            # JR West 72 km 1,280 + 加算額 44 km 90 + bridge 100 [KASSY-870, ODEKAKE-06]
            (OKAYAMA, TAKAMATSU, 1470),
            (TAKAMATSU, UTAZU, 540),      # JR Shikoku only, 25.9 → 26 km, no bridge [JIKOKU-4575]
            (NIIHAMA, MATSUYAMA, 1750),   # 91.3 km [KENBUN5]
            (MATSUYAMA, UWAJIMA, 1750),   # inland, 運賃計算キロ 97.4 → 98 km
            (MUKAIBARA, OZU, 740),        # 35.2 → 36 km; on the 営業キロ 34.7 it would be 640
            (OKAYAMA, KOJIMA, 480),       # JR West only, 27.8 → 28 km, no bridge
            (KOJIMA, TAKUMA, 740),        # 34.2 → 35 km: 570 + 加算額 70 + bridge 100, no special fare
            (OKAYAMA, MATSUYAMA, 3810),   # 214.4 km: 3,570 + 加算額 140 + 100 [TRANSCRIPTION]
            (OKAYAMA, UWAJIMA, 5490),     # 311.3 km: 5,250 + 140 + 100
        )
        for d, a, expected in cases:
            with self.subTest(gen.STATIONS[d] + "→" + gen.STATIONS[a]):
                self.assertEqual(self.fare(d, a), expected)

    def test_only_journeys_over_the_bridge_pay_the_surcharge(self):
        # 高松→八十場 is 19 km of JR Shikoku: no bridge, the plain fare.
        self.assertEqual(self.fare(TAKAMATSU, YASOBA), 350)
        shikoku_only = {}
        for d, a in off_diagonal(107):
            if d >= TAKAMATSU and a >= TAKAMATSU:
                shikoku_only[gen.whole_km(self.route[a][d].calc)] = self.fare(d, a)
        compared = 0
        for a in range(TAKAMATSU, 107):
            k = gen.whole_km(self.route[a][KOJIMA].calc)
            if k in shikoku_only and a not in BRIDGE_SPECIAL:
                self.assertEqual(self.fare(KOJIMA, a) - shikoku_only[k], 100, gen.STATIONS[a])
                compared += 1
        self.assertGreater(compared, 50)

    def test_fares_grow_along_the_line(self):
        futu = self.t["Futu.txt"]
        for origin, stations in ((OKAYAMA, [*range(1, 12), *MAIN_LINE]), (OKAYAMA, COAST),
                                 (UWAJIMA, MAIN_LINE[::-1]), (TAKAMATSU, [*range(13, 21), *MAIN_LINE])):
            fares = [futu[s][origin] for s in stations]
            self.assertEqual(fares, sorted(fares), gen.STATIONS[origin])

    def test_child_fare_drops_the_five_yen_fraction(self):
        self.assertEqual(self.fare(OKAYAMA, TAKAMATSU, "Kodomo.txt"), 730)   # 1,470 / 2 = 735
        self.assertEqual(self.fare(KOJIMA, SAKAIDE, "Kodomo.txt"), 250)      # 510 / 2 = 255
        for d, a in off_diagonal(107):
            self.assertEqual(self.fare(d, a, "Kodomo.txt"), self.fare(d, a) // 20 * 10, (d, a))

    def test_student_fare_only_beyond_100_km(self):
        self.assertEqual(self.fare(OKAYAMA, TAKAMATSU, "Gakuwari.txt"), 1470)
        self.assertEqual(self.fare(OKAYAMA, MATSUYAMA, "Gakuwari.txt"), 3040)   # 3,810 × 0.8 = 3,048
        self.assertEqual(self.fare(AWAI, TACHIMA, "Gakuwari.txt"), self.fare(AWAI, TACHIMA))
        self.assertLess(self.fare(SANUKIFUCHU, SAIJO, "Gakuwari.txt"), self.fare(SANUKIFUCHU, SAIJO))
        for d, a in off_diagonal(107):
            adult, student = self.fare(d, a), self.fare(d, a, "Gakuwari.txt")
            if self.km[a][d] <= 100:
                self.assertEqual(student, adult, (d, a))
            else:
                self.assertEqual(student % 10, 0)
                self.assertTrue(0 <= adult * 8 // 10 - student <= 9, (d, a))


class BridgeSpecialFares(GeneratedFolder):
    def test_the_nine_journeys_from_kojima_pay_their_special_fare_both_ways(self):
        for station, (adult, child) in BRIDGE_SPECIAL.items():
            for d, a in ((KOJIMA, station), (station, KOJIMA)):
                with self.subTest(gen.STATIONS[d] + "→" + gen.STATIONS[a]):
                    self.assertEqual((self.fare(d, a), self.fare(d, a, "Kodomo.txt"), self.fare(d, a, "Gakuwari.txt")),
                                     (adult, child, adult))

    def test_other_journeys_over_the_bridge_pay_the_through_fare(self):
        # 上の町 had no special fare to 宇多津 or 丸亀 [TRANSCRIPTION]: JR West amount of the whole trip
        # + 加算額 of the part beyond 児島 + bridge 100.
        cases = ((KAMINOCHO, UTAZU, 530, 260),      # 21.3 → 22 km: 400 + 30 (18.1 → 19 km) + 100
                 (KAMINOCHO, MARUGAME, 540, 270),   # 23.9 → 24 km: 400 + 40 (20.7 → 21 km) + 100
                 (OKAYAMA, SAKAIDE, 1090, 540))     # 50.5 → 51 km: 950 + 40 (22.7 → 23 km) + 100
        for d, a, adult, child in cases:
            with self.subTest(gen.STATIONS[d] + "→" + gen.STATIONS[a]):
                self.assertEqual((self.fare(d, a), self.fare(d, a, "Kodomo.txt")), (adult, child))


class PublishedTotals(GeneratedFolder):
    """Fare + charge as a traveller paid them in the period, and the charge of
    each band that a published total pins, in every table that uses it."""

    def paid(self, d, a, charge):
        stops = gen.EXPRESS_STOPS
        return self.fare(d, a) + self.t[charge][stops.index(a)][stops.index(d)]

    def test_period_totals(self):
        cases = (
            (NIIHAMA, MATSUYAMA, "Jiyu.txt", 1750 + 1150),      # [KENBUN5]
            (NIIHAMA, MATSUYAMA, "SiteiT.txt", 1750 + 1660),    # [KENBUN5]
            (MATSUYAMA, UWAJIMA, "SiteiT.txt", 3410),           # 宇和海 [WT-UWAJIMA, OXYGEN]
            (TAKAMATSU, MATSUYAMA, "SiteiT.txt", 6010),         # いしづち [OXYGEN]
            (OKAYAMA, UWAJIMA, "SiteiT.txt", 8520),             # one charge, changing at 松山 [WT-UWAJIMA]
            # 3,810 + 2,310: the 201–300 km charge that the 2015 and 2019–2023 岡山–松山
            # totals [VIVIENAVE, SNOWMONKEY] convert back to.
            (OKAYAMA, MATSUYAMA, "Jiyu.txt", 6120),
            # Up to 25 km the reserved charge is 1,020, not 310 + 510: 1,070 of 2019–2023
            # [MSTOMATO] converted back. 丸亀 → 多度津 4.2 km: fare 200 + 1,020.
            (MARUGAME, TADOTSU, "SiteiT.txt", 1220),
            # 松山 → 伊予市 11.6 km, busy season: fare 260 + 1,020 + 200.
            (MATSUYAMA, IYOSHI, "SiteiH.txt", 1480),
        )
        for d, a, charge, total in cases:
            for there, back in ((d, a), (a, d)):
                with self.subTest(gen.STATIONS[there] + "→" + gen.STATIONS[back], charge=charge):
                    self.assertEqual(self.paid(there, back, charge), total)
        # 岡山 → 高松 by Marine Liner: fare 1,470 [LIQUI-ML], Green +950 [JNEWS].
        marine = gen.MARINE_STOPS
        self.assertEqual(self.fare(OKAYAMA, TAKAMATSU), 1470)
        self.assertEqual(self.t["MarineG.txt"][marine.index(TAKAMATSU)][marine.index(OKAYAMA)], 950)

    def test_each_band_in_every_table_that_uses_it(self):
        # Non-reserved; reserved normal, busy, off-peak (+510, +200, −200); with a Green
        # ticket the reserved charge less 510; then the same for a child (half, 5 yen dropped).
        names = ("Jiyu.txt", "SiteiT.txt", "SiteiH.txt", "SiteiK.txt", "GToku.txt",
                 "KJiyu.txt", "KSiteiT.txt", "KSiteiH.txt", "KSiteiK.txt", "KGtoku.txt")
        cases = (
            # Up to 25 km the reserved charge is that of 26–50 km, not 310 + 510 [MSTOMATO].
            (MARUGAME, TADOTSU, (310, 1020, 1220, 820, 510, 150, 510, 610, 410, 250)),            # 1–25 km
            (TAKAMATSU, MARUGAME, (510, 1020, 1220, 820, 510, 250, 510, 610, 410, 250)),          # 26–50 [PAGETAKA]
            (NIIHAMA, MATSUYAMA, (1150, 1660, 1860, 1460, 1150, 570, 830, 930, 730, 570)),      # 51–100 km
            (TAKAMATSU, MATSUYAMA, (2100, 2610, 2810, 2410, 2100, 1050, 1300, 1400, 1200, 1050)),  # 151–200
            (OKAYAMA, MATSUYAMA, (2310, 2820, 3020, 2620, 2310, 1150, 1410, 1510, 1310, 1150)),  # 201–300
            (OKAYAMA, UWAJIMA, (2520, 3030, 3230, 2830, 2520, 1260, 1510, 1610, 1410, 1260)),    # 301–400
        )
        stops = gen.EXPRESS_STOPS
        for d, a, expected in cases:
            with self.subTest(gen.STATIONS[d] + "→" + gen.STATIONS[a]):
                cells = tuple(self.t[name][stops.index(a)][stops.index(d)] for name in names)
                self.assertEqual(dict(zip(names, cells)), dict(zip(names, expected)))


class Charges(GeneratedFolder):

    def test_seasons_move_only_reserved_seats_by_200(self):
        t, stops = self.t, gen.EXPRESS_STOPS
        short = 0
        for d, a in off_diagonal(26):
            normal = t["SiteiT.txt"][a][d]
            if gen.whole_km(self.route[stops[a]][stops[d]].eigyo) <= 25:
                self.assertEqual(normal, 1020)
                short += 1
            else:
                self.assertEqual(normal - t["Jiyu.txt"][a][d], 510)
            self.assertEqual(t["SiteiH.txt"][a][d] - normal, 200)
            self.assertEqual(normal - t["SiteiK.txt"][a][d], 200)
            self.assertEqual(t["GToku.txt"][a][d], normal - 510)
            for season in "HTK":
                self.assertEqual(t["KSitei%s.txt" % season][a][d], t["Sitei%s.txt" % season][a][d] // 20 * 10)
            self.assertEqual(t["KGtoku.txt"][a][d], t["GToku.txt"][a][d] // 20 * 10)
        self.assertGreater(short, 50)

    def test_charges_grow_with_the_distance_between_stops(self):
        stops = gen.EXPRESS_STOPS
        for name in ("Jiyu.txt", "Green.txt"):
            pairs = sorted((self.route[stops[a]][stops[d]].eigyo, self.t[name][a][d])
                           for d, a in off_diagonal(26))
            self.assertEqual([c for _, c in pairs], sorted(c for _, c in pairs), name)

    def test_express_charges_follow_the_inland_route(self):
        # 伊予市 (18) → 伊予大洲 (21): 2.5 + 34.7 = 37.2 km, the 26–50 km band, not 51–100 by the coast.
        self.assertLess(self.t["Jiyu.txt"][21][18], self.t["Jiyu.txt"][17][12])


class SourcesList(GeneratedFolder):
    def test_every_cited_source_key_has_an_address(self):
        text = self.files["SOURCES.md"].decode("utf-8")
        for basis in gen._all_bases():
            for key in gen.cited_keys(basis):
                self.assertIn(key, gen.SOURCE_ADDRESSES)
                self.assertIn("- [%s] " % key, text)

    def test_every_input_is_sourced_derived_or_an_estimate(self):
        text = self.files["SOURCES.md"].decode("utf-8")
        rows, header = 0, []
        for line in text.splitlines():
            if not line.startswith("|"):
                header = []
            elif not header:
                header = [c.strip() for c in line.strip("|").split("|")]
            elif header[-1] == "basis" and not line.startswith("|---"):
                self.assertRegex(line.rsplit("|", 2)[1], r"^ (sourced|derived|estimate)(: .*)? $")
                rows += 1
        self.assertGreater(rows, 150)

    def test_every_estimate_is_listed_as_one(self):
        text = self.files["SOURCES.md"].decode("utf-8")
        section = text.split("## Estimates")[1].split("\n## ")[0]
        listed = section.split("\n\n")[2]     # the list after the heading's sentence
        # Three inputs remain estimates; 伊予小松's kilometrage is sourced now.
        self.assertEqual(len(listed.splitlines()), 3)
        for what in ("101–150 km, 1,630 yen", "Marine Liner Green charge up to 50 km", "岡山–児島"):
            self.assertIn(what, listed)
        self.assertNotIn("伊予小松", section)
        # One line per estimated input with its reason, and nothing else in the list.
        estimated = [gen.basis_text(b) for b in gen._all_bases() if b[:2] == "E:"]
        self.assertEqual(len(estimated), 3)
        for text in estimated:
            self.assertIn(text, listed)


class Reproducible(unittest.TestCase):
    def test_two_runs_give_identical_bytes(self):
        first, a = generate()
        second, b = generate()
        first.cleanup()
        second.cleanup()
        self.assertEqual(a, b)

    def test_committed_tables_match_the_script(self):
        tmp, fresh = generate()
        tmp.cleanup()
        committed = HERE.parent / "Untin"
        self.assertEqual(sorted(p.name for p in committed.iterdir()), sorted(fresh))
        for name, data in fresh.items():
            with self.subTest(name):
                self.assertEqual((committed / name).read_bytes(), data,
                                 "Untin/%s is stale: run python3 scripts/make_sample_tables.py" % name)


if __name__ == "__main__":
    unittest.main()
