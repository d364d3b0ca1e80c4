#pragma once
// The header images of the parameter form's category panel group (the group itself is the
// platform's, in ExtCtrls.h), drawn here: no resource of any other program.
#include "platform/ExtCtrls.h"

// A 16 x 16 image list owned by Owner: image 0 shown while a panel is expanded (a grey disc with
// an upward arrow), image 1 while it is collapsed (the same with a downward arrow).
TImageList* Create_Category_Panel_Images(TComponent* Owner);
