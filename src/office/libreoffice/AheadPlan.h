// Which expected document an idle office prepares next. The caller opens
// documents in its own order; the offices work ahead of it so that none of
// them waits: first the documents the caller comes to next, then the
// costliest of those that end as a PDF printed ahead (so a long one does not
// start last and hold up the end of the run), then the rest in order.
// What is held ahead is bounded by what it costs: an open document holds
// office memory, so only a few are kept; a PDF printed ahead holds only a
// temporary file. Not thread-safe: the owner serialises every call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pressmoor::office::libreoffice {

class AheadPlan {
 public:
  struct Document {
    std::string path;
    double cost = 0;  // expected seconds of office work: history, else a guess from its size
  };
  // True when `path` prepared now would end as a PDF printed ahead.
  using PrintsAhead = std::function<bool(const std::string& path)>;

  static constexpr std::size_t kMostPdfsInHand = 64;
  // Expected seconds past which a document holds its application up.
  static constexpr double kLongSeconds = 1.0;

  // `expected` in the caller's order; `offices` work on them at once.
  AheadPlan(std::vector<Document> expected, std::size_t offices);

  // Claims the document an idle office should prepare now, or none. Without
  // `mayWorkAhead` only the caller's next ones: the office holds a document
  // open that the caller will print there, and that print would wait behind
  // whatever the office took on, however long.
  std::optional<std::size_t> Claim(const PrintsAhead& printsAhead, bool mayWorkAhead = true);
  // The caller opens `index`: true when no office holds it or works on it
  // (never begun, thrown away, or taken before), which leaves it to the
  // caller.
  bool ClaimForCaller(std::size_t index);
  // The caller is at `index`: the documents before it will not be asked
  // for. Returns those prepared or being prepared, to be thrown away.
  std::vector<std::size_t> Reach(std::size_t index);
  // An office finished `index`, holding it open or only its PDF.
  void Prepared(std::size_t index, bool heldOpen);
  // `index` left the hands of the offices: taken or thrown away.
  void Handed(std::size_t index);
  // True while an office is at work on a document expected to take
  // kLongSeconds or more.
  bool PreparingALongOne() const;

 private:
  enum class State { Waiting, Preparing, HeldOpen, HeldPdf, Gone };
  std::size_t Count(State state) const;
  bool MayOpenAnother() const;
  std::optional<std::size_t> Near() const;
  std::optional<std::size_t> CostliestPrintedAhead(const PrintsAhead& printsAhead) const;
  std::optional<std::size_t> NextInOrder() const;

  std::vector<Document> documents_;
  std::vector<State> states_;
  std::size_t offices_;
  std::size_t next_ = 0;  // where the caller is
};

}  // namespace pressmoor::office::libreoffice
