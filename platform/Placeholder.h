#pragma once
// An empty 694x484 window; the program entry uses it until the main window exists.
int RunPlaceholderWindow(int argc, char** argv);
