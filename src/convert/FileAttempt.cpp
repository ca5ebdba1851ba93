#include "convert/FileAttempt.h"

namespace pressmoor::convert {

bool OfficeLost(const office::AutomationError& failure) {
  return failure.Number() == office::errors::kOfficeDied ||
         failure.Number() == office::errors::kTimedOut;
}

FileAttempt AttemptFile(const std::function<void()>& convert,
                        const std::function<void()>& restartAlone) {
  FileAttempt attempt;
  try {
    convert();
    return attempt;
  } catch (const office::AutomationError& failure) {
    if (!OfficeLost(failure) || !restartAlone) {
      attempt.failure = failure;
      return attempt;
    }
  }
  restartAlone();
  attempt.restarted = true;
  try {
    convert();
  } catch (const office::AutomationError& failure) {
    attempt.failure = failure;
  }
  return attempt;
}

}  // namespace pressmoor::convert
