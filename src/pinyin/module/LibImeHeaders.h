#pragma once
// The pinyin engine's headers, read without Qt's keyword macros: they use
// `foreach` and `signals` as ordinary names.
#pragma push_macro("foreach")
#pragma push_macro("signals")
#pragma push_macro("slots")
#pragma push_macro("emit")
#undef foreach
#undef signals
#undef slots
#undef emit
#include <libime/core/userlanguagemodel.h>
#include <libime/pinyin/pinyincontext.h>
#include <libime/pinyin/pinyindictionary.h>
#include <libime/pinyin/pinyinencoder.h>
#include <libime/pinyin/pinyinime.h>
#include <libime/pinyin/shuangpinprofile.h>
#pragma pop_macro("emit")
#pragma pop_macro("slots")
#pragma pop_macro("signals")
#pragma pop_macro("foreach")
