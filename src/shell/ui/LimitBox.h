#pragma once
// The limit box of the start-settings dialogs (text practice, radical drill).
class QLineEdit;
class QWidget;
struct AppContext;

// What a limit box holds: a number of characters or of seconds.
enum class LimitKind { Count, Seconds };

// Reads the limit box of a settings dialog: a number from 1 to 30000, rounded
// half to even. On an empty, non-numeric or out-of-range entry tells the
// learner (an empty box by naming what is missing), gives the box the focus
// (its text selected) and returns false.
bool ReadLimitBox(const AppContext &ctx, QWidget *dialog, QLineEdit *box, LimitKind kind, int &value);
