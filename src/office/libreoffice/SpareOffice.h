// Offices kept for the next application object, started ahead of need or
// left running by the last one, so that it connects at once instead of
// waiting out a start-up. They are ordinary office processes: ended with
// their group when nobody takes them.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "OfficeProcess.h"

namespace pressmoor::office::libreoffice {

class SpareOffice {
 public:
  // An application uses at most `mostKept` offices; more would sit idle.
  explicit SpareOffice(std::size_t mostKept) : mostKept_(mostKept) {}

  // Keeps `process` for the next taker, ending the oldest kept when there
  // are more than `mostKept`; null ends every office kept.
  void Put(std::unique_ptr<OfficeProcess> process);
  // The office kept last that still runs and may read just `reach` (any,
  // when that is nothing), or null; offices passed over for another reach
  // are ended, being of no more use.
  std::unique_ptr<OfficeProcess> Take(const OfficeReach& reach);
  // Up to `most` offices, as Take finds them.
  std::vector<std::unique_ptr<OfficeProcess>> TakeUpTo(std::size_t most, const OfficeReach& reach);
  // Ends the kept offices now.
  void Clear();

 private:
  std::size_t mostKept_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<OfficeProcess>> processes_;
};

// `running` and as many new offices after it as make `wanted`, all started
// now so that they come up side by side rather than one after another. An
// office that cannot be started is left out: connecting to it later says why.
std::vector<std::unique_ptr<OfficeProcess>> StartedUpTo(std::vector<std::unique_ptr<OfficeProcess>> running,
                                                        std::size_t wanted, const OfficeReach& reach);

}  // namespace pressmoor::office::libreoffice
