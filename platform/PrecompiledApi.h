// Precompiled for the layers above the platform: the class library headers they include most.
#pragma once

#include "platform/PrecompiledStd.h"

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"
#include "platform/XMLDoc.h"
