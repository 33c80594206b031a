#include <gtest/gtest.h>
TEST(StandardsFile, Placeholder) {}
