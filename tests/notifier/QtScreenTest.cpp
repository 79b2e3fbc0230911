#include "platform/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace tipin::test {
namespace {

TEST(QtScreenTest, WithoutAWindowItIsThePrimaryScreen) {
    const QtScreen screen(nullptr);
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(screen.Geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(screen.WorkArea(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_FALSE(screen.Geometry().isEmpty());
}

TEST(QtScreenTest, ItFollowsTheWindowAndOutlivesIt) {
    auto window = std::make_unique<QWidget>();
    const QtScreen screen(window.get());
    EXPECT_EQ(screen.Geometry(), window->screen()->geometry());
    EXPECT_EQ(screen.WorkArea(), window->screen()->availableGeometry());
    window.reset();
    EXPECT_EQ(screen.Geometry(), QGuiApplication::primaryScreen()->geometry());
}

} // namespace
} // namespace tipin::test
