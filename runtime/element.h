// THIBase: the object root of every element, so that a scheme can own and destroy them.
#pragma once

#include "runtime/data.h"
#include "runtime/event.h"

class THIBase {
 public:
  THIBase() = default;
  THIBase(const THIBase&) = delete;
  THIBase& operator=(const THIBase&) = delete;
  virtual ~THIBase() = default;
};
