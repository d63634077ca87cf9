#pragma once
// 宋体 (SimSun) does not exist on Linux: map both names to a Song-style CJK
// font before any widget exists, or Chinese falls back to Japanese glyph forms.
// Chinese in the default face goes to the same Song face: left to fontconfig
// it lands in whichever CJK font sorts first (often a 50 MB catch-all font
// that costs 5 MB of memory for a few labels).
void InstallChineseFonts();
