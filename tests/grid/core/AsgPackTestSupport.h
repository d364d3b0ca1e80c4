#pragma once
// A shown form for the pack's controls, with the input driver (and its clock) and the modal
// script, and the process-wide format settings put back when the test ends.
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace asgpack_test {

class TScopedFormat {
 public:
  TScopedFormat() : FOld(FormatSettings()) {
    TFormatSettings& fs = FormatSettings();
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    fs.ShortDateFormat = u"dd/mm/yyyy";
    fs.LongTimeFormat = u"hh:nn:ss";
  }
  ~TScopedFormat() { FormatSettings() = FOld; }
  TScopedFormat(const TScopedFormat&) = delete;
  TScopedFormat& operator=(const TScopedFormat&) = delete;

 private:
  TFormatSettings FOld;
};

struct PackForm {
  TScopedFormat format;
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  TEdit* other = New<TEdit>(form);  // somewhere for the focus to go

  PackForm() {
    form->SetClientWidth(420);
    form->SetClientHeight(200);
    other->SetParent(form);
    other->SetBounds(10, 160, 80, 21);
  }
  // Puts the control on the form and shows it.
  template <class T>
  T* Place(T* control, int Left, int Top, int Width, int Height) {
    control->SetParent(form);
    control->SetBounds(Left, Top, Width, Height);
    form->Show();
    return control;
  }
  ~PackForm() { delete form; }
};

}  // namespace asgpack_test
