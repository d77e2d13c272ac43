#pragma once
// A second build of the five windows finds every picture it draws already
// made: nothing is decoded or composed again, and the windows look the same.
#include "NamedWindows.h"
#include "framework/TJpeg.h"
#include "framework/TPictureCache.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// `shots` builds the windows and grabs them, in the order of kNamedWindows.
inline void ExpectASecondBuildMakesNothing(const std::function<std::vector<QImage>()>& shots)
{
    const std::vector<QImage> first = shots();
    const int builds = PictureCache().Builds();
    const int decodes = JpegDecodeCount();
    const std::vector<QImage> second = shots();
    EXPECT_EQ(PictureCache().Builds(), builds);
    EXPECT_EQ(JpegDecodeCount(), decodes);
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(second[i], first[i]) << kNamedWindows[i].Name;
}
