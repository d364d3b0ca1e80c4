#pragma once
// A parameter form over a configuration folder of its own, with the UI texts built in and every
// modal interaction answered by a script.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

#include "parameters/UParGen.h"
#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

class ParGenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    Soft_Code = Soft_Code_Init;  // the main window's start-up sets it
    static std::atomic<int> counter{0};
    folder = std::filesystem::temp_directory_path() /
             ("pargen_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Project_Folder = FromPath(folder);
    Set_Files();
    form = New<TFParGen>(nullptr);
  }
  void TearDown() override {
    delete form;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  // Shows the form modally; fn runs while it is open. Returns the modal result.
  int ShowModal(const std::function<void()>& fn = {}) {
    script.AnswerModal(u"FParGen", [fn](TForm*) {
      if (fn) fn();
      return mrNone;
    });
    return form->ShowModal();
  }
  // Messages shown so far (text only).
  std::vector<String> MessageTexts() const {
    std::vector<String> v;
    for (const auto& m : script.Messages()) v.push_back(m.Text);
    return v;
  }
  std::filesystem::path ParGenPath() const { return folder / "ParGen.xml"; }
  void WriteParGen(const std::string& bytes) const { ASSERT_TRUE(WriteFileBytes(FromPath(ParGenPath()), bytes)); }
  std::string ReadParGen() const {
    std::string s;
    EXPECT_TRUE(ReadFileBytes(FromPath(ParGenPath()), s));
    return s;
  }
  static String Ui(int i) { return Language_List->Strings(i); }

  ModalScript script;
  InputDriver driver;
  std::filesystem::path folder;
  TFParGen* form = nullptr;
};
