// IKeyboardHookLibrary over keyhook.dll, loaded from the executable's own folder at the first
// Start.
#pragma once

#include <cstdint>

#include "platform/KeyboardHookLibrary.h"

class TWin32KeyboardHookLibrary : public IKeyboardHookLibrary {
  public:
    // Loads nothing yet: keyhook.dll is loaded at the first Start.
    TWin32KeyboardHookLibrary() = default;
    // Stops the hook before the library goes.
    ~TWin32KeyboardHookLibrary() override;

    TWin32KeyboardHookLibrary(const TWin32KeyboardHookLibrary&) = delete;
    TWin32KeyboardHookLibrary& operator=(const TWin32KeyboardHookLibrary&) = delete;

    bool Start(TWindowHandle window, std::uint32_t message) override;
    THookStartProblem LastStartProblem() const override;
    void Stop() override;

    // True once a Stop found the hook thread still running after keyhook.dll's bound: the
    // library then stays loaded until the process ends.
    bool StopFailed() const { return Stuck; }

  private:
    void Load();
    bool Loaded() const { return StartProc != nullptr && StopProc != nullptr; }

    using TStartProc = int(__stdcall*)(void* window, unsigned int message);
    using TStopProc = int(__stdcall*)();

    void* Module = nullptr;  // HMODULE
    TStartProc StartProc = nullptr;
    TStopProc StopProc = nullptr;
    bool LoadTried = false;
    THookStartProblem LoadProblem;
    THookStartProblem LastProblem;
    bool Stuck = false;
};
