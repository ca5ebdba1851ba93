#include "AheadPlan.h"

#include <algorithm>

namespace pressmoor::office::libreoffice {

AheadPlan::AheadPlan(std::vector<Document> expected, std::size_t offices)
    : documents_(std::move(expected)),
      states_(documents_.size(), State::Waiting),
      offices_(std::max<std::size_t>(offices, 1)) {}

std::optional<std::size_t> AheadPlan::Claim(const PrintsAhead& printsAhead, bool mayWorkAhead) {
  if (Count(State::HeldPdf) + Count(State::HeldOpen) + Count(State::Preparing) >= kMostPdfsInHand) {
    return std::nullopt;
  }
  std::optional<std::size_t> chosen = Near();
  if (!chosen && mayWorkAhead && MayOpenAnother()) chosen = CostliestPrintedAhead(printsAhead);
  if (!chosen && mayWorkAhead && MayOpenAnother()) chosen = NextInOrder();
  if (chosen) states_[*chosen] = State::Preparing;
  return chosen;
}

bool AheadPlan::ClaimForCaller(std::size_t index) {
  const State state = states_.at(index);
  if (state == State::Preparing || state == State::HeldOpen || state == State::HeldPdf) return false;
  states_[index] = State::Gone;
  return true;
}

std::vector<std::size_t> AheadPlan::Reach(std::size_t index) {
  std::vector<std::size_t> dropped;
  for (std::size_t each = next_; each < std::min(index, states_.size()); ++each) {
    if (states_[each] != State::Waiting && states_[each] != State::Gone) dropped.push_back(each);
    states_[each] = State::Gone;
  }
  next_ = std::max(next_, index);
  return dropped;
}

void AheadPlan::Prepared(std::size_t index, bool heldOpen) {
  if (states_.at(index) == State::Preparing) states_[index] = heldOpen ? State::HeldOpen : State::HeldPdf;
}

void AheadPlan::Handed(std::size_t index) { states_.at(index) = State::Gone; }

bool AheadPlan::PreparingALongOne() const {
  for (std::size_t index = 0; index < states_.size(); ++index) {
    if (states_[index] == State::Preparing && documents_[index].cost >= kLongSeconds) return true;
  }
  return false;
}

std::size_t AheadPlan::Count(State state) const {
  return static_cast<std::size_t>(std::count(states_.begin(), states_.end(), state));
}

// A document being prepared may end open; two per office keep each busy
// while the caller takes the one before.
bool AheadPlan::MayOpenAnother() const {
  return Count(State::Preparing) + Count(State::HeldOpen) < 2 * offices_;
}

// The caller never waits for a document no office has begun: the next
// documents it has not taken, one per office. Counting one it has taken
// would leave a lone office working far ahead while the caller opens the
// next document itself.
std::optional<std::size_t> AheadPlan::Near() const {
  std::size_t near = 0;
  for (std::size_t index = next_; index < states_.size() && near < offices_; ++index) {
    if (states_[index] == State::Gone) continue;
    if (states_[index] == State::Waiting) return index;
    ++near;
  }
  return std::nullopt;
}

std::optional<std::size_t> AheadPlan::CostliestPrintedAhead(const PrintsAhead& printsAhead) const {
  std::optional<std::size_t> costliest;
  for (std::size_t index = next_; index < states_.size(); ++index) {
    if (states_[index] != State::Waiting) continue;
    if (costliest && documents_[index].cost <= documents_[*costliest].cost) continue;
    if (printsAhead(documents_[index].path)) costliest = index;
  }
  return costliest;
}

std::optional<std::size_t> AheadPlan::NextInOrder() const {
  for (std::size_t index = next_; index < states_.size(); ++index) {
    if (states_[index] == State::Waiting) return index;
  }
  return std::nullopt;
}

}  // namespace pressmoor::office::libreoffice
