// How many offices a batch runs at once: PRESSMOOR_OFFICES when it holds a
// whole number from 1, else one per core the process may use, fewer when
// the memory available would not carry them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace pressmoor::office::libreoffice {

// What an office takes at its busiest on ordinary documents.
constexpr std::size_t kOfficeMegabytes = 400;

std::size_t OfficesForThisMachine();

// The rule itself: `setting` wins when valid; at least one office.
std::size_t OfficesFor(const std::optional<std::string>& setting, std::size_t cores,
                       std::size_t availableMegabytes);

}  // namespace pressmoor::office::libreoffice
