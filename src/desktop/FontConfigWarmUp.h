#pragma once

#include <thread>

// Loads the system's font configuration on a thread of its own while the window system
// starts. Reading fontconfig's configuration and caches is the largest single cost before
// the window can measure its first text, and it needs nothing of Qt, so it can run beside
// the connection to the display on a second core. wait() returns once it is loaded; the
// font database that Qt builds afterwards then finds it ready.
//
// Where Qt does not take its fonts from fontconfig this does nothing.
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Fontconfig loads its configuration afresh in each thread that finds none yet, so
    // the first use of fonts waits here rather than loading it a second time beside us.
    void wait();

private:
    std::thread m_thread;
};
