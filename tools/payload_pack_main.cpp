// payload-pack OUTPUT FILE...: see PayloadPack.h.
#include <iostream>
#include <string>
#include <vector>

#include "tools/PayloadPack.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vlt::pack::RunPayloadPack(args, std::cout, std::cerr);
}
