#include "viewer/window_layout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace veld {

void PrintTo(const Box& b, std::ostream* os) { *os << b.x << "," << b.y << " " << b.width << "x" << b.height; }

namespace {

TEST(WindowLayout, GadgetsFollowTheClientSize) {
  const struct {
    int w, h;
    Box side, tree, field, list, page;
  } cases[] = {
      {800, 600, {10, 10, 300, 580}, {10, 10, 272, 530}, {10, 10, 272, 20}, {10, 40, 272, 500}, {320, 10, 480, 580}},
      {1000, 700, {10, 10, 300, 680}, {10, 10, 272, 630}, {10, 10, 272, 20}, {10, 40, 272, 600}, {320, 10, 680, 680}},
      {600, 200, {10, 10, 300, 180}, {10, 10, 272, 130}, {10, 10, 272, 20}, {10, 40, 272, 100}, {320, 10, 280, 180}},
  };
  for (const auto& c : cases) {
    const WindowLayout l = layoutFor(c.w, c.h);
    EXPECT_EQ(l.sidePanel, c.side) << c.w << "x" << c.h;
    EXPECT_EQ(l.topicTree, c.tree) << c.w << "x" << c.h;
    EXPECT_EQ(l.searchField, c.field) << c.w << "x" << c.h;
    EXPECT_EQ(l.resultList, c.list) << c.w << "x" << c.h;
    EXPECT_EQ(l.pageView, c.page) << c.w << "x" << c.h;
  }
  const WindowLayout start = creationLayout();
  EXPECT_EQ(start.sidePanel, (Box{10, 10, 300, 580}));
  EXPECT_EQ(start.pageView, (Box{320, 10, 100, 100}));
}

TEST(WindowLayout, MinimumClientSize) {
  const struct {
    ClientSize in, out;
  } cases[] = {
      {{800, 600}, {800, 600}}, {{500, 150}, {600, 200}}, {{700, 100}, {700, 200}},
      {{100, 900}, {600, 900}}, {{0, 0}, {600, 200}},     {{-5, -5}, {600, 200}},
  };
  for (const auto& c : cases) {
    const ClientSize got = atLeastMinimum(c.in);
    EXPECT_EQ(got.width, c.out.width);
    EXPECT_EQ(got.height, c.out.height);
  }
}

TEST(WindowLayout, CentredStartPosition) {
  EXPECT_EQ(centredOn(1280, 800, 816, 639), (Position{232, 80}));
  EXPECT_EQ(centredOn(1280, 800, 817, 640), (Position{231, 80}));  // integer division
  EXPECT_EQ(centredOn(640, 480, 816, 639), (Position{0, 0}));      // larger than the screen
}

}  // namespace
}  // namespace veld
