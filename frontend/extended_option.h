// -e is looked for before the options are read, so that it applies wherever it
// stands: a -f list before it can already name the fields it adds.
#pragma once

// True when the options, read with getopt's option letters `letters`, hold
// -e. Prints nothing and leaves argv in its order; the caller restarts getopt.
bool has_extended_option(int argc, char *argv[], const char *letters);

// The style letter ('j' or 'd', lower case) when the options hold -o j or -o
// d, the styles whose field names -f must know before it reads them; else 0.
int typed_output_option(int argc, char *argv[], const char *letters);
