// The KERNEL at its initial values.
#include "kernel.h"

#include <gtest/gtest.h>

TEST(Kernel, StartsAtTheInitialValuesOfItsDataModel)
{
    KERNEL* kernel = new KERNEL;
    EXPECT_STREQ("40", kernel->version);
    EXPECT_EQ(1, kernel->noMode);
    EXPECT_EQ(1, kernel->autoBranch);
    EXPECT_EQ(1, kernel->slideLoop);
    EXPECT_EQ(1, kernel->drawEffects);
    EXPECT_EQ(0x0000FFFFu, kernel->gridColour);
    EXPECT_EQ(0xFFFFFFu, kernel->dhtmlBackColour);
    EXPECT_EQ(0, kernel->mode);
    EXPECT_NE(nullptr, kernel->kernelBranch);
    EXPECT_NE(nullptr, kernel->sequenceBranch);
    EXPECT_NE(nullptr, kernel->kernelObject);
    EXPECT_EQ(kernel, kernel->history.kernel);
    delete kernel;
}
