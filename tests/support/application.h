#pragma once
// One Qt application object for all tests of a program: made when the tests
// run (not while CTest lists them) and destroyed before the program's statics.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace wexmora::testing {

template <class Application>
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "wexmora_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) app_ = std::make_unique<Application>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<Application> app_;
};

// Registers the environment; call once per test program, at namespace scope.
template <class Application>
const ::testing::Environment* addApplication() {
  return ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment<Application>);
}

}  // namespace wexmora::testing
