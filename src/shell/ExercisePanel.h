#pragma once
// A docked exercise window as the shell sees it: the close-others step
// empties it, the settings dialog hands it new font sizes, and the menu
// commands pass it the function keys that switch its drill.
class ExercisePanel {
public:
    virtual ~ExercisePanel() = default;
    virtual void clearContents() {}   // close-others: ClearReferencePage, empty boxes
    virtual void applyFontSizes() {}  // settings dialog OK: take the new sizes now
    // A menu command's function key (Qt::Key_F5, Qt::Key_F6), handled as if
    // it had been pressed in the panel. The shell focuses the panel first.
    virtual void commandKey(int key) { (void)key; }
};
