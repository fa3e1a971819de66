// The Qt backend for tests: one per test program, on the offscreen platform at 96 DPI (or the
// platform the environment names), and a pixel counter for rendered images.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>

#include "ui/backends/qt/backend_qt.h"

inline TQtBackend*& QtOffscreenSlot() {
  static TQtBackend* backend = nullptr;
  return backend;
}

// Creates the backend (and the QApplication); extra settings such as a scale factor go into
// the environment before this.
inline void StartQtOffscreen() {
  if (QtOffscreenSlot()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_FONT_DPI", "96", 1);
  QtOffscreenSlot() = new TQtBackend();
}

inline void StopQtOffscreen() {
  delete QtOffscreenSlot();
  QtOffscreenSlot() = nullptr;
}

inline TQtBackend& QtOffscreen() {
  StartQtOffscreen();
  return *QtOffscreenSlot();
}

// Pixels of r (clipped to the image) whose colour differs clearly from bg: the summed
// difference of the three channels is above threshold.
inline int InkPixels(const QImage& img, const QRect& r, QColor bg, int threshold = 120) {
  int n = 0;
  QRect area = r.intersected(img.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      QColor c = img.pixelColor(x, y);
      int diff = std::abs(c.red() - bg.red()) + std::abs(c.green() - bg.green()) +
                 std::abs(c.blue() - bg.blue());
      if (diff > threshold) ++n;
    }
  return n;
}

inline bool HasInk(const QImage& img, const QRect& r, QColor bg) {
  return InkPixels(img, r, bg) > 0;
}
