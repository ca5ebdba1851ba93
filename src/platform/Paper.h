// Paper sizes as the machine's printing knows them (libpaper): the sizes by
// name, and the paper the machine is set to, from PAPERSIZE or the paper
// size file (/etc/papersize, or the file PAPERCONF names).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pressmoor::platform {

struct Paper {
  std::string name;  // as libpaper spells it: "a4", "letter"
  double width = 0;  // portrait, in points
  double height = 0;
  bool operator==(const Paper&) const = default;
};

// The paper of that name, without regard to case; none for a name libpaper
// does not know.
std::optional<Paper> KnownPaper(const std::string& name);

// Every name libpaper knows, in its order.
std::vector<std::string> KnownPaperNames();

// The machine's paper; A4 where none is set or the one set is unknown.
Paper MachinePaper();

}  // namespace pressmoor::platform
