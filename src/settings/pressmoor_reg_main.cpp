#include <iostream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "settings/RegTool.h"

int main(int argc, char** argv) {
  using namespace pressmoor;
  std::vector<std::string> args(argv + 1, argv + argc);
  platform::Registry registry(platform::RegistryRoots::FromEnvironment());
  return settings::RunRegTool(args, std::cout, std::cerr, registry);
}
