// One file's conversion, tried so that its failure is its own. The offices
// read documents ahead and share a process among several of them, so an
// office lost during one file may have been lost to another: when the run
// goes on past failures anyway, such a file is tried once more in a fresh
// office that holds nothing else.
#pragma once

#include <functional>
#include <optional>

#include "office/Automation.h"

namespace pressmoor::convert {

// The office process died, or was stopped for taking too long.
bool OfficeLost(const office::AutomationError& failure);

struct FileAttempt {
  std::optional<office::AutomationError> failure;  // what remains after the retry
  bool restarted = false;                          // the office was started afresh
};

// Runs `convert`; when it loses the office and there is a `restartAlone`
// (which starts an office for this file only), runs that and `convert` once
// more. Failures of `convert` are returned; those of `restartAlone` escape,
// since a run without an office cannot go on.
FileAttempt AttemptFile(const std::function<void()>& convert,
                        const std::function<void()>& restartAlone);

}  // namespace pressmoor::convert
