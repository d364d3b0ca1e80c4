#pragma once
// This desktop's icons for files, folders and file types, standing in for the shell's system image
// list: small icons are 16 x 16 pixels, large ones 32 x 32.
//
// A name that is a number is an index into the system image list. The list is fixed, in the order
// of the classic shell image list:
//    0 file of unknown type        6 3.5" floppy drive       12 RAM drive
//    1 document                    7 removable drive         13 entire network
//    2 application                 8 hard drive              14 network
//    3 folder                      9 network drive           15 computer
//    4 open folder                10 disconnected network drive
//    5 5.25" floppy drive         11 CD drive
// Each entry is the desktop icon theme's icon for it when the theme has one, else the style's
// standard icon.
#include <memory>

#include "platform/Graphics.h"
#include "platform/UString.h"

// Pixel size of the system image list's icons.
int ShellIconSize(bool Large);
// Number of entries of the system image list (indices 0 .. count - 1).
int ShellImageCount();
// Icon of the system image list's entry Index; nullptr when Index is out of range.
std::unique_ptr<TIcon> ShellImageIcon(int Index, bool Large);
// Icon of an existing file or folder (its own), or of the file type of any other name (by its
// extension; a name without a known type gives the unknown-file icon). Never nullptr.
std::unique_ptr<TIcon> ShellFileIcon(const String& Name, bool Large);
// Icon for a name written in markup: a name that is a number (decimal digits only) is a system
// image index, anything else as ShellFileIcon. nullptr for an index out of range.
std::unique_ptr<TIcon> ShellIcon(const String& Name, bool Large);
// Answers are kept per name and size; a change of the desktop's theme drops them
// (TApplication::NotifyThemeChanged).
void ClearShellIconCache();
