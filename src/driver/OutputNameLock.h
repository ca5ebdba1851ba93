// Runs that print workbooks share one "PDFFileName" setting. Held from the
// moment a run writes the name until its print has taken it, this lock keeps
// concurrent runs from printing into each other's files.
#pragma once

#include "platform/Registry.h"

namespace pressmoor::driver {

class OutputNameLock {
 public:
  // Blocks until no other process holds the lock of the store level the name
  // is written to. Without a lock file to use it holds nothing: a run on its
  // own is as safe without it.
  explicit OutputNameLock(const platform::RegistryRoots& roots);
  ~OutputNameLock();
  OutputNameLock(const OutputNameLock&) = delete;
  OutputNameLock& operator=(const OutputNameLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Lets the next run write its name; the destructor does the same.
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace pressmoor::driver
