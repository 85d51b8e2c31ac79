// The prompts' file filters and the working folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/prompt_filter.h"
#include "app/working_folder.h"

namespace korvex {
namespace {

TEST(PromptFilterTest, OffersBothCases) {
  using Filters = std::vector<std::string>;
  EXPECT_EQ(NameFilters("KVX(*.kvx)|*.kvx|"), Filters{"KVX(*.kvx *.KVX)"});
  EXPECT_EQ(NameFilters("KVX(*.KVX)|*.KVX|"), Filters{"KVX(*.KVX *.kvx)"});
  EXPECT_EQ(NameFilters("NGC(*.NGC)|*.NGC|"), Filters{"NGC(*.NGC *.ngc)"});
  EXPECT_EQ(NameFilters("A|*.a;*.B|All|*|"), (Filters{"A (*.a *.A *.B *.b)", "All (*)"}));
  EXPECT_EQ(NameFilters("Program (*.ngc)|*.ngc|"), Filters{"Program (*.ngc *.NGC)"});
  EXPECT_EQ(NameFilters(""), Filters{});
}

TEST(WorkingFolderTest, KorvexFolderInTheHome) {
#ifndef _WIN32
  EXPECT_EQ(WorkingFolderFor("/home/ann"), "/home/ann/KORVEX/");
  EXPECT_EQ(WorkingFolderFor("/home/ann/"), "/home/ann/KORVEX/");
  EXPECT_EQ(WorkingFolderFor(""), "");
#else
  EXPECT_EQ(WorkingFolderFor("C:\\Users\\ann"), "c:\\KORVEX\\");
#endif
}

}  // namespace
}  // namespace korvex
