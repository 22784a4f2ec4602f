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

// The profile folder: USERPROFILE when it is set, else the home folder it was given.
TEST(Environment, TheProfileIsTheHomeFolderUnlessSet) {
    const char* saved = std::getenv("USERPROFILE");
    const std::string keep = saved ? saved : "";
    ProcessEnvironment env("C:\\home\\user");
    ::unsetenv("USERPROFILE");
    EXPECT_EQ(env.get("USERPROFILE"), "C:\\home\\user");
    EXPECT_EQ(ProcessEnvironment().get("USERPROFILE"), "");
    ::setenv("USERPROFILE", "D:\\Profiles\\u", 1);
    EXPECT_EQ(env.get("USERPROFILE"), "D:\\Profiles\\u");
    if (saved)
        ::setenv("USERPROFILE", keep.c_str(), 1);
    else
        ::unsetenv("USERPROFILE");
}

} // namespace
