#pragma once
// The club race window ClubWindow and its menu command "other.club".
struct AppContext;
class Shell;

void RegisterClub(AppContext &ctx, Shell &shell);
