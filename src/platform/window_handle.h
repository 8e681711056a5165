#pragma once

// A window as the logic sees it: an opaque handle that only the ports look into.
struct OpaqueWindow;
using WindowHandle = OpaqueWindow*;
