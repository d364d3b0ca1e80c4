#pragma once
// Plain Qt given the widget tree of one of our forms, so that creating, showing and destroying a
// form can be measured against Qt in the same run without Qt headers outside the platform.
#include <memory>

#include "platform/Forms.h"

struct TFormTimings {
  double Create = 0, Show = 0, Destroy = 0;  // milliseconds
};

// The window a plain Qt program would build for the same form: a top-level QWidget of the form's
// client size holding, for every control below the form, the widget a Qt programmer would pick
// (QLabel for a label, QLineEdit, QComboBox with its items, QCheckBox, QPushButton for any
// button, QScrollBar, a QWidget for anything else) at the control's place, hidden where the
// control is, with its texts, a font only where it differs from the parent's and a background
// only where the colour differs.
class TQtReferenceForm {
 public:
  // Records Form's tree as it stands; Form may be freed afterwards.
  explicit TQtReferenceForm(TForm* Form);
  ~TQtReferenceForm();
  TQtReferenceForm(const TQtReferenceForm&) = delete;
  TQtReferenceForm& operator=(const TQtReferenceForm&) = delete;

  int WidgetCount() const;  // the window included
  // Builds the window, shows it until it has painted and the event loop is idle, deletes it.
  TFormTimings Run();

 private:
  struct Plan;
  std::unique_ptr<Plan> plan_;
};
