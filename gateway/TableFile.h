#pragma once
// The table-file engine lives with the table form frame in the shell; the gateway's readers and
// writers include it from here as before.
#include "shell/TableFile.h"
