// What the MCI drivers of the end-to-end tests share: the environment that sets them up, the
// log of what they were asked, a playback that runs in the background until its length has
// passed, and the driver entry. Each driver names its log's variable in DRIVER_LOG_VARIABLE.
#pragma once

#include <windows.h>
#include <mmddk.h>
#include <mmsystem.h>

#include <string>

namespace driver {

std::wstring Environment(const wchar_t* name);
DWORD EnvironmentNumber(const wchar_t* name, DWORD fallback);
// Appends a line to the log file (a Windows path) that DRIVER_LOG_VARIABLE names, if any.
void Log(const std::string& line);
std::string Number(DWORD value);
// UTF-8, which is ASCII for a device name.
std::string Narrow(const wchar_t* text);

// Starts a playback of `ms` that tells `callback` (none: nobody) it has ended; the one before
// must have been ended first.
void StartPlayback(HWND callback, MCIDEVICEID device, DWORD ms);
// Ends the current playback, if any, with `code`, and waits until it has said so.
void EndPlayback(UINT code);

using CommandHandler = LRESULT (*)(UINT message, DWORD flags, DWORD_PTR parameters);
// The body of DriverProc for a device of `type` without a command table of its own, whose
// commands go to `onCommand`; `device` gets the id MCI gives it.
LRESULT DriverEntry(HDRVR driver, UINT message, LPARAM first, LPARAM second, UINT type,
                    MCIDEVICEID& device, CommandHandler onCommand);

}  // namespace driver
