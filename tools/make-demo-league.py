#!/usr/bin/env python3
"""Writes the demo league's team files (demo/*.dat): fictional teams of fictional players, in the column layout
kivp and the stand-in simulator read. The output is fixed by the random generator's starting value below, so
running the script again gives the same files.

Layout (columns 1-based; file lines counted from 0):
  line 0      title line: "*" and the team's full name, 27 characters at least
  lines 1-9   the starting lineup: position 1-3, bats 5, name 10-26, AB 28-30, H 32-34, 2B 36-38, 3B 40-42,
              HR 45-46, BB 48-50, SO 52-54, RBI 56-58, SB 60-62, AVG 64-67
  line 10     "*Pitchers" heading
  then        one pitcher per line: "P" 1, throws 5, name 10-26, IP 28-30, H 32-34, R 36-38, ER 40-42, HR 44-46,
              BB 48-50, SO 52-54, ERA 56-58 (point implied after the first digit), G 60-61, W 63-64, L 66-67,
              SV 69-70, CG 72-73, GS 77-78 (blank or 0 for a reliever)
  then        "*Bench" heading and the bench players, laid out like the lineup
"""

import os
import random
import sys

TEAMS = [
    ("ASHVALE", "Ashvale Herons"),
    ("BRINDLE", "Brindle Bay Gulls"),
    ("COPPERTN", "Copperton Miners"),
    ("DUNMERE", "Dunmere Foxes"),
    ("ELMSWRTH", "Elmsworth Owls"),
    ("FAIRHOLW", "Fairhollow Badgers"),
    ("GLENROCK", "Glenrock Rams"),
    ("HOLLISFD", "Hollisford Kestrels"),
    ("IVYWICK", "Ivywick Otters"),
    ("JUNIPER", "Juniper Flats Jackrabbits"),
    ("KESTLER", "Kestler Point Pilots"),
    ("LORNEBRY", "Lornebury Lynx"),
    ("MARROWDL", "Marrowdale Moose"),
    ("NOXBURY", "Noxbury Nighthawks"),
    ("OAKMERE", "Oakmere Ospreys"),
    ("PELLHAM", "Pellham Pikes"),
]

FIRST = """Abel Amos Anson Arlo Barnaby Bertram Calvin Cassius Cyrus Dalton Dewey Eamon Elias Emmett Ezra Felix
Fenton Gideon Grady Halden Hollis Ignatius Ira Jasper Jonah Kit Lazlo Leland Lucius Mack Milo Murray Nestor Niles
Odell Orrin Otis Percy Quincy Ramsey Rex Rollo Rufus Silas Sterling Tobias Ulric Virgil Wendell Wiley Zeke""".split()

LAST = """Abernook Ashgrove Bellweather Birchmore Blackwood Brambley Brockwell Calloway Carrow Cinderby Cobbold
Dabney Dunleavy Elderkin Fairclough Farrowby Fenwright Foxhall Gallimore Garrity Glasswell Greaves Hadley Halloway
Hargrove Hatchell Ingleby Jessop Kettering Kilbride Larkin Lockhart Loverin Maddox Marchbank Merriwether Mossop
Nettleford Oakshott Orchard Pellow Pennycook Quarrington Quillfeld Radcliffe Ravensworth Rookwood Saltonstall
Scarrow Shandley Stanwick Tamblyn Thistlewood Thornbury Tillotson Underhill Vantreight Wainhouse Whitlock
Wickersham Winterbottom Yarwood Yelland Zellweger""".split()

POSITIONS = ["CF", "SS", "2B", "1B", "RF", "3B", "LF", "C", "DH"]
BENCH_POSITIONS = ["C", "IF", "OF", "UT", "OF"]


def player_name(rng, used):
    while True:
        first, last = rng.choice(FIRST), rng.choice(LAST)
        name = first + " " + last
        if len(name) > 17:
            name = first[0] + ". " + last
        if len(name) <= 17 and name not in used:
            used.add(name)
            return name


def right(value, width):
    text = str(value)
    assert len(text) <= width, (text, width)
    return text.rjust(width)


def put(line, first, text):
    """Writes text into a line (a list of characters) from column first (1-based)."""
    for i, c in enumerate(text):
        line[first - 1 + i] = c


def batter_line(rng, position, name, regular):
    ab = rng.randint(430, 620) if regular else rng.randint(60, 240)
    avg = rng.uniform(0.228, 0.322)
    hits = round(ab * avg)
    hr = rng.randint(3, 38) if regular else rng.randint(0, 7)
    doubles = round(hits * rng.uniform(0.14, 0.24))
    triples = rng.randint(0, 9)
    bb = round(ab * rng.uniform(0.06, 0.14))
    so = round(ab * rng.uniform(0.10, 0.24))
    rbi = min(999, round(hr * 2.2 + hits * rng.uniform(0.18, 0.35)))
    sb = rng.randint(0, 35) if regular else rng.randint(0, 6)
    line = [" "] * 67
    put(line, 1, position)
    put(line, 5, rng.choice("RRRLLS"))
    put(line, 10, name.ljust(17))
    put(line, 28, right(ab, 3))
    put(line, 32, right(hits, 3))
    put(line, 36, right(doubles, 3))
    put(line, 40, right(triples, 3))
    put(line, 44, right(hr, 3))
    put(line, 48, right(bb, 3))
    put(line, 52, right(so, 3))
    put(line, 56, right(rbi, 3))
    put(line, 60, right(sb, 3))
    put(line, 64, ("%.3f" % (hits / ab)).lstrip("0"))
    return "".join(line)


def pitcher_line(rng, name, starter, spot=False):
    if starter:
        gs = rng.randint(6, 11) if spot else rng.randint(22, 34)
        ip = gs * rng.randint(5, 7) + rng.randint(0, 12)
        era = rng.uniform(2.70, 5.10)
        games = gs + rng.randint(0, 4)
        wins, losses = rng.randint(gs // 4, gs // 2 + 3), rng.randint(gs // 5, gs // 2)
        saves, complete = 0, rng.randint(0, 6)
    else:
        gs = 0
        ip = rng.randint(38, 92)
        era = rng.uniform(2.40, 5.40)
        games = rng.randint(35, 72)
        wins, losses = rng.randint(1, 9), rng.randint(1, 8)
        saves, complete = rng.randint(0, 36), 0
    era_digits = "%03d" % round(era * 100)
    earned = round(int(era_digits) / 100 * ip / 9)
    runs = earned + rng.randint(0, 8)
    hits = round(ip * rng.uniform(0.80, 1.05))
    line = [" "] * 78
    put(line, 1, "P")
    put(line, 5, rng.choice("RRRL"))
    put(line, 10, name.ljust(17))
    put(line, 28, right(ip, 3))
    put(line, 32, right(hits, 3))
    put(line, 36, right(runs, 3))
    put(line, 40, right(earned, 3))
    put(line, 44, right(round(ip * rng.uniform(0.06, 0.14)), 3))
    put(line, 48, right(round(ip * rng.uniform(0.25, 0.45)), 3))
    put(line, 52, right(round(ip * rng.uniform(0.55, 1.10)), 3))
    put(line, 56, era_digits)
    put(line, 60, right(games, 2))
    put(line, 63, right(wins, 2))
    put(line, 66, right(losses, 2))
    put(line, 69, right(saves, 2))
    put(line, 72, right(complete, 2))
    if starter or rng.random() < 0.5:
        put(line, 77, right(gs, 2))  # a reliever shows " 0" or nothing at all
    return "".join(line)


def team_file(rng, full_name, used):
    lines = [("*" + full_name).ljust(28) + "Demo League  stand-in season"]
    for position in POSITIONS:
        lines.append(batter_line(rng, position, player_name(rng, used), True))
    lines.append("*Pitchers         IP   H   R  ER  HR  BB  SO ERA  G  W  L SV CG    GS")
    starters = rng.randint(5, 6)
    for i in range(starters):
        lines.append(pitcher_line(rng, player_name(rng, used), True, spot=(i == starters - 1)))
    relievers = [pitcher_line(rng, player_name(rng, used), False) for _ in range(rng.randint(5, 7))]
    # A reliever or two between the starters, as team files often list them.
    for reliever in relievers[:2]:
        lines.insert(11 + rng.randint(1, starters - 1), reliever)
    lines.extend(relievers[2:])
    lines.append("*Bench            AB   H  2B  3B  HR  BB  SO RBI  SB  AVG")
    for position in BENCH_POSITIONS[: rng.randint(4, 5)]:
        lines.append(batter_line(rng, position, player_name(rng, used), False))
    return lines


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "demo")
    rng = random.Random(19550926)
    used = set()
    for stem, full_name in TEAMS:
        extension = ".DAT" if stem == "MARROWDL" else ".dat"
        with open(os.path.join(folder, stem + extension), "w", newline="") as out:
            for line in team_file(rng, full_name, used):
                out.write(line + "\r\n")


if __name__ == "__main__":
    main()
