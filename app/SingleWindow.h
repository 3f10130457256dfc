#pragma once
// The single-instance window helper now lives in platform/OwnedWindow.h (windows of every folder
// use it); this name stays for callers in app/.
#include "platform/OwnedWindow.h"

using platform::ShowSingleWindow;
