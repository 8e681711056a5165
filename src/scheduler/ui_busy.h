#pragma once

// Shared with the version box: while it is open the frame runs no action and shows no menu.
extern int g_bAboutOpen;
// The dialog that a click on the tray icon brings forward; an opaque window handle.
extern void* g_hFrontDialog;
