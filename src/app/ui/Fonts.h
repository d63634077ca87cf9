#pragma once
// 宋体 (SimSun) does not exist on Linux: map both names to a Song-style CJK
// font before any widget exists, or Chinese falls back to Japanese glyph forms.
void InstallSongFontSubstitutes();
