#pragma once
// The settings dialog's menu command "Config".
struct AppContext;
class Shell;

void RegisterSettingsDialog(AppContext &ctx, Shell &shell);
