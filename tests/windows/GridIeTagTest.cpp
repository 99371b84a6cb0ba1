#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/GridIeTag.h"
#include "windows/shared/ListGrid.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(GridIeTag, TheGridKeepsTheBrowsersHandleAndAddress)
{
    ui::RecordingUiServices ui;
    shared::ListGrid grid;
    EXPECT_EQ(inspector::GetGridIeHandle(grid), 0);

    inspector::SetGridIeHandle(grid, 1234);
    inspector::SetGridIeUrl(grid, u"http://a/"_s);
    EXPECT_EQ(grid.tag(), u"<Handler>1234</Handler><LocationURL>http://a/</LocationURL>"_s);
    EXPECT_EQ(inspector::GetGridIeHandle(grid), 1234);

    // A handle with its top bit set comes back as written.
    inspector::SetGridIeHandle(grid, -2147483647 - 1);
    EXPECT_EQ(inspector::GetGridIeHandle(grid), -2147483647 - 1);
    EXPECT_TRUE(grid.tag().startsWith(u"<LocationURL>"_s));
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}
