// One office started ahead of need, so that the next application object
// connects at once instead of waiting out a start-up. It is an ordinary
// office process: ended with its group when nobody takes it.
#pragma once

#include <memory>
#include <mutex>

#include "OfficeProcess.h"

namespace pressmoor::office::libreoffice {

class SpareOffice {
 public:
  // Keeps `process` for the next taker, ending any office kept before.
  void Put(std::unique_ptr<OfficeProcess> process);
  // The kept office, or null when there is none or it has ended.
  std::unique_ptr<OfficeProcess> Take();
  // Ends the kept office now.
  void Clear();

 private:
  std::mutex mutex_;
  std::unique_ptr<OfficeProcess> process_;
};

// Starts an office without waiting for it; null when it cannot start, since
// a spare is only a head start.
std::unique_ptr<OfficeProcess> LaunchSpareOffice();

}  // namespace pressmoor::office::libreoffice
