#pragma once
// The one SDL audio device the program opens, shared by the cues and the
// background music. Opening may fail (no sound device): the program is then
// silent, which is not an error.
class AudioDevice {
public:
    // Opens SDL audio and the mixer once per process; later calls return the
    // first answer. Safe to call before any window exists.
    static bool open();
    // Opens the device on a worker thread, so that probing the sound system
    // never holds up the windows; open() waits for it, isOpen() does not.
    static void openInBackground();
    static bool isOpen();
    // Closes the mixer and SDL audio (at exit), after a background open.
    static void close();
};
