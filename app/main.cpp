#include "platform/Placeholder.h"

// Entry until the shell's main window exists.
int main(int argc, char** argv) { return RunPlaceholderWindow(argc, argv); }
