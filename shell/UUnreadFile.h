#pragma once
// A form whose file could not be read shows defaults, or what was read before the failure, not
// what the file holds; saving it would replace the user's file with that. Forms with such a file
// ask first, through the one question below.
#include "platform/UString.h"

// Asks (confirmation, Yes and No) whether the unread file at Path may be replaced by what the form
// shows; true on Yes.
bool Confirm_Overwrite_Unread_File(const String& Path);
