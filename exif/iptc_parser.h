// IPTC-IIM datasets read into the packet store, named by record and dataset
// number. Text is stored as UTF-8: as is where dataset 1:90 names UTF-8,
// else read as Latin-1 (the bytes 0x80..0xFF become two-byte characters).
#pragma once
#include <cstddef>

// Reads the datasets of an IIM block held in memory; a dataset that runs past
// the block ends it with a warning naming the file being read.
void read_iptc_block(const unsigned char *block, size_t length);

// The IIM block inside a Photoshop image resource block (resource 0x0404),
// as a pointer and length into it; false when there is none.
bool find_iptc_resource(const unsigned char *resources, size_t length, const unsigned char **iptc,
                        size_t *iptc_length);

// The name of dataset record:number ("Keywords"), nullptr for one unnamed here.
const char *iptc_dataset_name(unsigned record, unsigned number);
