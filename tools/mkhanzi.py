#!/usr/bin/env python3
"""Builds data/hanzi_readings.txt from the Unihan database (Debian's
unicode-data): one line per character with a Mandarin reading,
"char<TAB>level<TAB>rank<TAB>reading reading ...".

level/rank: the character's level (1, 2, 3) and position in the Table of
General Standard Chinese Characters (kTGH, 2013), or 0 and 0.
readings: toned pinyin, the usual reading (kMandarin) first, then the other
modern readings (kTGHZ2013, kXHC1983); kHanyuPinyin only for characters
that have none of those.

usage: mkhanzi.py UNIHAN_DIR OUTPUT
"""
import bz2
import os
import re
import sys

READING = re.compile(r'[a-zà-ÿāēěīōūǎǐǒǔǖǘǚǜńňḿ̀]+$')


def fields(path, wanted):
    opener = bz2.open if path.endswith('.bz2') else open
    with opener(path, 'rt', encoding='utf-8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            code, field, value = line.rstrip('\n').split('\t', 2)
            if field in wanted:
                yield chr(int(code[2:], 16)), field, value


def located_readings(value):
    """Readings of values like '131.140:háng 136.100:héng' or
    '20811.060:háng,xìng'."""
    out = []
    for part in value.split():
        for reading in part.split(':', 1)[-1].split(','):
            out.append(reading)
    return out


def unihan_file(folder, name):
    for candidate in (name + '.bz2', name):
        path = os.path.join(folder, candidate)
        if os.path.exists(path):
            return path
    sys.exit('mkhanzi: %s not found in %s (package unicode-data)' % (name, folder))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, output = sys.argv[1], sys.argv[2]
    usual, modern, old, level = {}, {}, {}, {}
    for char, field, value in fields(unihan_file(folder, 'Unihan_Readings.txt'),
                                     {'kMandarin', 'kTGHZ2013', 'kXHC1983', 'kHanyuPinyin'}):
        if field == 'kMandarin':
            usual[char] = value.split()
        elif field == 'kHanyuPinyin':
            old[char] = located_readings(value)
        else:
            modern.setdefault(char, []).extend(located_readings(value))
    for char, _, value in fields(unihan_file(folder, 'Unihan_OtherMappings.txt'), {'kTGH'}):
        rank = int(value.split(':')[1])
        level[char] = (1 if rank <= 3500 else 2 if rank <= 6500 else 3, rank)

    lines = []
    for char in sorted(set(usual) | set(modern) | set(old)):
        readings = usual.get(char, []) + modern.get(char, [])
        if not readings:
            readings = old.get(char, [])
        readings = [r for r in dict.fromkeys(readings) if READING.match(r)]
        if not readings:
            continue
        lvl, rank = level.get(char, (0, 0))
        lines.append('%s\t%d\t%d\t%s\n' % (char, lvl, rank, ' '.join(readings)))
    temporary = output + '.part'
    with open(temporary, 'w', encoding='utf-8') as f:
        f.writelines(lines)
    os.replace(temporary, output)


if __name__ == '__main__':
    main()
