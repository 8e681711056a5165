#include "win32/mci.h"

#include <windows.h>
#include <mmsystem.h>

#include "text/cp932.h"
#include "win32/frame_window.h"
#include "win32/text.h"

namespace win32 {

bool Win32Mci::SendString(const char* command, char* reply, unsigned replySize, bool notify) {
  wchar_t wideReply[260] = {};
  const HWND window = notify ? m_notified.Handle() : nullptr;
  const MCIERROR error = mciSendStringW(Cp932ToWide(command).c_str(), reply ? wideReply : nullptr,
                                        reply ? sizeof wideReply / sizeof wideReply[0] : 0, window);
  if (reply != nullptr && replySize > 0)
    cp932::CopyToField(reply, replySize, WideToCp932(wideReply, BestFit::kUsed));
  return error == 0;
}

unsigned Win32Mci::DeviceId(const char* name) { return mciGetDeviceIDW(Cp932ToWide(name).c_str()); }

}  // namespace win32
