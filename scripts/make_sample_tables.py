#!/usr/bin/env python3
"""Write the sample fare tables of Untin/ from a small distance model.

Usage:
    python3 scripts/make_sample_tables.py [FOLDER]      write the 16 tables and Henko.txt
    python3 scripts/make_sample_tables.py --station-tables
                                                        print the station index lists as Markdown

FOLDER defaults to the repository's Untin/. The output depends on nothing but
this file: no randomness, no dates, so two runs give identical bytes.

The figures are SAMPLES, not a tariff. They are shaped like real ones so that
every screen shows plausible amounts, and they are meant to be replaced by
real kilometrage and fares later (edit LINES below, or the price functions).

Distance model
--------------
The track is a small graph whose nodes are the 107 stations of the all-station
list. LINES lists its sections; each section is a run of stations in running
order with a few kilometre posts ("anchors"). Stations between two anchors are
spaced evenly and their posts rounded to 0.1 km. The distance between two
stations is the length of the shortest path in the graph, so it is symmetric
and 0 for a station with itself. Kyori.txt holds it rounded UP to whole km,
and every price below is computed from that whole-km figure.

    section                              stations (all-station index)        anchors, km
    岡山 – 児島                          0 … 11                              岡山 0, 茶屋町 14.9, 児島 27.8
    児島 – 宇多津 (the strait bridge)     11, 21                              18.1
    宇多津 – 坂出                         21, 20                              4.6
    坂出 – 高松                           20, 19 … 12                         21.3
    宇多津 – 向井原 (posts from 高松)      21 … 73                             宇多津 25.9, 多度津 32.7, 観音寺 52.6,
                                                                             伊予三島 77.6, 新居浜 104.9, 今治 145.6,
                                                                             松山 194.4, 向井原 207.6
    向井原 – 伊予大洲, inland via 内子     73 … 80, 92                         内子 23.5, 伊予大洲 33.9
    向井原 – 伊予大洲, coast via 伊予長浜  73, 81 … 91, 92                     伊予大洲 40.0
    伊予大洲 – 宇和島                     92 … 106                            八幡浜 13.2, 卯之町 28.8, 宇和島 50.6

Note that the all-station order is not the running order: the line leaves
児島 for 宇多津 (21), where it forks to 坂出 (20) and on to 高松 (12), and to
丸亀 (22) and beyond; between 向井原 and 伊予大洲 there are two routes, and the
shortest one counts. So 岡山 – 高松 is 27.8 + 18.1 + 4.6 + 21.3 = 71.8 km.
The anchors at 岡山, 児島, 宇多津, 坂出, 高松 and 松山 follow the published
kilometrage roughly; every other anchor, and every position between anchors,
is invented.

Prices (whole yen; every table has 0 on its diagonal)
-----------------------------------------------------
Futu.txt      adult fare from the distance k: 1–3 km 160, 4–6 km 190,
              7–10 km 220; beyond that 220 + 16.20 yen a km over 10 up to
              100 km, + 12.85 yen a km beyond 100, rounded up to 10 yen.
              Plus 100 yen when the journey uses the strait bridge, i.e. one
              end lies in 0–11 (岡山 – 児島) and the other in 12–106.
Kodomo.txt    child: half the adult fare, the fraction under 10 yen dropped.
Gakuwari.txt  student: above 100 km the adult fare less 20 %, the fraction
              under 10 yen dropped; up to 100 km the adult fare.
Kyori.txt     the distance in whole km.

The 26 x 26 tables use the distances between express stops:
Jiyu.txt      adult non-reserved express charge: up to 25 km 310, 50 km 510,
              75 km 730, 100 km 920, 150 km 1150, 200 km 1360, 300 km 1680,
              beyond 1990.
KJiyu.txt     child: half, the fraction under 10 yen dropped.
SiteiT.txt    adult reserved seat, normal season: non-reserved + 510.
SiteiH.txt    busy season: normal + 200.       SiteiK.txt  off-peak: normal - 200.
KSiteiT.txt   child reserved seat, normal season: child non-reserved + 250.
KSiteiH.txt   busy: normal + 100.              KSiteiK.txt  off-peak: normal - 100.
Green.txt     Green charge: up to 100 km 1300, 200 km 2800, beyond 4190.
GToku.txt     adult express charge with a Green ticket: the non-reserved charge.
KGtoku.txt    child: the child non-reserved charge.

MarineG.txt   (15 x 15, Marine stop list) Marine Liner Green charge: up to
              50 km 770, beyond 980.

Henko.txt     the start screen's initial pair, 岡山 (0) to 宇和島 (106).
"""

import argparse
import heapq
import sys
from pathlib import Path

# All-station list, in index order (0 to 106).
STATIONS = """
    岡山 大元 備前西市 妹尾 備中箕島 早島 久々原 茶屋町 植松 木見
    上の町 児島 高松 香西 鬼無 端岡 国分 讃岐府中 鴨川 八十場
    坂出 宇多津 丸亀 讃岐塩屋 多度津 海岸寺 詫間 みの 高瀬 比地大
    本山 観音寺 豊浜 箕浦 川之江 伊予三島 伊予寒川 赤星 伊予土居 関川
    多喜浜 新居浜 中萩 伊予西条 石鎚山 伊予氷見 伊予小松 玉之江 壬生川 伊予三芳
    伊予桜井 伊予富田 今治 波止浜 波方 大西 伊予亀岡 菊間 浅海 大浦
    伊予北条 柳原 粟井 光洋台 堀江 伊予和気 三津浜 松山 市坪 北伊予
    伊予横田 鳥ノ木 伊予市 向井原 伊予大平 伊予中山 伊予立川 内子 五十崎 喜多山
    新谷 高野川 伊予上灘 下灘 串 喜多灘 伊予長浜 伊予出石 伊予白滝 八多喜
    春賀 五郎 伊予大洲 西大洲 伊予平野 千丈 八幡浜 双岩 伊予石城 上宇和
    卯之町 下宇和 立間 伊予吉田 高光 北宇和島 宇和島
""".split()

# Express-stop list (0 to 25) and Marine stop list (0 to 14), as all-station indices.
EXPRESS_STOPS = (0, 11, 12, 20, 21, 22, 24, 26, 28, 31, 34, 35, 41,
                 43, 48, 52, 60, 67, 72, 75, 77, 92, 96, 100, 103, 106)
MARINE_STOPS = (0, 1, 3, 5, 7, 8, 9, 10, 11, 20, 18, 16, 15, 14, 12)

# Sections of track: (stations in running order, {station: km post}). The first
# and last station of a section are always anchors.
LINES = (
    (range(0, 12), {0: 0.0, 7: 14.9, 11: 27.8}),
    ((11, 21), {11: 0.0, 21: 18.1}),
    ((21, 20), {21: 0.0, 20: 4.6}),
    (range(20, 11, -1), {20: 0.0, 12: 21.3}),
    (range(21, 74), {21: 25.9, 24: 32.7, 31: 52.6, 35: 77.6, 41: 104.9,
                     52: 145.6, 67: 194.4, 73: 207.6}),
    ((*range(73, 81), 92), {73: 0.0, 77: 23.5, 92: 33.9}),
    ((73, *range(81, 93)), {73: 0.0, 92: 40.0}),
    (range(92, 107), {92: 0.0, 96: 13.2, 100: 28.8, 106: 50.6}),
)

KOJIMA = 11  # last station before the strait bridge

HENKO = b"0,106\r\n"


def _km_posts(stations, anchors):
    """Posts of every station of one section, in tenths of a km."""
    stations = list(stations)
    marks = [(i, round(anchors[s] * 10)) for i, s in enumerate(stations) if s in anchors]
    assert marks[0][0] == 0 and marks[-1][0] == len(stations) - 1, "a section must start and end on an anchor"
    posts = {}
    for (i0, p0), (i1, p1) in zip(marks, marks[1:]):
        n = i1 - i0
        for k in range(n + 1):
            # p0 + (p1 - p0) * k / n, rounded half up to whole tenths
            posts[stations[i0 + k]] = (2 * (p0 * n + (p1 - p0) * k) + n) // (2 * n)
    return posts


def track():
    """Adjacency lists {station: [(neighbour, tenths of a km)]}."""
    edges = {s: [] for s in range(len(STATIONS))}
    for stations, anchors in LINES:
        posts = _km_posts(stations, anchors)
        stations = list(stations)
        for a, b in zip(stations, stations[1:]):
            length = abs(posts[b] - posts[a])
            assert length > 0, (a, b)
            edges[a].append((b, length))
            edges[b].append((a, length))
    return edges


def distances_tenths():
    """Shortest-path distance between every two stations, in tenths of a km."""
    edges = track()
    result = []
    for source in range(len(STATIONS)):
        dist = {source: 0}
        queue = [(0, source)]
        while queue:
            d, s = heapq.heappop(queue)
            if d > dist[s]:
                continue
            for t, length in edges[s]:
                if d + length < dist.get(t, d + length + 1):
                    dist[t] = d + length
                    heapq.heappush(queue, (d + length, t))
        assert len(dist) == len(STATIONS), "the track must connect every station"
        result.append([dist[t] for t in range(len(STATIONS))])
    return result


def _up10(hundredths_of_yen):
    return -(-hundredths_of_yen // 1000) * 10


def _down10(yen):
    return yen // 10 * 10


def _band(km, bands, beyond):
    for limit, amount in bands:
        if km <= limit:
            return amount
    return beyond


def adult_fare(km, uses_bridge):
    if km <= 0:
        return 0
    if km <= 10:
        fare = _band(km, ((3, 160), (6, 190)), 220)
    else:
        fare = _up10(22000 + 1620 * (min(km, 100) - 10) + 1285 * max(km - 100, 0))
    return fare + (100 if uses_bridge else 0)


def child(adult):
    return _down10(adult // 2)


def student(adult, km):
    return _down10(adult * 8 // 10) if km > 100 else adult


def express_charge(km):
    if km <= 0:
        return 0
    return _band(km, ((25, 310), (50, 510), (75, 730), (100, 920),
                      (150, 1150), (200, 1360), (300, 1680)), 1990)


def green_charge(km):
    return 0 if km <= 0 else _band(km, ((100, 1300), (200, 2800)), 4190)


def marine_green_charge(km):
    return 0 if km <= 0 else _band(km, ((50, 770),), 980)


def tables():
    """{file name: rows}; rows[a][d] is the value for the journey d -> a."""
    kyori = [[-(-t // 10) for t in row] for row in distances_tenths()]
    n = len(STATIONS)

    def square(size, value):
        return [[0 if a == d else value(d, a) for d in range(size)] for a in range(size)]

    def bridge(d, a):
        return (d <= KOJIMA) != (a <= KOJIMA)

    futu = square(n, lambda d, a: adult_fare(kyori[a][d], bridge(d, a)))
    out = {
        "Futu.txt": futu,
        "Kodomo.txt": square(n, lambda d, a: child(futu[a][d])),
        "Gakuwari.txt": square(n, lambda d, a: student(futu[a][d], kyori[a][d])),
        "Kyori.txt": kyori,
    }

    m = len(EXPRESS_STOPS)
    ekm = [[kyori[EXPRESS_STOPS[a]][EXPRESS_STOPS[d]] for d in range(m)] for a in range(m)]
    jiyu = square(m, lambda d, a: express_charge(ekm[a][d]))
    kjiyu = square(m, lambda d, a: child(jiyu[a][d]))
    for season, adult_step, child_step in (("H", 200, 100), ("T", 0, 0), ("K", -200, -100)):
        out["Sitei%s.txt" % season] = square(m, lambda d, a: jiyu[a][d] + 510 + adult_step)
        out["KSitei%s.txt" % season] = square(m, lambda d, a: kjiyu[a][d] + 250 + child_step)
    out["Jiyu.txt"] = jiyu
    out["KJiyu.txt"] = kjiyu
    out["Green.txt"] = square(m, lambda d, a: green_charge(ekm[a][d]))
    out["GToku.txt"] = [row[:] for row in jiyu]
    out["KGtoku.txt"] = [row[:] for row in kjiyu]

    k = len(MARINE_STOPS)
    out["MarineG.txt"] = square(
        k, lambda d, a: marine_green_charge(kyori[MARINE_STOPS[a]][MARINE_STOPS[d]]))
    return out


def table_bytes(rows):
    return b"".join(",".join(str(v) for v in row).encode("ascii") + b"\r\n" for row in rows)


def write_all(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for name, rows in sorted(tables().items()):
        (folder / name).write_bytes(table_bytes(rows))
    (folder / "Henko.txt").write_bytes(HENKO)


def station_tables():
    """The three station lists as Markdown tables."""
    lines = ["All-station list (Futu, Kodomo, Gakuwari, Kyori):", "",
             "| Index | Station | Index | Station | Index | Station |", "|---|---|---|---|---|---|"]
    rows = (len(STATIONS) + 2) // 3
    for r in range(rows):
        cells = []
        for c in range(3):
            i = r + c * rows
            cells += [str(i), STATIONS[i]] if i < len(STATIONS) else ["", ""]
        lines.append("| " + " | ".join(cells) + " |")
    for title, stops in (("Express-stop list (Jiyu, KJiyu, Sitei*, KSitei*, Green, GToku, KGtoku)", EXPRESS_STOPS),
                         ("Marine stop list (MarineG)", MARINE_STOPS)):
        lines += ["", title + ":", "", "| Index | Station | All-station index |", "|---|---|---|"]
        lines += ["| %d | %s | %d |" % (i, STATIONS[s], s) for i, s in enumerate(stops)]
    return "\n".join(lines) + "\n"


def main(argv=None):
    parser = argparse.ArgumentParser(description="Write the sample fare tables.")
    parser.add_argument("folder", nargs="?", default=Path(__file__).resolve().parent.parent / "Untin",
                        help="where to write the tables (default: the repository's Untin/)")
    parser.add_argument("--station-tables", action="store_true",
                        help="print the station index lists as Markdown instead")
    args = parser.parse_args(argv)
    if args.station_tables:
        sys.stdout.write(station_tables())
    else:
        write_all(args.folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
