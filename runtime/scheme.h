// TScheme: a set of elements built together, destroyed in reverse creation order.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "runtime/element.h"

class TScheme {
 public:
  TScheme() = default;
  TScheme(const TScheme&) = delete;
  TScheme& operator=(const TScheme&) = delete;
  virtual ~TScheme();

  // Creates an element owned by this scheme.
  template <class T, class... A>
  T* Add(A&&... args) {
    T* e = new T(std::forward<A>(args)...);
    elements_.emplace_back(e);
    return e;
  }

 protected:
  // Destroys every element now, last created first.
  void DestroyElements();

 private:
  std::vector<std::unique_ptr<THIBase>> elements_;
};
