#!/usr/bin/env python3
"""Write the sample fare tables of Untin/ from the corridor's kilometrage and
the fare rules of 2002-2008.

Usage:
    python3 scripts/make_sample_tables.py [FOLDER]      write the 16 tables, Henko.txt and SOURCES.md
    python3 scripts/make_sample_tables.py --station-tables
                                                        print the station index lists as Markdown

FOLDER defaults to the repository's Untin/. The output depends on nothing but
this file: no randomness, no dates, so two runs give identical bytes.

What the tables hold
--------------------
Fares and charges for ordinary tickets under the tariff in force from
1997-04-01 to 2014-03-31 (5 % consumption tax), i.e. the years 2002-2008.
Most inputs come from published figures; where none was found the input is a
stated estimate. Every input below carries its basis, and SOURCES.md, written
beside the tables, lists them all, estimates first.

How they are made
-----------------
1. The corridor is a graph. Its nodes are the 107 stations; its edges join
   consecutive stations of one line (LINES): 宇野線 岡山-茶屋町 and
   本四備讃線 茶屋町-児島 (JR West), 本四備讃線 児島-宇多津 over the bridge,
   the 予讃線 along the coast 高松-坂出-宇多津-…-向井原-伊予長浜-伊予大洲-宇和島,
   its inland branch 向井原-内子, the 内子線 新谷-内子 and the branch
   新谷-伊予大洲 (JR Shikoku). The junctions are 茶屋町, 宇多津 (坂出 and
   高松 are reached from 児島 through 宇多津), 向井原, 内子, 新谷 and 伊予大洲.
   Kilometre posts are per line, and an edge is the difference of two posts,
   so the 0.1 km rounding of the sources does not add up.
2. Every edge has a 営業キロ and a 運賃計算キロ. They are equal except on the
   内子線, a 地方交通線, whose 擬制キロ is 1.1 times its 営業キロ, taken per
   station from the line's 起点 新谷 and rounded to 0.1 km.
3. Between two stations the fare route is the one with the least 運賃計算キロ
   (so 向井原-伊予大洲 goes inland: 35.2 against 41.0 along the coast).
   Kyori.txt holds the route's 営業キロ rounded up to whole km; the program
   offers the student fare when it is above 100.
4. Adult fare (Futu.txt), from the route's 運賃計算キロ rounded up to whole km:
   - JR Shikoku only: JR Shikoku's table (SHIKOKU_FARES);
   - JR West only (岡山-児島): the JR West table (WEST_FARES);
   - both: the JR West table on the whole distance plus JR Shikoku's
     加算額 (SHIKOKU_ADDITIONS) on the JR Shikoku part (from 児島);
   - plus 100 yen whenever the route uses 児島-宇多津 (the bridge);
   - except the nine journeys from 児島 that had a special fare of their
     own (BRIDGE_SPECIAL_FARES), in either direction.
5. Child (Kodomo.txt): half the adult fare, the 5-yen fraction dropped.
   Student (Gakuwari.txt): above 100 km 20 % off the adult fare, the fraction
   under 10 yen dropped; up to 100 km the adult fare.
6. Express charges (26 x 26, express stops) go by the 営業キロ of the same
   route between the two stops, rounded up, on one scale for the whole
   through train: Jiyu.txt non-reserved (EXPRESS_CHARGES, 岡山-児島 its
   own input); SiteiT.txt reserved = non-reserved + 510, but 1,020 up to
   25 km (RESERVED_SHORT), SiteiH.txt + 200 more, SiteiK.txt 200 less;
   GToku.txt (express charge with a Green ticket) = SiteiT.txt less 510;
   Green.txt from GREEN_CHARGES. Child tables halve the adult table, the
   5-yen fraction dropped; the Green charge is the same for a child.
7. MarineG.txt (15 x 15, Marine stops): the Marine Liner Green charge.
8. Henko.txt: 岡山 (0) to 宇和島 (106).

Basis of a figure
-----------------
Each input is written with its basis, a short text whose first letter says
what kind it is; the source keys in square brackets resolve in SOURCE_ADDRESSES:
    S  sourced: stated in the cited source
    D  derived by plain arithmetic from sourced figures (the arithmetic shown),
       or a later amount converted back to 5 % tax where exactly one amount
       converts forward to every later one
    E  estimate: no figure found; the text says how it was made
    B  background: a rule known but not read in a source; the text says what
       depends on it
The script refuses inputs that contradict each other (JR Shikoku's table
less the 加算額 must give the JR West table in every band).
"""

import argparse
import heapq
import re
import sys
from collections import namedtuple
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

WEST, SHIKOKU = "JR West", "JR Shikoku"

# Lines: (name, company, 地方交通線?, posts). Posts run from the line's start
# in running order: (all-station index, km from the start, basis).
LINES = (
    ("宇野線 岡山–茶屋町", WEST, False, (
        (0, "0.0", "S:[W-UNOLINE]"),
        (1, "2.5", "S:[W-OMOTO]"),
        (2, "4.5", "S:[W-NISHIICHI]"),
        (3, "8.3", "D:4.5 + 3.8 [W-NISHIICHI]"),
        (4, "10.2", "S:[W-UNOLINE]"),
        (5, "11.9", "S:[W-UNOLINE]"),
        (6, "13.2", "S:[W-UNOLINE]"),
        (7, "14.9", "S:[W-UNOLINE, MARS]"),
    )),
    ("本四備讃線 茶屋町–児島", WEST, False, (
        (7, "0.0", "S:[W-KAMINOCHO]"),
        (8, "2.9", "S:[SHIKOKU-SETO, KASSY-870]"),
        (9, "5.6", "D:9.7 − 4.1 [W-KAMINOCHO]; = 2.9 + 2.7 [KASSY-870]"),
        (10, "9.7", "S:[W-KAMINOCHO]"),
        (11, "12.9", "S:[W-KAMINOCHO, KASSY-870]"),
    )),
    ("本四備讃線 児島–宇多津", SHIKOKU, False, (
        (11, "0.0", "S:[W-HONSHI]"),
        (21, "18.1", "D:31.0 − 12.9 [WDIC, W-KAMINOCHO]; 児島–坂出 22.7 = 18.1 + 4.6 [KASSY-870]"),
    )),
    ("予讃線 高松–宇和島 (along the coast)", SHIKOKU, False, (
        (12, "0.0", "S:[W-YOSAN]"),
        (13, "3.4", "S:[NANPU7]"),
        (14, "6.1", "S:[NANPU7]"),
        (15, "9.5", "S:[NANPU7]"),
        (16, "11.9", "S:[NANPU7]"),
        (17, "14.2", "S:[NANPU7]"),
        (18, "16.6", "S:[NANPU7]"),
        (19, "18.6", "S:[EN-YASOBA]"),
        (20, "21.3", "D:25.9 − (22.7 − 18.1) [KASSY-870]"),
        (21, "25.9", "S:岡山–高松 71.8 = 14.9 + 31.0 + 25.9 [KASSY-870]; [MARS]"),
        (22, "28.5", "D:30.0 − 1.5 [ZH-SHIOYA]"),
        (23, "30.0", "S:[ZH-SHIOYA]"),
        (24, "32.7", "S:[TRAINWHOA, ZH-SHIOYA]"),
        (25, "36.5", "S:[W-KAIGANJI]"),
        (26, "42.0", "S:[EN-TAKUMA]"),
        (27, "44.5", "S:[W-MINO]"),
        (28, "47.0", "S:[W-TAKASE]"),
        (29, "50.0", "S:[W-HIJIDAI]"),
        (30, "52.4", "S:[EN-MOTOYAMA]"),
        (31, "56.5", "S:[EN-KANONJI]"),
        (32, "62.0", "S:[EN-TOYOHAMA]"),
        (33, "66.4", "S:[EN-MINOURA]"),
        (34, "72.2", "D:77.6 − 5.4 [W-MISHIMA]"),
        (35, "77.6", "S:[W-MISHIMA]"),
        (36, "81.7", "D:77.6 + 4.1 [W-MISHIMA]"),
        (37, "85.9", "D:88.6 − 2.7 [W-DOI]"),
        (38, "88.6", "S:[W-DOI]"),
        (39, "92.2", "S:[W-SEKIGAWA]"),
        (40, "99.4", "D:92.2 + 7.2 [W-SEKIGAWA]; = 103.1 − 3.7 [W-NIIHAMA]"),
        (41, "103.1", "S:[W-NIIHAMA]"),
        (42, "107.9", "D:103.1 + 4.8 [W-NIIHAMA]"),
        (43, "114.3", "S:[EN-SAIJO]"),
        (44, "117.8", "S:[EN-ISHIZUCHIYAMA, W-ISHIZUCHIYAMA]"),
        (45, "120.3", "D:117.8 + 2.5 [W-ISHIZUCHIYAMA]"),
        (46, "121.6", "S:[TRANSCRIPTION, DOS-DIST]: two independent distance data sets"),
        (47, "124.5", "D:126.8 − 2.3 [W-NYUGAWA]"),
        (48, "126.8", "S:[W-NYUGAWA, EN-NYUGAWA]"),
        (49, "130.2", "D:126.8 + 3.4 [W-NYUGAWA]"),
        (50, "137.8", "S:[EN-SAKURAI]"),
        (51, "141.6", "D:114.3 + 27.3 [TEKUTEKU]"),
        (52, "144.9", "S:[EN-IMABARI]"),
        (53, "149.6", "S:[W-HASHIHAMA]"),
        (54, "152.3", "D:149.6 + 2.7 [W-HASHIHAMA]"),
        (55, "156.4", "S:[EN-ONISHI]"),
        (56, "161.9", "D:165.9 − 4.0 [W-KIKUMA]"),
        (57, "165.9", "S:[W-KIKUMA]"),
        (58, "170.6", "D:165.9 + 4.7 [W-KIKUMA]"),
        (59, "173.8", "S:[EN-OURA]"),
        (60, "176.9", "D:179.1 − 2.2 [W-YANAGIHARA]"),
        (61, "179.1", "S:[W-YANAGIHARA]"),
        (62, "180.3", "D:179.1 + 1.2 [W-YANAGIHARA]"),
        (63, "182.3", "D:184.9 − 2.6 [W-HORIE]"),
        (64, "184.9", "S:[W-HORIE]"),
        (65, "187.0", "D:184.9 + 2.1 [W-HORIE]; = 190.7 − 3.7 [W-MITSUHAMA]"),
        (66, "190.7", "S:[W-MITSUHAMA, EN-MITSUHAMA]"),
        (67, "194.4", "S:[PRESSNET]"),
        (68, "197.9", "S:[W-ICHITSUBO]; the same source's 2.1 km to 北伊予 would put 北伊予 at "
                      "200.0, not 200.3: one of the two is 0.3 km off"),
        (69, "200.3", "S:[EN-KITAIYO]; = 194.4 + 5.9 [KAZMAL-051]"),
        (70, "203.0", "S:[W-YOKOTA, MEMIM]"),
        (71, "204.8", "S:[W-TORINOKI]"),
        (72, "206.0", "S:[EN-IYOSHI]"),
        (73, "208.5", "S:[W-MUKAIBARA]"),
        (81, "213.9", "D:208.5 + 5.4 [W-MUKAIBARA]"),
        (82, "217.1", "D:222.4 − 5.3 [W-SHIMONADA]"),
        (83, "222.4", "S:[W-SHIMONADA, EN-SHIMONADA]"),
        (84, "225.0", "D:222.4 + 2.6 [W-SHIMONADA]; = 228.2 − 3.2 [W-KITANADA]"),
        (85, "228.2", "S:[EN-KITANADA]"),
        (86, "233.1", "S:[EN-NAGAHAMA]"),
        (87, "235.9", "S:[W-IZUSHI, EN-IZUSHI]"),
        (88, "239.3", "D:235.9 + 3.4 [W-IZUSHI]; = 241.7 − 2.4 [W-HATAKI]"),
        (89, "241.7", "S:[W-HATAKI]"),
        (90, "243.4", "D:241.7 + 1.7 [W-HATAKI]; = 245.7 − 2.3 [W-GORO]"),
        (91, "245.7", "S:[W-GORO]"),
        (92, "249.5", "D:245.7 + 3.8 [W-GORO]; = 208.5 + 41.0 [MARS]"),
        (93, "251.6", "D:253.5 − 1.9 [W-HIRANO]; = 249.5 + 2.1 [ZH-OZU]"),
        (94, "253.5", "S:[W-HIRANO]"),
        (95, "260.6", "S:[EN-SENJO]"),
        (96, "262.8", "D:233.1 + 29.7 [KASSY-239]"),
        (97, "267.5", "D:262.8 + 4.7 [KAZMAL-059]; = 272.4 − 4.9 [W-IWAKI]"),
        (98, "272.4", "S:[W-IWAKI]"),
        (99, "275.4", "D:272.4 + 3.0 [W-IWAKI]; = 277.4 − 2.0 [W-UNOMACHI]"),
        (100, "277.4", "S:[W-UNOMACHI]; = 272.4 + 5.0 [KAZMAL-063]"),
        (101, "280.0", "D:277.4 + 2.6 [W-UNOMACHI]"),
        (102, "286.6", "D:289.3 − 2.7 [W-YOSHIDA]"),
        (103, "289.3", "S:[W-YOSHIDA]"),
        (104, "293.9", "S:[W-TAKAMITSU]"),
        (105, "296.1", "D:293.9 + 2.2 [W-TAKAMITSU]; = 249.5 + 46.6 [MARS]"),
        (106, "297.6", "S:[W-YOSAN, MEMIM]"),
    )),
    ("予讃線 向井原–内子 (inland)", SHIKOKU, False, (
        (73, "0.0", "S:[W-MUKAIBARA]"),
        (74, "2.8", "S:[W-MUKAIBARA]; = 10.2 − 7.4 [W-NAKAYAMA]"),
        (75, "10.2", "S:[W-NAKAYAMA]"),
        (76, "16.9", "S:[EN-TACHIKAWA]; = 10.2 + 6.7 [W-NAKAYAMA]"),
        (77, "23.5", "S:[W-YOSAN, BLOG-OGAMARU, MEMIM]"),
    )),
    ("内子線 新谷–内子", SHIKOKU, True, (
        (80, "0.0", "S:[W-NIIYA] (起点 新谷)"),
        (79, "1.2", "S:[W-NIIYA]"),
        (78, "3.7", "D:237.3 − 233.6 [W-NIIYA, EN-IKAZAKI]"),
        (77, "5.3", "S:[W-YOSAN, BLOG-OGAMARU, KAZMAL-056]"),
    )),
    ("予讃線 新谷–伊予大洲", SHIKOKU, False, (
        (80, "0.0", "S:[W-NIIYA]"),
        (92, "5.9", "S:[BLOG-OGAMARU, W-NIIYA, MEMIM]"),
    )),
)

FICTIVE_RATE = "S:JR Shikoku's 擬制キロ = 営業キロ × 1.1 [JIKOKU-4575]"
FICTIVE_ROUNDING = ("B:JR's own rounding is not read in a source; the script takes "
                    "per-station values from the 起点 新谷, each rounded to 0.1 km, and their differences "
                    "(内子–五十崎 1.7 km; rounding the part itself would give 1.8); it only matters within "
                    "0.1 km of a band edge")

# Fare tables: (highest km of the band, yen, basis), bands in order.
SHIKOKU_FARES = (
    (3, 160, "S:[JIKOKU-4575]"), (6, 200, "S:[JIKOKU-4575]"), (10, 210, "S:[JIKOKU-4575]"),
    (15, 260, "S:[JIKOKU-4575]"), (20, 350, "S:[JIKOKU-4575]"), (25, 440, "S:[JIKOKU-4575]"),
    (30, 540, "S:[JIKOKU-4575]"), (35, 640, "S:[JIKOKU-4575]"), (40, 740, "S:[JIKOKU-4575]"),
    (45, 830, "S:[JIKOKU-4575]"), (50, 920, "S:[JIKOKU-4575]"), (60, 1060, "S:[JIKOKU-4575]"),
    (70, 1240, "S:[JIKOKU-4575]"), (80, 1410, "S:[JIKOKU-4575]"), (90, 1580, "S:[JIKOKU-4575]"),
    (100, 1750, "S:[JIKOKU-4575]; 新居浜→松山 91.3 km 1,750 [KENBUN5]; 松山→宇和島 1,750 [WT-UWAJIMA]"),
    (120, 2030, "S:[JIKOKU-4575]"),
    (140, 2350, "S:[TRANSCRIPTION]"),
    (160, 2660, "S:[TRANSCRIPTION]; the 2019 amount, 高松–高知 159.3 km 3,190 − 400 = 2,790 [PRESSNET], "
                "× 1.05/1.10 = 2,663"),
    (180, 3080, "S:[TRANSCRIPTION]"),
    (200, 3400, "S:[TRANSCRIPTION]; the 2019 amount, 高松–松山 194.4 km 3,960 − 400 = 3,560 [PRESSNET], "
                "× 1.05/1.10 = 3,398"),
    (220, 3710, "S:[TRANSCRIPTION]"),
    (240, 4030, "S:[TRANSCRIPTION]"),
    (260, 4450, "S:[TRANSCRIPTION]"),
    (280, 4760, "S:[TRANSCRIPTION]"),
    (300, 5080, "S:[TRANSCRIPTION]"),
    (320, 5390, "S:[TRANSCRIPTION]"),
    (340, 5600, "S:[TRANSCRIPTION]"),
)
SHIKOKU_FARES_NOTE = (
    "Rows above 120 km are read from a transcription of the period's fare tables [TRANSCRIPTION], whose "
    "1–120 km rows agree with the JTB-based history [JIKOKU-4575] in every cell the two share. No journey "
    "inside JR Shikoku reaches 301 km; the last two rows are listed because the JR West table is derived "
    "from them.")

# JR Shikoku's 加算額 for journeys across 児島, by the km of the part beyond 児島.
SHIKOKU_ADDITIONS = (
    (3, 20, "S:[TRANSCRIPTION]"), (6, 20, "S:[TRANSCRIPTION]"), (10, 20, "S:[TRANSCRIPTION]"),
    (15, 30, "S:[TRANSCRIPTION]"), (20, 30, "S:[TRANSCRIPTION]"), (25, 40, "S:[TRANSCRIPTION]"),
    (30, 60, "S:[TRANSCRIPTION]"), (35, 70, "S:[TRANSCRIPTION]"), (40, 90, "S:[TRANSCRIPTION]"),
    (45, 90, "S:[TRANSCRIPTION]"), (50, 100, "S:[TRANSCRIPTION]"), (60, 110, "S:[TRANSCRIPTION]"),
    (70, 130, "S:[TRANSCRIPTION]"), (80, 130, "S:[TRANSCRIPTION]"), (90, 130, "S:[TRANSCRIPTION]"),
    (100, 130, "S:[TRANSCRIPTION]"),
    (340, 140, "S:[TRANSCRIPTION]; 140 from 101 km on"),
)


def _amount(km, table):
    return next(amount for limit, amount, _ in table if km <= limit)


def _west_fares(amounts):
    """The JR West table with its arithmetic: each row is JR Shikoku's amount
    less the 加算額 of the band; from 11 km on the tariff's own rule gives
    it too (16.20 yen per km up to 300 km and 12.85 beyond, on the band's
    middle km, rounded up to 10 yen to 100 km and to the nearest 100 yen
    beyond, then 5 % tax to the nearest 10 yen). Rows that either way
    would not give refuse to load."""
    rows, low = [], 1
    for limit, amount in amounts:
        shikoku, addition = _amount(low, SHIKOKU_FARES), _amount(low, SHIKOKU_ADDITIONS)
        assert _amount(limit, SHIKOKU_FARES) == shikoku and _amount(limit, SHIKOKU_ADDITIONS) == addition
        assert shikoku - addition == amount, "JR West %d–%d km: %d − %d is not %d" % (
            low, limit, shikoku, addition, amount)
        basis = "D:JR Shikoku %s − 加算額 %d [TRANSCRIPTION]" % ("{:,}".format(shikoku), addition)
        if low > 10:
            mid = (low + limit) // 2
            cents = mid * 1620 if mid <= 300 else 300 * 1620 + (mid - 300) * 1285
            before_tax = -(-cents // 1000) * 10 if limit <= 100 else (cents + 5000) // 10000 * 100
            taxed = (before_tax * 105 + 500) // 1000 * 10
            assert taxed == amount, "JR West %d–%d km: the per-km rule gives %d" % (low, limit, taxed)
            sum_text = ("%d km × 16.20" % mid if mid <= 300 else
                        "300 km × 16.20 + %d km × 12.85" % (mid - 300))
            basis += "; = %s = %s → %s, × 1.05 → %s" % (
                sum_text, "{:,}.{:02d}".format(*divmod(cents, 100)), "{:,}".format(before_tax),
                "{:,}".format(taxed))
        rows.append((limit, amount, basis))
        low = limit + 1
    return tuple(rows)


WEST_FARES = _west_fares((
    (3, 140), (6, 180), (10, 190), (15, 230), (20, 320), (25, 400), (30, 480), (35, 570), (40, 650),
    (45, 740), (50, 820), (60, 950), (70, 1110), (80, 1280), (90, 1450), (100, 1620), (120, 1890),
    (140, 2210), (160, 2520), (180, 2940), (200, 3260), (220, 3570), (240, 3890), (260, 4310), (280, 4620),
    (300, 4940), (320, 5250), (340, 5460),
))
WEST_FARES_NOTE = (
    "JR West (本州3社 幹線) table of 1997–2014: JR Shikoku's sourced amount less the sourced 加算額 of the "
    "same band, and from 11 km on also the tariff's per-km rule. Published fares agree: 岡山–福山 950 and "
    "福山–姫路 2,520 in 2010 [HOWMANY], 名古屋–米原 80 km 1,280 [YUMISHIN], 大阪–岡山 177 km 3,020 in the "
    "8 % era [TRAVELAMB].")

BRIDGE_SURCHARGE = (100, "S:瀬戸大橋 加算運賃 児島–宇多津 [TRANSCRIPTION]; charged since 1996-01-10 "
                         "[TRAFFICNEWS], 110 since 2019-10-01 [ODEKAKE-09]")
THROUGH_RULE = ("S", "基準額 (JR West table, whole trip) + 加算額 (JR Shikoku part from 児島) "
                     "[ODEKAKE-06, SUCCESS-08]; the rule gives the period's 岡山–高松 fare 1,470 "
                     "[LIQUI-ML] and the published fares of 2014–2019 [TERINN] and 2023 [TETSUDOULAB]")

# 瀬戸大橋 special fares (旅規 85条の3): journeys from 児島 that paid this
# amount instead of the through fare, in either direction: (station, yen, basis).
BRIDGE_SPECIAL_FARES = (
    (21, 410, "S:[TRANSCRIPTION]; a single cell of it (amounts of later years converted back suggested "
              "about 420)"),
    (20, 510, "S:[TRANSCRIPTION]"), (22, 510, "S:[TRANSCRIPTION]"), (23, 510, "S:[TRANSCRIPTION]"),
    (24, 510, "S:[TRANSCRIPTION]"), (19, 620, "S:[TRANSCRIPTION]"), (18, 620, "S:[TRANSCRIPTION]"),
    (17, 620, "S:[TRANSCRIPTION]"), (25, 620, "S:[TRANSCRIPTION]"),
)
BRIDGE_SPECIAL_NOTE = (
    "These journeys pay the amount above instead of the through fare, in either direction; children "
    "half of it, the 5-yen fraction dropped; all are too short for the student fare. No other journey has "
    "one: 上の町–宇多津 and 上の町–丸亀, for instance, had none in the period [TRANSCRIPTION].")

# Express charges by 営業キロ band: (highest km of the band, yen, basis).
EXPRESS_CHARGES = (
    (25, 310, "D:「25kmまでならば…自由席は330円」 in 2019–2023 [MSTOMATO] converted back: 330 → 320 "
              "(2014–2019) → 310, the only amount that converts forward to both (300 and 320 do not); "
              "450 since 2023 [YAM5], after a raise of the bands up to 50 km [PRESSNET]"),
    (50, 510, "S:引田 → 徳島 (29.4 km) 「普通運賃(¥540)と自由席特急券(¥510)」 on a receipt of 2010 "
              "[PAGETAKA]; 530 in 2019–2023 [MSTOMATO] converts back to it"),
    (100, 1150, "S:新居浜→松山 91.3 km 自由席 1,150 [KENBUN5]; = 松山→宇和島 (96.9 km) reserved total "
                "3,410 [WT-UWAJIMA, OXYGEN] − fare 1,750 − 510; the 75 km 徳島–高松 charge of 2014 and "
                "2019 [TOPICS-2019] converts back to the same amount, so 51–100 km is one price"),
    (150, 1630, "E:not found; midway between the 51–100 km (1,150) and 151–200 km (2,100) amounts"),
    (200, 2100, "D:高松→松山 (194.4 km) reserved total 6,010 [OXYGEN] − fare 3,400 [TRANSCRIPTION] − 510; "
                "2,200 in 2019–2023 (6,160 [ADZKN] − fare 3,960 [PRESSNET]) × 1.05/1.10 = 2,100"),
    (300, 2310, "D:later 岡山–松山 (214.4 km) non-reserved totals converted back to 5 % tax: 2015 "
                "6,310 [VIVIENAVE] − fare 3,930 = 2,380, × 1.05/1.08 = 2,314; 2019–2023 6,420 "
                "[SNOWMONKEY] − fare 4,000 = 2,420, × 1.05/1.10 = 2,310 (medium confidence: no total of "
                "the period itself)"),
    (400, 2520, "D:岡山→宇和島 (311.3 km) reserved total 8,520 [WT-UWAJIMA] − fare 5,490 (JR West 5,250 "
                "+ 加算額 140 + bridge 100) − 510"),
)
RESERVED_SUPPLEMENT = (510, "D:新居浜→松山 指定席 1,660 − 自由席 1,150 [KENBUN5]")
# Up to 25 km the reserved charge is not non-reserved + 510 but that of 26–50 km.
RESERVED_SHORT = (25, 1020, "D:「25kmまでならば通常期指定席料金が1070円」 in 2019–2023 [MSTOMATO] "
                            "converted back: 1,070 → 1,050 (2014–2019) → 1,020, the only amount that converts "
                            "forward to both (1,010 and 1,030 do not); the same as the 26–50 km reserved "
                            "charge 510 + 510 (medium confidence)")
SEASON_STEP = (200, "S:busy season + 200, off-peak − 200, non-reserved never varies [MYNAVI, DOCSPLAYER]")
THROUGH_EXPRESS = ("D:岡山–松山 Green 11,010 − non-reserved 6,820 = 4,190 in 2019–2023 [SHIZUTABI], the "
                   "201–400 km Green charge of the time [JRSHINKANSEN-GREEN]: a train across 児島 is charged "
                   "on the whole distance; the 岡山→宇和島 total 8,520 [WT-UWAJIMA] is one charge for both "
                   "trains, changing at 松山")
GREEN_EXPRESS = "D:with a Green ticket the express charge is the normal-season reserved charge less the " \
                "reserved supplement [ODEKAKE-03]: the non-reserved charge from 26 km on; up to 25 km " \
                "1,020 − 510 = 510, not the non-reserved 310 (the rule applied as stated; no period " \
                "price of a Green seat up to 25 km was seen)"
GREEN_CHARGES = (
    (100, 1240, "D:JR West's and JR East's own 2014–2019 tables, 「四国内…100まで 1,280円」 [ODEKAKE-GREEN, "
                "JRE-GREEN], and 1,300 (2019–) [JRSHINKANSEN-GREEN] converted back to 5 % tax; 1,240 is the "
                "only amount that converts forward to both"),
    (200, 2670, "D:2,750 (2014–2019) [ODEKAKE-GREEN, JRE-GREEN] and 2,800 (2019–) converted back; 2,670 "
                "is the only amount that converts forward to both"),
    (400, 4000, "D:4,110 (2014–2019) [ODEKAKE-GREEN, JRE-GREEN] and 4,190 (2019–) converted back; 4,000 "
                "is the only amount that converts forward to both; no band of 50 km was seen"),
)
MARINE_GREEN = (950, "S:岡山–高松 グリーン +950 [JNEWS, LIQUI-ML]")
# Marine Liner sections up to 50 km: charged as 岡山–高松 for want of a figure.
MARINE_GREEN_SHORT = (50, 950, "E:not found; charged the 岡山–高松 (71.8 km) amount, as every Marine Liner "
                               "section is under 100 km; a cheaper band up to 50 km, if the period had one, "
                               "was not seen (today's 快速 Green charge, 1,000 [TETSUMIN], is for "
                               "岡山–高松)")
# 岡山–児島 (JR West only) had an express charge of its own.
OKAYAMA_KOJIMA_EXPRESS = (510, "E:the common 26–50 km amount; the period's own charge of the section is "
                               "not settled: 560 of 2019–2023 [NHK-2022] converts back to 530 "
                               "(560 → 550 → 530), but another source gives 570 in 2022 [TABITETSU-2022]; "
                               "the common scale stays until a second source agrees")
MARINE_RESERVED = "S:510 in the normal and busy seasons, 310 off-peak, no busy-season surcharge " \
                  "[PLALA-KADU, NAGARA]; 530 and 330 since 2019 [WHOA]"
LOCAL_SPECIAL_FARES = "S:none applies; they covered journeys wholly on 地方交通線 and no 内子線 pair is " \
                      "among them, and JR Shikoku's other section fares are the bridge's [TRANSCRIPTION]"
CHILD_RULE = "S:half the adult amount, the 5-yen fraction dropped [JRS-KIPPU]; the Green charge is not " \
             "halved [JRC-GREEN]"
STUDENT_RULE = "S:20 % off the ordinary fare when the one-way 営業キロ exceeds 100 km, the fraction under " \
               "10 yen dropped; not on express or Green charges [W-GAKUWARI, DUBIKAPY]"
ROUNDING_RULE = "S:distances rounded up to whole km before a band is looked up [SUCCESS-05, TRAVELAMB]"

# What the tables leave out, stated in SOURCES.md.
NOT_MODELLED = (
    "A cheaper non-reserved charge for journeys of up to 50 km across 児島 (560 in 2019–2023 "
    "[LIVEDOOR-2022]): the period's amount was not found; the common scale applies.",
    "乗継割引 (half the express charge after a 山陽新幹線 at 岡山) and the one-charge rule for a change at 松山 "
    "without leaving the gates [KITONARU, TABITETSU-2008] are the program's business, not the tables'.",
    "選択乗車: the tables price the shorter route between 向井原 and 伊予大洲 (inland); the coast is only used "
    "for stations on it.",
)

# Addresses of the source keys cited above.
SOURCE_ADDRESSES = {
    "ADZKN": "adzkn site, page on 松山–高松 (address not recorded)",
    "BLOG-OGAMARU": "https://blog.goo.ne.jp/ogamaru2014/d/20221019",
    "DOCSPLAYER": "docsplayer.net 112970149 (JR 営業規則 excerpt on seasons)",
    "DUBIKAPY": "summary page quoting the 学割 101 km rule",
    "EN-IKAZAKI": "en.wikipedia Ikazaki Station (pinocchiopedia.com copy)",
    "EN-ISHIZUCHIYAMA": "en.wikipedia Ishizuchiyama Station (kiwix wikipedia_en_all_maxi_2024-01 copy)",
    "EN-IMABARI": "en.wikipedia Imabari Station (copy)",
    "EN-IYOSHI": "en.wikipedia Iyoshi Station (kiwix 2024-01 copy)",
    "EN-IZUSHI": "https://infosekolah.net/article/Iyo-Izushi_Station",
    "EN-KANONJI": "en.wikipedia Kan'onji Station (copy)",
    "EN-KITAIYO": "en.wikipedia Kita-Iyo Station (kiwix 2024-01 copy)",
    "EN-KITANADA": "en.wikipedia Kitanada Station (copy)",
    "EN-MINOURA": "en.wikipedia Minoura Station (kiwix wikipedia_en 2018-10 copy)",
    "EN-MITSUHAMA": "https://iiab.me/kiwix/content/wikipedia_en_all_maxi_2023-10/A/Mitsuhama_Station",
    "EN-MOTOYAMA": "en.wikipedia Motoyama Station (Mitoyo) (copy)",
    "EN-NAGAHAMA": "en.wikipedia Iyo-Nagahama Station (copy)",
    "EN-NYUGAWA": "en.wikipedia Nyūgawa Station (copy)",
    "EN-ONISHI": "en.wikipedia Ōnishi Station (Ehime) (copy)",
    "EN-OURA": "en.wikipedia Ōura Station (Ehime) (copy)",
    "EN-SAIJO": "en.wikipedia Iyo-Saijō Station (wikipedia_en 2020-08 copy)",
    "EN-SAKURAI": "en.wikipedia Iyo-Sakurai Station (copy)",
    "EN-SENJO": "en.wikipedia Senjō Station (copy)",
    "EN-SHIMONADA": "en.wikipedia Shimonada Station (wikipedia_en 2020-08 copy)",
    "EN-TACHIKAWA": "en.wikipedia Iyo-Tachikawa Station (copy)",
    "EN-TAKUMA": "en.wikipedia Takuma Station (copy)",
    "EN-TOYOHAMA": "en.wikipedia Toyohama Station (copy)",
    "EN-YASOBA": "en.wikipedia Yasoba Station (copy)",
    "HOWMANY": "http://how-many-days.seesaa.net/category/9044564-1.html",
    "JIKOKU-4575": "https://jikokuhyo.train-times.net/?p=4575 (JR四国運賃変遷, from JTB時刻表 営業案内)",
    "JNEWS": "jnews.info/archives/990 (Marine Liner: Green +950, reserved +510, 5 % amounts)",
    "JRC-GREEN": "copy of JR東海's グリーン券 page (おとな and こども pay the same)",
    "JRE-GREEN": "https://www.jreast.co.jp/kippu/15.html (2014–2019 version)",
    "JRS-KIPPU": "JR四国 きっぷのご利用案内 (copy of 02_information/kippu_info/jyosyaken.shtm)",
    "JRSHINKANSEN-GREEN": "jr-shinkansen.net, Green charge page (2019– amounts)",
    "KASSY-239": "http://www.kassy-kan.net/blog/?paged=239",
    "KASSY-870": "http://kassy-kan.net/blog/?p=870",
    "KAZMAL-051": "http://kazmal.starfree.jp/1164_kazmal051.html",
    "KAZMAL-056": "http://kazmal.starfree.jp/1164_kazmal056.html",
    "KAZMAL-059": "http://kazmal.starfree.jp/1164_kazmal059.html",
    "KAZMAL-063": "http://kazmal.starfree.jp/1164_kazmal063.html",
    "KENBUN5": "doki02.dokidoki.ne.jp/home2/tomura/kenbun5.htm (新居浜→松山, 5 % era)",
    "KITONARU": "https://kitonaru.com/ehimejrtravel-2/",
    "LIQUI-ML": "liquisearch.com copy of the older en.wikipedia \"Marine Liner\" article "
                "(fare 1,470, Green 950)",
    "LIVEDOOR-2022": "news.livedoor.com article 22799857",
    "DOS-DIST": "a public fare project's data/resource/distances.tsv (予讃線, station 457: 1216 in 100 m), "
                "taken from a 1990s MS-DOS route database",
    "MARS": "jr-all.edges of GitHub maraigue/cpp-chinese-postman (from MARS for MS-DOS); cross-check only",
    "MEMIM": "https://memim.com/yosan-line.html",
    "MSTOMATO": "ameblo.jp/mstomato3 entry 12634704562 (about 2020: up to 25 km non-reserved 330, "
                "reserved 1,070)",
    "NAGARA": "www.20th-century-boys.com/nagara.html",
    "NHK-2022": "www3.nhk.or.jp/lnews/takamatsu, 2022-09-02 (岡山–宇多津/丸亀 560, 760 from 2023)",
    "MYNAVI": "http://news.mynavi.jp/series/tips/005/index.html",
    "NANPU7": "https://nanpu7.moto-chika.com/railway/takamatu-tadotu.html",
    "ODEKAKE-03": "jr-odekake.net, express-ticket guide page 03 (2014–2019 version)",
    "ODEKAKE-06": "https://www.jr-odekake.net/railroad/ticket/guide/normal_tickets/normal_fare06.html",
    "ODEKAKE-09": "https://www.jr-odekake.net/railroad/ticket/guide/normal_tickets/normal_fare09.html",
    "ODEKAKE-GREEN": "jr-odekake.net, green_express.html (2014–2019 version)",
    "OXYGEN": "offline Wikitravel copy on archive.org, Matsuyama article (高松→松山 ¥6010)",
    "PAGETAKA": "pagetaka.hatenadiary.org, entry of 2010-06-27 (引田 → 徳島 fare 540, non-reserved 510)",
    "PLALA-KADU": "www4.plala.or.jp/kadu/shiteiseki.htm",
    "PRESSNET": "https://news.railway-pressnet.com/archives/46510",
    "SNOWMONKEY": "snowmonkeyresorts.com, Matsuyama page (岡山–松山 non-reserved 6,420, 2019–2023)",
    "SHIKOKU-SETO": "https://shikoku.org.uk/JR/LINE/seto-line/_SETO-LINE.htm",
    "SHIZUTABI": "https://shizutabi.net/okayamamatsuyamaidou",
    "SUCCESS-05": "https://successstory.link/2022/10/10/jrshikokukyushu/",
    "SUCCESS-08": "https://successstory.link/2022/10/23/farecalculationmethod8/amp",
    "TABITETSU-2008": "https://mytrip.tabitetsu.com/index.php/2008/05/14/post-4297/",
    "TABITETSU-2022": "https://mytrip.tabitetsu.com/index.php/2022/08/29/post-5014",
    "TEKUTEKU": "https://tekuteku-stat.sakura.ne.jp/tihou/sikoku/details1071019.html",
    "TERINN": "https://terinn.info/?p=3551",
    "TETSUDOULAB": "https://tetsudoulab.com/25gw-08kaisoku-marin-liner/",
    "TETSUMIN": "https://tetsumin.com/marineliner",
    "TOPICS-2019": "https://www.topics.or.jp/articles/-/224519",
    "TRANSCRIPTION": "data file of a public GPL nationwide JR fare program, its 2013-07 … 2014-04 versions "
                     "(sections 幹線 基準, 本州3社+3島会社加算, 特定区間通過加算), the 85条の3 block of its "
                     "2015-02 version (column fare5p) and its 2014 station file (予讃線 伊予小松 121.6): a "
                     "hobbyist transcription of the 5 % tables",
    "TRAFFICNEWS": "https://trafficnews.jp/post/47679",
    "TRAINWHOA": "https://train.whoa.jp/shikoku/1/index.htm",
    "TRAVELAMB": "http://travel-ambition.net/2018/04/11/",
    "VIVIENAVE": "thevivienave.blogspot.com, 2015-09 (岡山–松山 non-reserved 6,310)",
    "WHOA": "train.whoa.jp/18_about/reserve (Marine Liner reserved 530, off-peak 330)",
    "WT-UWAJIMA": "wikitravel.org/en/Uwajima (松山→宇和島 ¥1750 + ¥1660; 岡山→宇和島 ¥8520)",
    "W-DOI": "ja.wikipedia 伊予土居駅",
    "W-GAKUWARI": "ja.wikipedia 学生割引",
    "W-GORO": "ja.wikipedia 五郎駅 (copy)",
    "W-HASHIHAMA": "https://www.weblio.jp/content/波止浜駅",
    "W-HATAKI": "ja.wikipedia 八多喜駅 (copy)",
    "W-HIJIDAI": "ja.wikipedia 比地大駅",
    "W-HIRANO": "ja.wikipedia 伊予平野駅 (weblio copy)",
    "W-HONSHI": "ja.wikipedia 本四備讃線 (copy)",
    "W-HORIE": "ja.wikipedia 堀江駅 (愛媛県) (copy)",
    "W-ICHITSUBO": "ja.wikipedia 市坪駅",
    "W-ISHIZUCHIYAMA": "https://www.weblio.jp/content/石鎚山駅",
    "W-IWAKI": "ja.wikipedia 伊予石城駅 (copy)",
    "W-IZUSHI": "https://ja-two.iwiki.icu/wiki/伊予出石駅",
    "W-KAIGANJI": "https://ja.wikipedia.org/wiki/海岸寺駅",
    "W-KAMINOCHO": "ja.wikipedia 上の町駅 (copy)",
    "W-KIKUMA": "ja.wikipedia 菊間駅",
    "W-KITANADA": "ja.wikipedia 喜多灘駅",
    "W-MINO": "ja.wikipedia みの駅",
    "W-MISHIMA": "https://ja.wikipedia.org/wiki/伊予三島駅",
    "W-MITSUHAMA": "ja.wikipedia 三津浜駅 (oldid 92547049)",
    "W-MUKAIBARA": "ja.wikipedia 向井原駅 (copy)",
    "W-NAKAYAMA": "ja.wikipedia 伊予中山駅",
    "W-NIIHAMA": "ja.wikipedia 新居浜駅",
    "W-NIIYA": "http://ja.wikipedia.org/wiki/新谷駅",
    "W-NISHIICHI": "ja.wikipedia 備前西市駅",
    "W-NYUGAWA": "ja.wikipedia 壬生川駅 (copy)",
    "W-OMOTO": "ja.wikipedia 大元駅 (copy)",
    "W-SEKIGAWA": "ja.wikipedia 関川駅 (愛媛県)",
    "W-SHIMONADA": "ja.wikipedia 下灘駅",
    "W-TAKAMITSU": "ja.wikipedia 高光駅 (copy)",
    "W-TAKASE": "ja.wikipedia 高瀬駅 (香川県) (copy)",
    "W-TORINOKI": "ja.wikipedia 鳥ノ木駅",
    "W-UNOLINE": "ja.wikipedia 宇野線 (copies)",
    "W-UNOMACHI": "ja.wikipedia 卯之町駅",
    "W-YANAGIHARA": "ja.wikipedia 柳原駅 (愛媛県) (weblio copy)",
    "W-YOKOTA": "ja.wikipedia 伊予横田駅 (weblio copy)",
    "W-YOSAN": "ja.wikipedia 予讃線",
    "W-YOSHIDA": "ja.wikipedia 伊予吉田駅 (copy)",
    "WDIC": "wdic.org 本四備讃線",
    "YAM5": "https://blog.yam5.com/archives/30036",
    "YUMISHIN": "http://yumishin.cside.ne.jp/magazine/back1.html",
    "ZH-OZU": "zh.wikipedia 伊予大洲站 (copy)",
    "ZH-SHIOYA": "zh.wikipedia 讃岐塩屋站 (copy)",
}

OKAYAMA, KOJIMA = 0, 11
HENKO = b"0,106\r\n"

KINDS = {"S": "sourced", "D": "derived", "E": "estimate", "B": "background"}


def basis_kind(basis):
    """'sourced', 'derived' or 'estimate' for a basis text."""
    return KINDS[basis[0]]


def basis_text(basis):
    return basis[2:] if len(basis) > 1 else ""


def cited_keys(basis):
    """The source keys a basis text cites, in order."""
    return [key.strip() for group in re.findall(r"\[([^\]]+)\]", basis) for key in group.split(",")]


def tenths(km):
    """'12.9' -> 129, exactly."""
    whole, _, frac = km.partition(".")
    return int(whole) * 10 + int(frac or 0)


def fictive(t):
    """擬制キロ of a 地方交通線 post, tenths: 1.1 times, rounded half up to 0.1 km."""
    return (t * 11 + 5) // 10


def whole_km(t):
    """Tenths of a km rounded up to whole km."""
    return -(-t // 10)


# One edge or route: 営業キロ and 運賃計算キロ in tenths, the JR Shikoku part of
# the 運賃計算キロ, and whether it crosses the bridge (児島–宇多津).
Route = namedtuple("Route", "calc eigyo shikoku bridge")


def track():
    """Adjacency lists {station: [(neighbour, Route of the edge)]}."""
    edges = {s: [] for s in range(len(STATIONS))}
    for _, company, local, posts in LINES:
        for (a, ka, _), (b, kb, _) in zip(posts, posts[1:]):
            eigyo = tenths(kb) - tenths(ka)
            calc = fictive(tenths(kb)) - fictive(tenths(ka)) if local else eigyo
            assert eigyo > 0 and calc > 0, (a, b)
            edge = Route(calc, eigyo, calc if company == SHIKOKU else 0, {a, b} == {KOJIMA, 21})
            edges[a].append((b, edge))
            edges[b].append((a, edge))
    return edges


def routes():
    """routes[a][d]: the fare route between two stations (least 運賃計算キロ, then 営業キロ)."""
    edges = track()
    result = []
    for source in range(len(STATIONS)):
        best = {source: Route(0, 0, 0, False)}
        queue = [(Route(0, 0, 0, False), source)]
        while queue:
            here, s = heapq.heappop(queue)
            if here != best[s]:
                continue
            for t, e in edges[s]:
                there = Route(here.calc + e.calc, here.eigyo + e.eigyo, here.shikoku + e.shikoku,
                              here.bridge or e.bridge)
                if t not in best or there[:2] < best[t][:2]:
                    best[t] = there
                    heapq.heappush(queue, (there, t))
        assert len(best) == len(STATIONS), "the track must connect every station"
        result.append([best[t] for t in range(len(STATIONS))])
    return result


def band(km, table):
    """The amount of the band that holds km (km >= 1)."""
    for limit, amount, _ in table:
        if km <= limit:
            return amount
    raise ValueError("%d km is beyond the table" % km)


def adult_fare(route):
    if route.calc == 0:
        return 0
    total = whole_km(route.calc)
    if route.shikoku == route.calc:
        fare = band(total, SHIKOKU_FARES)
    elif route.shikoku == 0:
        fare = band(total, WEST_FARES)
    else:
        fare = band(total, WEST_FARES) + band(whole_km(route.shikoku), SHIKOKU_ADDITIONS)
    return fare + (BRIDGE_SURCHARGE[0] if route.bridge else 0)


def special_fares():
    """{(d, a): yen} for both directions of every journey with a special fare."""
    out = {}
    for station, yen, _ in BRIDGE_SPECIAL_FARES:
        out[(KOJIMA, station)] = out[(station, KOJIMA)] = yen
    return out


def child(adult):
    """Half, the 5-yen fraction dropped."""
    return adult // 2 // 10 * 10


def student(adult, kyori):
    """20 % off beyond 100 km, the fraction under 10 yen dropped."""
    return adult * 8 // 10 // 10 * 10 if kyori > 100 else adult


def express_charge(eigyo):
    return 0 if eigyo == 0 else band(whole_km(eigyo), EXPRESS_CHARGES)


def reserved_charge(eigyo, non_reserved):
    """Normal season: up to 25 km a fixed amount, beyond it non-reserved + the supplement."""
    if eigyo == 0:
        return 0
    if whole_km(eigyo) <= RESERVED_SHORT[0]:
        return RESERVED_SHORT[1]
    return non_reserved + RESERVED_SUPPLEMENT[0]


def green_charge(eigyo):
    return 0 if eigyo == 0 else band(whole_km(eigyo), GREEN_CHARGES)


def tables():
    """{file name: rows}; rows[a][d] is the value for the journey d -> a."""
    route = routes()
    n = len(STATIONS)

    def square(size, value):
        return [[0 if a == d else value(d, a) for d in range(size)] for a in range(size)]

    kyori = square(n, lambda d, a: whole_km(route[a][d].eigyo))
    special = special_fares()
    futu = square(n, lambda d, a: special.get((d, a)) or adult_fare(route[a][d]))
    out = {
        "Futu.txt": futu,
        "Kodomo.txt": square(n, lambda d, a: child(futu[a][d])),
        "Gakuwari.txt": square(n, lambda d, a: student(futu[a][d], kyori[a][d])),
        "Kyori.txt": kyori,
    }

    m = len(EXPRESS_STOPS)

    def between_stops(a, d):
        return route[EXPRESS_STOPS[a]][EXPRESS_STOPS[d]].eigyo

    own_charge = {frozenset((EXPRESS_STOPS.index(OKAYAMA), EXPRESS_STOPS.index(KOJIMA))):
                  OKAYAMA_KOJIMA_EXPRESS[0]}
    jiyu = square(m, lambda d, a: own_charge.get(frozenset((a, d))) or express_charge(between_stops(a, d)))
    normal = square(m, lambda d, a: reserved_charge(between_stops(a, d), jiyu[a][d]))
    for season, step in (("H", SEASON_STEP[0]), ("T", 0), ("K", -SEASON_STEP[0])):
        seat = square(m, lambda d, a: normal[a][d] + step)
        out["Sitei%s.txt" % season] = seat
        out["KSitei%s.txt" % season] = square(m, lambda d, a: child(seat[a][d]))
    out["Jiyu.txt"] = jiyu
    out["KJiyu.txt"] = square(m, lambda d, a: child(jiyu[a][d]))
    out["Green.txt"] = square(m, lambda d, a: green_charge(between_stops(a, d)))
    gtoku = square(m, lambda d, a: normal[a][d] - RESERVED_SUPPLEMENT[0])
    out["GToku.txt"] = gtoku
    out["KGtoku.txt"] = square(m, lambda d, a: child(gtoku[a][d]))
    out["MarineG.txt"] = square(len(MARINE_STOPS), lambda d, a: MARINE_GREEN[0])
    return out


def table_bytes(rows):
    return b"".join(",".join(str(v) for v in row).encode("ascii") + b"\r\n" for row in rows)


# ---------------------------------------------------------------- SOURCES.md

def _yen(amount):
    return "{:,}".format(amount)


def _km(t):
    return "%d.%d" % divmod(t, 10)


def _basis_cell(basis):
    text = basis_text(basis)
    return basis_kind(basis) + (": " + text if text else "")


def _band_rows(table):
    rows, low = [], 1
    for limit, amount, basis in table:
        rows.append("| %d–%d | %s | %s |" % (low, limit, _yen(amount), _basis_cell(basis)))
        low = limit + 1
    return rows


def published_totals(t):
    """(journey, amount paid, the tables' parts, source keys) for the period's published prices."""
    def fare(d, a):
        return t["Futu.txt"][a][d]

    def charge(name, d, a):
        return t[name][EXPRESS_STOPS.index(a)][EXPRESS_STOPS.index(d)]

    marine = t["MarineG.txt"][MARINE_STOPS.index(12)][MARINE_STOPS.index(0)]
    return (
        ("岡山 → 高松, fare", 1470, (fare(0, 12),), "[LIQUI-ML]"),
        ("岡山 → 高松, Marine Liner Green charge", 950, (marine,), "[JNEWS, LIQUI-ML]"),
        ("新居浜 → 松山, fare and non-reserved seat", 1750 + 1150,
         (fare(41, 67), charge("Jiyu.txt", 41, 67)), "[KENBUN5]"),
        ("新居浜 → 松山, fare and reserved seat", 1750 + 1660,
         (fare(41, 67), charge("SiteiT.txt", 41, 67)), "[KENBUN5]"),
        ("松山 → 宇和島, reserved seat", 3410, (fare(67, 106), charge("SiteiT.txt", 67, 106)),
         "[WT-UWAJIMA, OXYGEN]"),
        ("高松 → 松山, reserved seat", 6010, (fare(12, 67), charge("SiteiT.txt", 12, 67)), "[OXYGEN]"),
        ("岡山 → 宇和島, reserved seat, one charge changing at 松山", 8520,
         (fare(0, 106), charge("SiteiT.txt", 0, 106)), "[WT-UWAJIMA]"),
    )


def sources_md():
    """The text of SOURCES.md: what the tables are and the basis of every input."""
    route = routes()
    t = tables()
    futu, kyori = t["Futu.txt"], t["Kyori.txt"]

    def pair(d, a):
        return "%s → %s | %s km | %s | %s | %s" % (
            STATIONS[d], STATIONS[a], _km(route[a][d].eigyo), kyori[a][d],
            _yen(futu[a][d]), _yen(t["Gakuwari.txt"][a][d]))

    out = [
        "# Sources of the sample tables",
        "",
        "Written by `scripts/make_sample_tables.py` together with the tables; do not edit by hand.",
        "",
        "The tables give the fares and charges of ordinary tickets under the tariff in force from",
        "1997-04-01 to 2014-03-31 (5 % consumption tax), i.e. for the years 2002–2008. Every input",
        "is listed below with its basis:",
        "",
        "- **sourced**: stated in the cited source;",
        "- **derived**: plain arithmetic on sourced figures, the arithmetic shown;",
        "- **estimate**: no figure of the period found; the reason says how the value was made;",
        "- **background**: a rule known but not read in a source; the text says what depends on it.",
        "",
        "Source keys in square brackets are resolved at the end.",
        "",
        "## Sample journeys",
        "",
        "| journey | 営業キロ | Kyori | adult | student |",
        "|---|---|---|---|---|",
    ]
    for d, a in ((0, 12), (11, 20), (12, 21), (41, 67), (67, 106), (0, 67), (0, 106)):
        out.append("| " + pair(d, a) + " |")
    out += [
        "",
        "岡山 → 高松 is 1,280 (JR West, 72 km) + 90 (加算額, 児島–高松 44 km) + 100 (bridge);",
        "児島 → 坂出 is the special fare, not 440 + 100 (bridge) = 540.",
        "",
        "## Published totals",
        "",
        "What a traveller paid in the period, against what the tables give:",
        "",
        "| journey | paid | tables | source |",
        "|---|---|---|---|",
    ]
    for text, paid, parts, keys in published_totals(t):
        out.append("| %s | %s | %s | %s |" % (text, _yen(paid), " + ".join(_yen(p) for p in parts), keys))
    out += [
        "",
        "## Estimates",
        "",
        "Every estimated input, with its reason:",
        "",
    ]
    estimates = []
    for name, _, _, posts in LINES:
        for s, km, basis in posts:
            if basis_kind(basis) == "estimate":
                estimates.append("%s (%s), %s km: %s" % (STATIONS[s], name, km, basis_text(basis)))
    for title, table in (("JR Shikoku fare", SHIKOKU_FARES), ("Express charge (non-reserved)", EXPRESS_CHARGES),
                         ("Green charge", GREEN_CHARGES)):
        low = 1
        for limit, amount, basis in table:
            if basis_kind(basis) == "estimate":
                estimates.append("%s %d–%d km, %s yen: %s" % (title, low, limit, _yen(amount), basis_text(basis)))
            low = limit + 1
    estimates.append("Marine Liner Green charge up to %d km, %s yen: %s" % (
        MARINE_GREEN_SHORT[0], _yen(MARINE_GREEN_SHORT[1]), basis_text(MARINE_GREEN_SHORT[2])))
    estimates.append("Express charge (non-reserved) 岡山–児島, %s yen: %s" % (
        _yen(OKAYAMA_KOJIMA_EXPRESS[0]), basis_text(OKAYAMA_KOJIMA_EXPRESS[1])))
    out += ["- " + e for e in estimates]
    out += [
        "",
        "One rule is background rather than sourced:",
        "",
        "- 擬制キロ of a part of the 内子線: " + basis_text(FICTIVE_ROUNDING),
        "",
        "Everything else is sourced or derived from sourced figures.",
        "",
        "## Not modelled",
        "",
    ]
    out += ["- " + line for line in NOT_MODELLED]
    out += [
        "",
        "## Rules",
        "",
        "- Distance: " + _basis_cell(ROUNDING_RULE) + ". Kyori.txt holds the 営業キロ of the fare route rounded up;",
        "  the fare route is the one with the least 運賃計算キロ (幹線 営業キロ + 地方交通線 擬制キロ).",
        "- 擬制キロ of the 内子線: " + _basis_cell(FICTIVE_RATE) + "; of a part of it: background (above).",
        "- JR Shikoku 地方交通線 特定運賃 (旅規 77条の7): " + _basis_cell(LOCAL_SPECIAL_FARES) + ".",
        "- Journeys across 児島: " + KINDS[THROUGH_RULE[0]] + ": " + THROUGH_RULE[1] + ".",
        "- Bridge surcharge %d yen: %s." % (BRIDGE_SURCHARGE[0], _basis_cell(BRIDGE_SURCHARGE[1])),
        "- Special fares across the bridge: see their table below.",
        "- Child: " + _basis_cell(CHILD_RULE) + ".",
        "- Student: " + _basis_cell(STUDENT_RULE) + ".",
        "- Reserved seat, normal season: non-reserved + %d, %s;" % (RESERVED_SUPPLEMENT[0],
                                                                  _basis_cell(RESERVED_SUPPLEMENT[1])),
        "  up to %d km %s, %s." % (RESERVED_SHORT[0], _yen(RESERVED_SHORT[1]), _basis_cell(RESERVED_SHORT[2])),
        "- Seasons: " + _basis_cell(SEASON_STEP[1]) + ". Child reserved charges halve the adult one of the season.",
        "- Express charge with a Green ticket: " + _basis_cell(GREEN_EXPRESS) + ".",
        "- Express and Green charges go by the 営業キロ between the two express stops along the fare route.",
        "- Trains across 児島: " + _basis_cell(THROUGH_EXPRESS) + ".",
        "- Marine Liner Green charge %d yen: %s; every section is under 100 km and is charged the same "
        "(up to 50 km: an estimate, above)." % (MARINE_GREEN[0], _basis_cell(MARINE_GREEN[1])),
        "- Marine Liner reserved seat (fixed charges, in no table): " +
        _basis_cell(MARINE_RESERVED) + ".",
        "",
        "## JR Shikoku fare table (幹線; the 内子線 on 擬制キロ)",
        "",
        "| km | yen | basis |",
        "|---|---|---|",
    ]
    out += _band_rows(SHIKOKU_FARES)
    out += ["", SHIKOKU_FARES_NOTE, "",
            "## JR Shikoku 加算額 (journeys across 児島, by the km beyond 児島)", "", "| km | yen | basis |",
            "|---|---|---|"]
    out += _band_rows(SHIKOKU_ADDITIONS)
    out += ["", "## JR West fare table", "", "| km | yen | basis |", "|---|---|---|"]
    out += _band_rows(WEST_FARES)
    out += ["", WEST_FARES_NOTE, "",
            "## Special fares across the bridge (旅規 85条の3)", "",
            "| journey | yen | through fare | basis |", "|---|---|---|---|"]
    for station, yen, basis in BRIDGE_SPECIAL_FARES:
        out.append("| 児島 – %s | %s | %s | %s |" % (STATIONS[station], _yen(yen),
                                                      _yen(adult_fare(route[station][KOJIMA])), _basis_cell(basis)))
    out += ["", BRIDGE_SPECIAL_NOTE, "",
            "## Express charges (non-reserved, adult)", "", "| km | yen | basis |", "|---|---|---|"]
    out += _band_rows(EXPRESS_CHARGES)
    out += ["", "## Green charges (limited express)", "", "| km | yen | basis |", "|---|---|---|"]
    out += _band_rows(GREEN_CHARGES)
    out += [
        "",
        "## Kilometrage",
        "",
        "Posts per line, km from the line's start; an edge of the graph is the difference of two posts.",
    ]
    for name, company, local, posts in LINES:
        out += ["", "### %s (%s, %s)" % (name, company, "地方交通線" if local else "幹線"), ""]
        if local:
            out += ["| index | station | km | 擬制キロ | basis |", "|---|---|---|---|---|"]
        else:
            out += ["| index | station | km | basis |", "|---|---|---|---|"]
        for s, km, basis in posts:
            extra = " %s |" % _km(fictive(tenths(km))) if local else ""
            out.append("| %d | %s | %s |%s %s |" % (s, STATIONS[s], km, extra, _basis_cell(basis)))
    cited = set()
    for basis in _all_bases():
        cited.update(cited_keys(basis))
    out += ["", "## Source keys", ""]
    out += ["- [%s] %s" % (key, SOURCE_ADDRESSES.get(key, "?")) for key in sorted(cited)]
    return "\n".join(out) + "\n"


def _all_bases():
    """Every basis text that SOURCES.md shows."""
    for _, _, _, posts in LINES:
        yield from (basis for _, _, basis in posts)
    for table in (SHIKOKU_FARES, SHIKOKU_ADDITIONS, WEST_FARES, BRIDGE_SPECIAL_FARES, EXPRESS_CHARGES,
                  GREEN_CHARGES):
        yield from (basis for _, _, basis in table)
    yield from (SHIKOKU_FARES_NOTE, WEST_FARES_NOTE, BRIDGE_SPECIAL_NOTE, THROUGH_RULE[1], FICTIVE_RATE,
                FICTIVE_ROUNDING, BRIDGE_SURCHARGE[1], RESERVED_SUPPLEMENT[1], SEASON_STEP[1], THROUGH_EXPRESS,
                GREEN_EXPRESS, MARINE_GREEN[1], CHILD_RULE, STUDENT_RULE, ROUNDING_RULE, RESERVED_SHORT[2],
                MARINE_GREEN_SHORT[2], OKAYAMA_KOJIMA_EXPRESS[1], MARINE_RESERVED, LOCAL_SPECIAL_FARES)
    yield from NOT_MODELLED


def write_all(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for name, rows in sorted(tables().items()):
        (folder / name).write_bytes(table_bytes(rows))
    (folder / "Henko.txt").write_bytes(HENKO)
    (folder / "SOURCES.md").write_bytes(sources_md().encode("utf-8"))


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
