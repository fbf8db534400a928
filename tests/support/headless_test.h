#pragma once
// A test whose windows go to the headless display: set as the forms' display for each test, unset after.
#include <gtest/gtest.h>

#include "forms/backend.h"
#include "headless/headless_backend.h"

namespace kvtest {

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { kv::forms::set_backend(&display); }
    void TearDown() override { kv::forms::set_backend(nullptr); }

    kv::headless::HeadlessBackend display;
};

}  // namespace kvtest
