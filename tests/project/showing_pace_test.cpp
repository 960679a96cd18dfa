// The pace of progress texts, on a clock the test moves.
#include <gtest/gtest.h>

#include <vector>

#include "project/tick_clock.h"

namespace t2c {
namespace {

uint32_t g_now = 0;
uint32_t testTicks() { return g_now; }

TEST(ShowingPaceTest, FirstAtOnceThenOncePerIntervalAcrossTheWrap) {
  const TickSource saved = setTickSource(testTicks);
  ShowingPace pace(100);
  std::vector<uint32_t> shownAt;
  // Texts every 30 ms from just before the counter wraps.
  for (g_now = 0xFFFFFFFFu - 80; shownAt.size() < 4; g_now += 30) {
    if (!pace.Due()) continue;
    shownAt.push_back(g_now);
    pace.Shown();
  }
  EXPECT_EQ(shownAt, (std::vector<uint32_t>{0xFFFFFFFFu - 80, 39, 159, 279}));
  pace.Restart();
  EXPECT_TRUE(pace.Due());
  setTickSource(saved);
}

}  // namespace
}  // namespace t2c
