#include "ui/Wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pressmoor::ui {
namespace {

TEST(Wildcard, StarDotStarMatchesEveryNameWithOrWithoutDot) {
  for (const char* name : {"README", "a.b", "archive.tar.gz", ".x", "trailing."}) {
    EXPECT_TRUE(MatchesPattern(name, "*.*")) << name;
  }
}

TEST(Wildcard, HtmStarListsBothEndingsButNotOthers) {
  EXPECT_TRUE(MatchesPattern("page.htm", "*.htm*"));
  EXPECT_TRUE(MatchesPattern("page.html", "*.htm*"));
  EXPECT_FALSE(MatchesPattern("page.ht", "*.htm*"));
  EXPECT_FALSE(MatchesPattern("page.xhtm", "*.htm*"));
  EXPECT_FALSE(MatchesPattern("pagehtm", "*.htm*"));
}

TEST(Wildcard, LettersMatchWithoutRegardToCase) {
  for (const char* name : {"a.PDF", "a.pdf", "a.Pdf"}) {
    EXPECT_TRUE(MatchesPattern(name, "*.PDF")) << name;
    EXPECT_TRUE(MatchesPattern(name, "*.pdf")) << name;
  }
  EXPECT_FALSE(MatchesPattern("a.pdf.bak", "*.pdf"));
}

TEST(Wildcard, QuestionMarkIsExactlyOneCharacterAlsoInUtf8) {
  EXPECT_TRUE(MatchesPattern("a1.doc", "a?.doc"));
  EXPECT_FALSE(MatchesPattern("a.doc", "a?.doc"));
  EXPECT_FALSE(MatchesPattern("a12.doc", "a?.doc"));
  EXPECT_TRUE(MatchesPattern("r\xC3\xA9sum\xC3\xA9.txt", "r?sum?.txt"));
  EXPECT_FALSE(MatchesPattern("\xC3\xA9", "??"));
}

TEST(Wildcard, SpecialEndingsAndAlternatives) {
  EXPECT_TRUE(MatchesPattern("Makefile", "*."));
  EXPECT_FALSE(MatchesPattern("a.txt", "*."));
  EXPECT_TRUE(MatchesPattern("report", "report.*"));
  EXPECT_TRUE(MatchesPattern("report.doc", "report.*"));
  EXPECT_FALSE(MatchesPattern("reports", "report.*"));
  EXPECT_TRUE(MatchesPattern("a.rtf", "*.doc;*.rtf"));
  EXPECT_FALSE(MatchesPattern("a.txt", "*.doc;*.rtf"));
  EXPECT_FALSE(MatchesPattern("a.txt", ""));
}

TEST(Wildcard, BacktrackingFindsLaterMatches) {
  EXPECT_TRUE(MatchesPattern("a.doc.old.doc", "*.doc"));
  EXPECT_TRUE(MatchesPattern("abcabcabd", "*abd"));
  EXPECT_FALSE(MatchesPattern(std::string(5000, 'a'), "*a*a*a*b"));
}

TEST(Wildcard, OrderFoldsCaseAndBreaksTiesByBytes) {
  std::vector<std::string> names{"b.doc", "a.doc", "B.doc", "_x.doc", "A.doc", "ab.doc", "a"};
  std::sort(names.begin(), names.end(), ListsBefore);
  EXPECT_EQ(names, (std::vector<std::string>{"_x.doc", "a", "A.doc", "a.doc", "ab.doc", "B.doc", "b.doc"}));
}

// Letters fold to lower case, so "_" precedes them; bytes above 0x7F sort
// after ASCII; case-only twins order by their raw bytes.
TEST(Wildcard, SortInListOrderHandlesCaseTwinsPrefixesAndHighBytes) {
  const std::string utf8 = "\xC3\xA9t\xC3\xA9.doc";
  std::vector<std::string> names{"zeta", utf8, "ab", "Zeta.doc", "_x", "z~", "aB", "ZETA", "Ab"};
  SortInListOrder(names);
  const std::vector<std::string> expected{"_x", "Ab", "aB", "ab", "ZETA", "zeta", "Zeta.doc", "z~", utf8};
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end(), ListsBefore));
}

}  // namespace
}  // namespace pressmoor::ui
