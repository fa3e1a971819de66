#include "ui/backend.h"

#include "ui/backends/headless/backend_headless.h"

namespace {
TBackend* g_backend = nullptr;
}

TBackend& Backend() {
  return g_backend ? *g_backend : HeadlessBackend();
}

void SetBackend(TBackend* b) {
  g_backend = b;
}
