#pragma once
// The pinyin practice of the menu: the 双拼 key chart and the 双拼 key drill.
struct AppContext;
class Shell;

void RegisterPinyin(AppContext &ctx, Shell &shell);
