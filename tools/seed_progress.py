#!/usr/bin/env python3
"""Fills a progress database with a plausible month of practice for one
learner, to look at the progress window with real-looking data.

    tools/seed_progress.py DATABASE LEARNER [--days 30] [--seed 1]

The database must exist: the program creates it (with its schema) the first
time it starts. The learner is the name the program's settings hold as
[User] Name.
"""
import argparse
import datetime
import random
import sqlite3
import sys

COMMON = "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日"
HARD = "藏餐戴曝鼎囊馨嚣凹凸龟鬯彝"  # missed and slow more often
KEYS = list("QWERTYUIOPASDFGHJKLZXCVBNM1234567890")
HARD_KEYS = set("QZXP6")


def practice_day(day, progress, rng):
    """The runs of one day: (kind, start, seconds, characters, errors)."""
    runs = []
    for kind, base_speed, base_accuracy in (("line", 30, 0.90), ("wubi", 18, 0.86), ("keys", 70, 0.88)):
        if rng.random() < 0.25:
            continue  # a day without this exercise
        for _ in range(rng.randint(1, 2)):
            seconds = rng.randint(180, 600)
            speed = base_speed * (1 + progress * 0.8) * rng.uniform(0.9, 1.1)
            characters = int(speed * seconds / 60)
            accuracy = min(0.995, base_accuracy + progress * 0.08 + rng.uniform(-0.02, 0.02))
            errors = int(characters * (1 - accuracy))
            start = datetime.datetime.combine(day, datetime.time(rng.randint(7, 21), rng.randint(0, 59)))
            runs.append((kind, start, seconds, characters, errors))
    return runs


def tally_items(runs, rng):
    """(kind, item) -> [attempts, errors, interval_ms, timed, last_seen]."""
    tallies = {}
    for kind, start, seconds, characters, errors in runs:
        pool = KEYS if kind == "keys" else COMMON + HARD
        hard = HARD_KEYS if kind == "keys" else set(HARD)
        error_share = errors / max(1, characters)
        for _ in range(characters):
            item = rng.choice(pool)
            t = tallies.setdefault((kind, item), [0, 0, 0, 0, ""])
            t[0] += 1
            t[1] += rng.random() < error_share * (4 if item in hard else 0.8)
            t[2] += int(60000 / max(1, characters / seconds * 60) * (1.8 if item in hard else 1))
            t[3] += 1
            t[4] = start.isoformat(timespec="milliseconds")
    return tallies


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("database")
    parser.add_argument("learner")
    parser.add_argument("--days", type=int, default=30)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    db = sqlite3.connect(args.database)
    tables = {row[0] for row in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")}
    if not {"runs", "item_stats"} <= tables:
        sys.exit("%s has no progress tables: start the program once first" % args.database)
    today = datetime.date.today()  # the month ends yesterday
    runs = []
    for n in range(args.days):
        runs += practice_day(today - datetime.timedelta(days=args.days - n), n / max(1, args.days - 1), rng)
    with db:
        db.executemany(
            "INSERT INTO runs (learner, kind, started, duration_ms, characters, errors) VALUES (?, ?, ?, ?, ?, ?)",
            [(args.learner, k, s.isoformat(timespec="milliseconds"), sec * 1000, c, e) for k, s, sec, c, e in runs])
        db.executemany(
            "INSERT INTO item_stats (learner, kind, item, attempts, errors, interval_ms, timed, last_seen)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (learner, kind, item) DO UPDATE SET"
            " attempts = attempts + excluded.attempts, errors = errors + excluded.errors,"
            " interval_ms = interval_ms + excluded.interval_ms, timed = timed + excluded.timed,"
            " last_seen = excluded.last_seen",
            [(args.learner, kind, item, *t) for (kind, item), t in tally_items(runs, rng).items()])
    print("%d runs, %d keystrokes" % (len(runs), sum(r[3] for r in runs)))


if __name__ == "__main__":
    main()
