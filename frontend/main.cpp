#include "frontend/run.h"

int main(int argc, char *argv[])
{
    return run_tagsift(argc, argv);
}
