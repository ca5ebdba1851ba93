#include <cstdint>
#include <optional>
#include <string>

#include "convert/FilePaths.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// Two status calls and nothing else: a nightly run over an archive that has
// not changed must cost next to nothing.
bool frmPressmoorMain::IsUpToDate(const std::string& fileName) {
  if (!OnlyChanged) return false;
  platform::FileSystem& files = Env().Files();
  const std::optional<std::int64_t> pdf = files.ModifiedAt(convert::OutputPath(DstFolder.Path(), fileName));
  if (!pdf) return false;
  const std::optional<std::int64_t> source = files.ModifiedAt(convert::SourcePath(SrcFolder.Path(), fileName));
  return source && *pdf >= *source;
}

}  // namespace pressmoor::ui
