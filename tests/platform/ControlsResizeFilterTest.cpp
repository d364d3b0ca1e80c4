// Resize filters: several objects follow one control's size without taking its OnResize.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Forms.h"

namespace {

TEST(ControlsResizeFilter, FiltersRunInOrderBeforeOnResizeAndLeaveByKey) {
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 300, 200);
  std::vector<std::string> log;
  int a = 0, b = 0, c = 0;
  form->OnResize = [&](TObject*) { log.push_back("OnResize"); };
  form->InstallResizeFilter(&a, [&](TControl* s) { log.push_back("a" + std::to_string(s->Width())); });
  form->InstallResizeFilter(&b, [&](TControl*) {
    log.push_back("b");
    form->RemoveResizeFilter(&c);  // a filter may remove another while they run
  });
  form->InstallResizeFilter(&c, [&](TControl*) { log.push_back("c"); });
  form->SetBounds(0, 0, 320, 200);
  EXPECT_EQ(log, (std::vector<std::string>{"a320", "b", "OnResize"}));
  log.clear();
  form->RemoveResizeFilter(&a);
  form->InstallResizeFilter(&b, [&](TControl*) { log.push_back("b2"); });  // the same key replaces
  form->SetBounds(0, 0, 330, 210);
  EXPECT_EQ(log, (std::vector<std::string>{"b2", "OnResize"}));
  log.clear();
  form->SetBounds(5, 5, 330, 210);  // moved, not resized
  EXPECT_TRUE(log.empty());
  delete form;
}

}  // namespace
