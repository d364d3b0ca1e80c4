// Character classes of the class library's character tests.
#include <QChar>

#include "platform/SysUtils.h"

bool IsNumberChar(Char Ch) { return QChar(Ch).isNumber(); }
