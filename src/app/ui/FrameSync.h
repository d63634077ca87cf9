#pragma once
// Keystroke latency on X11. Qt's X11 backing store hands each frame to the X
// server in shared memory, and before it paints pixels of a frame the server
// may not have read yet, it waits for a round trip to the server. A keystroke
// repaints where the last one left the caret, so every keystroke's frame began
// with that wait. SyncAfterEachFrame takes the wait right after each frame of
// `window` instead, while the learner is between keys; elsewhere it does nothing.
class QWidget;

void SyncAfterEachFrame(QWidget *window);
