#pragma once

// The most bytes the dialogs let the user type as a message: the message window shows no more.
constexpr int kMessageLimit = 60;
