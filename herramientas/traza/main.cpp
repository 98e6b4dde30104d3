#include <cstdio>

#include "uTraza.h"

int main(int argc, char** argv) { return ProgramaTraza(argc, argv, stdout, stderr); }
