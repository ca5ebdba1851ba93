#include "driver/Quillset.h"
#include "driver/Version.h"
#include "settings/RegistryAPI.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

bool frmPressmoorMain::CheckDriverVersion() {
  using settings::RegistryAPI::ReadMachineValue;
  using settings::RegistryAPI::ValueHolder;
  ValueHolder standard = std::string();
  ValueHolder pro = std::string();
  ReadMachineValue(Env().Settings(), driver::kVersionKey, driver::kVersionValue, standard);
  ReadMachineValue(Env().Settings(), driver::kProVersionKey, driver::kVersionValue, pro);
  return driver::MeetsMinimumVersion(standard) || driver::MeetsMinimumVersion(pro);
}

}  // namespace pressmoor::ui
