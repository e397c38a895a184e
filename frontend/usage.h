// The usage text shown by `tagsift -h` and by tagsift run without arguments.
#pragma once

// Prints the usage text to standard output.
void display_usage();
