#include "render/software_renderer.h"

#include <gtest/gtest.h>

TEST(SoftwareRenderer, CpuRasterizersAreKnownByTheirNamesInAnyCase)
{
    EXPECT_TRUE(isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRenderer("softpipe"));
    EXPECT_TRUE(isSoftwareRenderer("Mesa X11 Software Rasterizer"));
    EXPECT_TRUE(isSoftwareRenderer("LLVMPIPE"));
}

TEST(SoftwareRenderer, GraphicsProcessorsAndEmptyNamesAreNot)
{
    EXPECT_FALSE(isSoftwareRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(isSoftwareRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)"));
    EXPECT_FALSE(isSoftwareRenderer("NVIDIA GeForce GTX 1060/PCIe/SSE2"));
    EXPECT_FALSE(isSoftwareRenderer("soft"));
    EXPECT_FALSE(isSoftwareRenderer(""));
}
