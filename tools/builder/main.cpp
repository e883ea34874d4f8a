// The tarnwick-build executable: hands the command line to the builder and nothing else.
#include "tools/builder/builder.h"

int main(int argc, char** argv) {
  return tw::builder::runBuilderCommand(argc, argv);
}
