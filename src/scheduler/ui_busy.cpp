#include "scheduler/ui_busy.h"

int g_bAboutOpen = 0;
void* g_hFrontDialog = nullptr;
