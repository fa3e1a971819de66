#include "runtime/scheme.h"

TScheme::~TScheme() {
  DestroyElements();
}

void TScheme::DestroyElements() {
  while (!elements_.empty())
    elements_.pop_back();
}
