#pragma once

// A size in pixels given for 96 dots per inch (100 %), at `dpi`, rounded half up.
constexpr int ScaleToDpi(int pixelsAt96, int dpi) { return (pixelsAt96 * dpi + 48) / 96; }
