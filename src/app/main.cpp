#include "app/ProgramEntry.h"

int main(int argc, char** argv) { return orvane::app::RunProgram(argc, argv); }
