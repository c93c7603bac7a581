#include "movie/shell/GetPath.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* location;
    const char* folder;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << '"' << c.location << '"';
}

class GetPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(GetPathTest, YieldsTheFolderWithItsSeparator) {
    const PathCase& c = GetParam();
    EXPECT_EQ(shell::GetPath(QString::fromUtf8(c.location)), QString::fromUtf8(c.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Locations, GetPathTest,
    ::testing::Values(
        PathCase{"http://www.site.com/iVemba/ivemba.swf", "http://www.site.com/iVemba/"},
        PathCase{"https://www.site.com/iVemba/ivemba.swf", "https://www.site.com/iVemba/"},
        PathCase{"file:///C:/Program Files/iVemba/ivemba.swf", "file:///C:/Program Files/iVemba/"},
        PathCase{"file:///C|/iVemba/ivemba.swf", "file:///C|/iVemba/"},
        PathCase{R"(C:\Program Files\iVemba\ivemba.swf)", R"(C:\Program Files\iVemba\)"},
        PathCase{R"(C:\ivemba.swf)", R"(C:\)"}, PathCase{"", ""}, PathCase{"ivemba.swf", ""},
        // Only "\" counts without a scheme, however many slashes there are.
        PathCase{"C:/Program Files/iVemba/ivemba.swf", ""},
        PathCase{R"(C:\web/ivemba.swf)", R"(C:\)"},
        // A scheme anywhere makes it an address.
        PathCase{"proxy?u=http://site.com/a/b.swf", "proxy?u=http://site.com/a/"},
        PathCase{R"(x\y?file:///a/b.swf)", R"(x\y?file:///a/)"},
        PathCase{"http://site.com", "http://"}, PathCase{"file:///movie", "file:///"},
        // The schemes are matched as written.
        PathCase{"HTTP://site.com/a/b.swf", ""}));

} // namespace
