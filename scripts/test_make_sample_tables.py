"""Checks of the sample tables written by make_sample_tables.py.

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

OKAYAMA, KOJIMA, TAKAMATSU, SAKAIDE, UTAZU, MUKAIBARA, OZU, UWAJIMA = 0, 11, 12, 20, 21, 73, 92, 106


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

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()


class FileLayout(GeneratedFolder):
    def test_exactly_the_sixteen_tables_and_henko(self):
        self.assertEqual(set(self.files), set(SIZES) | {"Henko.txt"})
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


class Distances(GeneratedFolder):
    def test_triangle_inequality(self):
        km = self.km
        for x in range(107):
            for y in range(107):
                bound = [km[x][y] + km[y][z] for z in range(107)]
                self.assertTrue(all(km[x][z] <= b for z, b in enumerate(bound)), (x, y))

    def test_shape_of_the_corridor(self):
        km = self.km
        # 高松 and 坂出 are reached from 児島 through 宇多津, not along the index order.
        self.assertLess(km[KOJIMA][UTAZU], km[KOJIMA][SAKAIDE])
        self.assertLess(km[KOJIMA][SAKAIDE], km[KOJIMA][TAKAMATSU])
        self.assertLess(km[UTAZU][SAKAIDE], km[UTAZU][TAKAMATSU])
        self.assertEqual(km[TAKAMATSU][OKAYAMA], 72)
        self.assertEqual(km[KOJIMA][OKAYAMA], 28)
        # Two routes between 向井原 and 伊予大洲: the coast is longer than the inland route.
        coast_end = km[91][MUKAIBARA] + km[OZU][91]
        self.assertGreater(coast_end, km[OZU][MUKAIBARA])


class OrdinaryFares(GeneratedFolder):
    def test_fares_from_okayama_grow_along_the_line(self):
        futu = self.t["Futu.txt"]
        main_line = [*range(UTAZU, 81), *range(OZU, UWAJIMA + 1)]
        fares = [futu[s][OKAYAMA] for s in main_line]
        self.assertEqual(fares, sorted(fares))
        self.assertTrue(all(futu[s][OKAYAMA] >= futu[MUKAIBARA][OKAYAMA] for s in range(81, OZU)))

    def test_fare_is_a_non_decreasing_function_of_distance_plus_bridge_surcharge(self):
        futu, km = self.t["Futu.txt"], self.km
        by_class = {False: {}, True: {}}
        for d, a in off_diagonal(107):
            bridge = (d <= KOJIMA) != (a <= KOJIMA)
            self.assertEqual(by_class[bridge].setdefault(km[a][d], futu[a][d]), futu[a][d], (d, a))
        for table in by_class.values():
            fares = [table[k] for k in sorted(table)]
            self.assertEqual(fares, sorted(fares))
            self.assertTrue(all(f % 10 == 0 for f in fares))
        shared = set(by_class[False]) & set(by_class[True])
        self.assertTrue(shared)
        for k in shared:
            self.assertEqual(by_class[True][k] - by_class[False][k], 100, k)

    def test_child_and_student_fares(self):
        futu, kodomo, gaku, km = (self.t[n] for n in ("Futu.txt", "Kodomo.txt", "Gakuwari.txt", "Kyori.txt"))
        for d, a in off_diagonal(107):
            adult = futu[a][d]
            self.assertEqual(kodomo[a][d], adult // 20 * 10)
            if km[a][d] <= 100:
                self.assertEqual(gaku[a][d], adult)
            else:
                self.assertLess(gaku[a][d], adult)
                self.assertEqual(gaku[a][d] % 10, 0)
                self.assertLessEqual(adult * 8 // 10 - gaku[a][d], 9)


class ExpressCharges(GeneratedFolder):
    def test_charges_grow_with_the_distance_between_stops(self):
        for name, stops in (("Jiyu.txt", gen.EXPRESS_STOPS), ("Green.txt", gen.EXPRESS_STOPS),
                            ("GToku.txt", gen.EXPRESS_STOPS), ("MarineG.txt", gen.MARINE_STOPS)):
            rows = self.t[name]
            pairs = sorted((self.km[stops[a]][stops[d]], rows[a][d]) for d, a in off_diagonal(len(stops)))
            self.assertEqual([c for _, c in pairs], sorted(c for _, c in pairs), name)
        self.assertGreater(self.t["MarineG.txt"][14][0], self.t["MarineG.txt"][8][0])  # 岡山→高松, 岡山→児島

    def test_child_charges_and_reserved_seat_seasons(self):
        for prefix, free in (("", "Jiyu.txt"), ("K", "KJiyu.txt")):
            busy, normal, off = (self.t["%sSitei%s.txt" % (prefix, s)] for s in "HTK")
            for d, a in off_diagonal(26):
                self.assertGreater(busy[a][d], normal[a][d])
                self.assertGreater(normal[a][d], off[a][d])
                self.assertGreater(off[a][d], self.t[free][a][d])
        for adult, child in (("Jiyu.txt", "KJiyu.txt"), ("GToku.txt", "KGtoku.txt")):
            for d, a in off_diagonal(26):
                self.assertEqual(self.t[child][a][d], self.t[adult][a][d] // 20 * 10, (adult, d, a))

    def test_station_lists(self):
        self.assertEqual(len(set(gen.STATIONS)), 107)
        self.assertEqual(list(gen.EXPRESS_STOPS), sorted(set(gen.EXPRESS_STOPS)))
        self.assertEqual(gen.STATIONS[gen.EXPRESS_STOPS[17]], "松山")
        self.assertEqual([gen.STATIONS[s] for s in gen.MARINE_STOPS[8:]],
                         ["児島", "坂出", "鴨川", "国分", "端岡", "鬼無", "高松"])


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
        for name, data in fresh.items():
            with self.subTest(name):
                self.assertEqual((committed / name).read_bytes(), data,
                                 "Untin/%s is stale: run python3 scripts/make_sample_tables.py" % name)


if __name__ == "__main__":
    unittest.main()
