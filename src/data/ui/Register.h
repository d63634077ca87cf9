#pragma once
// The settings dialog's menu command "other.settings".
struct AppContext;
class Shell;

void RegisterSettingsDialog(AppContext &ctx, Shell &shell);
