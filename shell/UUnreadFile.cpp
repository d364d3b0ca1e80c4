#include "shell/UUnreadFile.h"

#include "platform/Dialogs.h"
#include "platform/Files.h"

bool Confirm_Overwrite_Unread_File(const String& Path) {
  const String text = u"The file " + ExtractFileName(Path) +
                      u" could not be read, so this form does not show what it holds. Saving replaces the file "
                      u"with the values shown. Do you want to overwrite it?";
  return MessageDlg(text, mtConfirmation, mbYesNo) == mrYes;
}
