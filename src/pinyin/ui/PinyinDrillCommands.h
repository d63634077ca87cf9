#pragma once
// The pinyin drills of the menu 拼音练习: initials, finals, the whole
// syllables, characters by level, common words by frequency and the texts,
// each a line-by-line run with toned pinyin over the reference, filed in the
// statistics under a kind of its own.
#include <QString>
#include <functional>

struct AppContext;
class Shell;

void RegisterPinyinDrills(AppContext &ctx, Shell &shell);

