#pragma once
// The keyboard drills: KeyDrillWindow and KeypadDrillWindow with the commands
// "打字键区键位练习" (OnlyKeyBoard), "打字键区指法练习" (FingerEx) and
// "数字键区键位练习" (KeypadDrillExercise); the key-position drill with a target pool
// for the other subsystems (AppContext::keyDrills).
struct AppContext;
class Shell;

void RegisterKeyboard(AppContext &ctx, Shell &shell);
