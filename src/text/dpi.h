#pragma once

// A size in pixels given for 96 dots per inch (100 %), at `dpi`, rounded half up.
constexpr int ScaleToDpi(int pixelsAt96, int dpi) { return (pixelsAt96 * dpi + 48) / 96; }

// A length or coordinate in pixels at `fromDpi`, at `toDpi`, to the nearest pixel (half away
// from zero, so that a coordinate left of the origin moves as far as its mirror image).
constexpr int RescaleDpi(int pixels, int fromDpi, int toDpi) {
  const long long scaled = static_cast<long long>(pixels) * toDpi;
  const long long half = fromDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : -((-scaled + half) / fromDpi));
}

// A control's place in its window's client area. Its edges are scaled, not its size: controls
// that touch or stand apart at one DPI still do at the other, whatever the rounding.
struct PixelRect {
  int left, top, right, bottom;
};
constexpr PixelRect RescaleDpi(const PixelRect& rect, int fromDpi, int toDpi) {
  return {RescaleDpi(rect.left, fromDpi, toDpi), RescaleDpi(rect.top, fromDpi, toDpi),
          RescaleDpi(rect.right, fromDpi, toDpi), RescaleDpi(rect.bottom, fromDpi, toDpi)};
}
