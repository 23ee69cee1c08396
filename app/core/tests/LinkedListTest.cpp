#include <gtest/gtest.h>
#include "app/core/LinkedList.h"
TEST(LinkedListSmoke, Builds) { LinkedList l; EXPECT_EQ(l.GetCurrentPageName(), L""); }
