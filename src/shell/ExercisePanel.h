#pragma once
// A docked exercise window as the shell sees it: the close-others step
// empties it, the settings dialog hands it new font sizes.
class ExercisePanel {
public:
    virtual ~ExercisePanel() = default;
    virtual void clearContents() {}   // close-others: ClearReferencePage, empty boxes
    virtual void applyFontSizes() {}  // settings dialog OK: take the new sizes now
};
