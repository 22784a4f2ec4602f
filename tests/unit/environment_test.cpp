#include "forms/environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using forms::ProcessEnvironment;

TEST(Environment, ReadsTheProcessEnvironment) {
    const char* name = "FORMS_UNIT_TEST_VARIABLE";
    ::setenv(name, "C:\\Users\\Тест", 1);
    ProcessEnvironment env;
    EXPECT_EQ(env.get(name), "C:\\Users\\Тест");
    ::unsetenv(name);
    EXPECT_EQ(env.get(name), "");
    EXPECT_EQ(env.get(""), "");
    EXPECT_EQ(env.get("A=B"), "");
}

} // namespace
