// A private folder for a harness's files, in memory where the system offers one (/dev/shm), so
// that the flushes of every settings write cost nothing; else under /tmp. Ends with '/'.
#pragma once

#include <stdlib.h>

#include <string>

inline std::string ScratchFolder(const std::string& name) {
  for (const char* base : {"/dev/shm/", "/tmp/"}) {
    std::string dir = base + name + "_XXXXXX";
    if (mkdtemp(dir.data())) return dir + "/";
  }
  abort();
}
