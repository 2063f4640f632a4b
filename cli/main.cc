// The xkdtazv command: generate DTAZV files from batches, inspect DTAZV files.
#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  return xkdtazv::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
