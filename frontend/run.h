// The run over the command line: options, then each file or directory argument.
#pragma once

int run_tagsift(int argc, char *argv[]);
