#pragma once

namespace dx {

// dextrel-report import ...: argv[1] is "import". The exit status: 0 the
// journal written (or a dry run that would write it), 1 refused, 2 a usage
// error.
int runImportCommand(int argc, char** argv);

}  // namespace dx
