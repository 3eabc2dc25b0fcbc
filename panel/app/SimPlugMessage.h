// The registered message that plugs (wParam 1) or unplugs (wParam 0) the simulator build's
// headset; tests send it from another process.
#pragma once

constexpr wchar_t kSimPlugMessageName[] = L"AUDIOPANEL_SIM_PLUG";
