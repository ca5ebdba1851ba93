#include "SpareOffice.h"

#include <exception>
#include <utility>

namespace pressmoor::office::libreoffice {

void SpareOffice::Put(std::unique_ptr<OfficeProcess> process) {
  std::unique_ptr<OfficeProcess> previous;
  std::lock_guard lock(mutex_);
  previous = std::exchange(process_, std::move(process));
}

std::unique_ptr<OfficeProcess> SpareOffice::Take() {
  std::unique_ptr<OfficeProcess> process;
  {
    std::lock_guard lock(mutex_);
    process = std::move(process_);
  }
  if (process && !process->Running()) process.reset();
  return process;
}

void SpareOffice::Clear() { Put(nullptr); }

std::unique_ptr<OfficeProcess> LaunchSpareOffice() {
  try {
    return std::make_unique<OfficeProcess>();
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace pressmoor::office::libreoffice
