#pragma once
// The program's forms: created once, in their fixed order, and linked to the main window.

// Creates the forms (the main window first: its creation handler initialises the program) and
// links the step forms and writers that exist to the main window's steps.
void Create_Program_Forms();
