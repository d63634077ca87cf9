#pragma once
// The one SDL audio device the program opens, shared by the cues and the
// background music. Opening may fail (no sound device): the program is then
// silent, which is not an error.
#include <functional>

class AudioDevice {
public:
    // Opens SDL audio and the mixer once per process; later calls return the
    // first answer. Safe to call before any window exists.
    static bool open();
    // Opens the device on a worker thread, so that probing the sound system
    // never holds up the windows; open() waits for it, isOpen() does not.
    // `whenOpen` runs on the thread of the application object once the
    // device is open (at once, in the next event, when it already is), and
    // never when it cannot be opened.
    static void openInBackground(std::function<void()> whenOpen = {});
    static bool isOpen();
    // Closes the device while nothing sounds and nobody holds it, so that an
    // idle program is not woken by SDL's audio thread; open() and
    // openInBackground() open it again.
    // Returns false when it stays open (sounding or held).
    static bool closeWhenIdle();
    // Runs on the thread of the application object after every opening.
    static void setOpenedHandler(std::function<void()> handler);
    // Keeps the device open while a loaded tune may still play.
    static void hold();
    static void release();
    // Closes the mixer and SDL audio (at exit), after a background open.
    static void close();
};
